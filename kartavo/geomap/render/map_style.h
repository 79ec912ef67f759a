// How the map control looks apart from the map itself: background, frame,
// the text of the empty display, what is drawn over the map and in which
// colours, and the spacing of graticule and UTM grid.
#pragma once

#include "kartavo/companion/quillon.h"
#include "kartavo/framework/color.h"
#include "kartavo/framework/export.h"
#include "kartavo/geomap/geomap_types.h"

#include <string>

namespace kartavo {

// The three colours a frame is drawn with.
struct TFrameColors {
  fw::TColor Black = 0x000000;
  fw::TColor Gray = 0x808080;
  fw::TColor White = 0xFFFFFF;
  friend bool operator==(const TFrameColors&, const TFrameColors&) = default;
};

class KARTAVO_API TMapStyle {
public:
  // Graticule spacing in degrees and UTM grid spacing in metres; 0 lets the
  // rendering choose.
  static constexpr double MaxGratLineDist = 60;
  static constexpr int MaxUTMGridDist = 10000000;

  fw::TColor BackGround() const { return FBackGround; }
  void SetBackGround(fw::TColor value) { FBackGround = value; }
  quillon::TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(quillon::TFrameStyle value) { FFrameStyle = value; }
  // The frame's colour property; also the colour of the empty display's text.
  fw::TColor FrameColor() const { return FFrameColor; }
  void SetFrameColor(fw::TColor value) { FFrameColor = value; }
  const TFrameColors& FrameColors() const { return FFrameColors; }
  void SetFrameColors(const TFrameColors& value) { FFrameColors = value; }
  fw::TColor GraticuleColor() const { return FGraticuleColor; }
  void SetGraticuleColor(fw::TColor value) { FGraticuleColor = value; }
  fw::TColor CalibPointColor() const { return FCalibPointColor; }
  void SetCalibPointColor(fw::TColor value) { FCalibPointColor = value; }
  const std::string& EmptyMsg() const { return FEmptyMsg; }
  void SetEmptyMsg(const std::string& value) { FEmptyMsg = value; }
  TShowGrat ShowGraticule() const { return FShowGrat; }
  void SetShowGraticule(TShowGrat value) { FShowGrat = value; }

  double GratLineDist() const { return FGratLineDist; }
  // Clamped to 0 .. MaxGratLineDist; NaN becomes 0.
  void SetGratLineDist(double value);
  int UTMGridDist() const { return FUTMGridDist; }
  // Clamped to 0 .. MaxUTMGridDist.
  void SetUTMGridDist(int value);

  friend bool operator==(const TMapStyle&, const TMapStyle&) = default;

private:
  fw::TColor FBackGround = 0xC0C0C0;
  quillon::TFrameStyle FFrameStyle = quillon::fsSingle;
  fw::TColor FFrameColor = 0x000000;
  TFrameColors FFrameColors;
  fw::TColor FGraticuleColor = 0xFF0000;
  fw::TColor FCalibPointColor = 0x0000FF;
  std::string FEmptyMsg = "GeoMap: empty";
  TShowGrat FShowGrat = sgNone;
  double FGratLineDist = 0;
  int FUTMGridDist = 0;
};

} // namespace kartavo
