// The types the map control declares for its properties and events.
#pragma once

#include "kartavo/companion/quillon.h"
#include "kartavo/framework/object.h"
#include "kartavo/geomap/landmark_records.h"

#include <cstdint>
#include <functional>
#include <string>

namespace fw {
class TCanvas;
}

namespace kartavo {

// What the rendering draws over the map.
enum TShowGrat : uint8_t {
  sgNone,            // nothing
  sgPoints,          // calibration points
  sgLines,           // graticule lines
  sgPointsAndLines,  // both
  sgUTMGrid,         // UTM grid
  sgPointsAndUTMGrid // UTM grid and calibration points
};

// One recorded view; all three fields zero is an empty entry.
struct TgmZoomStackEntry {
  int32_t Left = 0;
  int32_t Top = 0;
  double MagF = 0;
  friend bool operator==(const TgmZoomStackEntry&, const TgmZoomStackEntry&) = default;
};

constexpr int ZoomStackSize = 16;

using TRenderEvent = std::function<void(fw::TObject* Sender, fw::TCanvas* Canvas)>;
using TMapImgRequestEvent = std::function<void(fw::TObject* Sender, std::string& FileName)>;
// Progress of reading or writing a map image, in percent.
using TProgressEvent = std::function<void(fw::TObject* Sender, int PercentDone)>;
// Handled is false on entry; a handler that sets it draws the landmark itself.
using TDrawLandMarkEvent =
    std::function<void(fw::TObject* Sender, bool& Handled, fw::TCanvas* Canvas,
                       quillon::TPoint APoint, const TLandMark& LandMarkData)>;
// A handler may veto the action by clearing Allowed.
using TLandMarkActionEvent = std::function<void(
    fw::TObject* Sender, bool& Allowed, TLandMarkAction Action, const TLandMark& LandMarkData)>;
// A plain routine that draws the host's data onto a generated map.
using TOnDrawMapDataEvent = void (*)(fw::TObject* Sender, fw::TCanvas* MapCanvas, double LatLow,
                                     double LongLow, double LatHigh, double LongHigh, int32_t Wid,
                                     int32_t Hgt);

} // namespace kartavo
