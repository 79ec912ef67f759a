// One registered map of an atlas, and how the atlas chooses the map to
// switch to when the user zooms in or out at a position.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/geomap/calib_records.h"

#include <span>
#include <string>

namespace kartavo {

// The most maps an atlas holds.
constexpr int MaxAtlasMaps = 200;

struct TMapDefinition {
  std::string MapFName; // the calibration file's name, in lower case
  std::string Caption;
  double Resolution = 0;  // metres per map-image pixel
  TCornerArray Corners{}; // latitude and longitude of the image's corners
  friend bool operator==(const TMapDefinition&, const TMapDefinition&) = default;
};

// The map to zoom in to: among the maps whose corners contain the position
// and whose resolution is finer than CurrentResolution by more than
// MinResDiff percent, the coarsest; on equal resolutions the first. Returns
// its index in Maps counted from 1, or 0 when no map qualifies.
KARTAVO_API int FinerMapIndex(std::span<const TMapDefinition> Maps, double Lat, double Long,
                              double CurrentResolution, double MinResDiff);

// The map to zoom out to: among the maps whose corners contain the position
// and whose resolution is coarser than CurrentResolution, the finest; on
// equal resolutions the first. Index counted from 1, or 0.
KARTAVO_API int CoarserMapIndex(std::span<const TMapDefinition> Maps, double Lat, double Long,
                                double CurrentResolution);

} // namespace kartavo
