// The calibration record of a map and the types around it. Every pixel
// position here is a map-image pixel: column and row in the map image at its
// own size, (0, 0) at the top-left pixel, rows growing downwards.
#pragma once

#include "kartavo/companion/quillon.h"
#include "kartavo/geobasics/ellipsoids.h"
#include "kartavo/geomap/one_based_array.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kartavo {

enum TCalibModel : uint8_t {
  cmParabolicIp,       // parabolic interpolation between graticule lines
  cmBiquadraticPn,     // biquadratic polynomial
  cmConicConformal,    // conic projection
  cmMillerCylindrical, // Miller cylindrical projection
  cmEquiRect,          // equirectangular: affine relation to latitude and longitude
  cmUTM,               // affine relation to UTM grid coordinates
  cmUndefined          // no calibration
};

// Model names as the calibration files spell them, indexed by TCalibModel.
inline constexpr std::array<std::string_view, 7> CalibModelNames = {
    "parabolicip", "biquadraticpn", "conicconformal", "millercylindrical",
    "equirect",    "utm",           "undefined"};

enum TGratLineKind : uint8_t { gtlMeridian, gtlParallel };

enum TCorners : uint8_t { gcoTopLeft, gcoBottomLeft, gcoBottomRight, gcoTopRight };

// Degrees.
struct TCoords {
  double Latit = 0;
  double Longit = 0;
  friend bool operator==(const TCoords&, const TCoords&) = default;
};

// Indexed by TCorners.
using TCornerArray = std::array<TCoords, 4>;

// One calibration point of the point-based models. Under cmUTM, Latitude
// holds the northing and Longitude the easting, in metres.
struct TCalQuad {
  double Latitude = 0;
  double Longitude = 0;
  int32_t MapX = 0;
  int32_t MapY = 0;
  friend bool operator==(const TCalQuad&, const TCalQuad&) = default;
};

constexpr int MaxCalLines = 25;
constexpr int MaxLinePoints = 10;
constexpr int MaxCalQuads = 200;

// One graticule line of cmParabolicIp: a meridian (LineValue is its
// longitude) or a parallel (its latitude). Points beyond NumPoints carry no
// meaning.
struct TCalibLine {
  TGratLineKind LineType = gtlMeridian;
  double LineValue = 0;
  int32_t NumPoints = 0;
  OneBasedArray<quillon::TPoint, MaxLinePoints> CalPoints;
  friend bool operator==(const TCalibLine&, const TCalibLine&) = default;
};

// The calibration of one map. cmParabolicIp uses the lines only, every other
// model the points only; both stores live side by side so that switching the
// model loses neither.
struct TCalibData {
  std::string MapFName;
  std::string Caption;
  TCornerArray Corners{};
  double Resolution = 0; // metres per map-image pixel along the middle row
  int32_t NumCalLines = 0;
  OneBasedArray<TCalibLine, MaxCalLines> CalLines;
  int32_t NumCalQuads = 0;
  OneBasedArray<TCalQuad, MaxCalQuads> CalQuads;
  int32_t UTMZone = 0; // -1 when none is set
  bool UTMSouth = false;
  TGeoEllipsoid Ellipsoid = gelWGS84;
  friend bool operator==(const TCalibData&, const TCalibData&) = default;
};

// The counts of a record clamped to the table sizes, so that a record set
// from outside can never lead a reader past its tables.
inline int CalQuadCount(const TCalibData& cd) {
  return cd.NumCalQuads < 0 ? 0 : (cd.NumCalQuads > MaxCalQuads ? MaxCalQuads : cd.NumCalQuads);
}
inline int CalLineCount(const TCalibData& cd) {
  return cd.NumCalLines < 0 ? 0 : (cd.NumCalLines > MaxCalLines ? MaxCalLines : cd.NumCalLines);
}
inline int LinePointCount(const TCalibLine& line) {
  return line.NumPoints < 0 ? 0 : (line.NumPoints > MaxLinePoints ? MaxLinePoints : line.NumPoints);
}

} // namespace kartavo
