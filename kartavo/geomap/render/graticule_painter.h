// The graticule over a calibrated map: parallels and meridians at a regular
// spacing, each drawn as a polyline of equal steps along the other
// coordinate or as one straight line, through the map's calibration.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/geomap/calib_records.h"
#include "kartavo/geomap/geo_conversion.h"
#include "kartavo/geomap/render/render_view.h"

namespace fw {
class TCanvas;
}

namespace kartavo {

// The geographic extent the corners of a map span (degrees).
struct KARTAVO_API TGeoExtent {
  double LatLow = 0, LatHigh = 0, LongLow = 0, LongHigh = 0;
};
KARTAVO_API TGeoExtent ExtentOfCorners(const TCornerArray& Corners);

// Lines per degree for a coordinate spanning Extent degrees: 1 / GratLineDist
// when that is above 0, otherwise 1 for extents of a degree or more and
// 10^k for smaller ones, so that the spacing is the largest power of ten not
// above the extent. 0 (no lines) for an extent of 0 or one that is not finite.
KARTAVO_API double GraticuleDensity(double Extent, double GratLineDist);

// The values From, From + 1/C, ... below To at which lines are drawn; From
// is the first multiple of 1/C truncated toward zero from Low. Empty when
// C is 0 or the lines would be more than MaxGridLines.
struct KARTAVO_API TLineSeries {
  double First = 0;
  double Step = 0;
  int Count = 0;
};
constexpr int MaxGridLines = 5000;
KARTAVO_API TLineSeries LinesBelow(double Low, double High, double C);

// How each family of lines is drawn: a polyline of that many segments, or
// (0) one straight line between its ends.
struct KARTAVO_API TGraticuleShape {
  int ParallelSegments = 100;
  int MeridianSegments = 100;
};

// Draws the graticule with the canvas's pen: parallels from LongLow to
// LongHigh, meridians from LatLow to LatHigh. Positions that do not convert
// are drawn through as the conversion returns them.
KARTAVO_API void DrawGraticule(fw::TCanvas& Canvas, const TGeoRef& Ref, const TRenderView& View,
                               double GratLineDist, TGraticuleShape Shape);

} // namespace kartavo
