// Maps made from a latitude/longitude box alone: a blank picture, optionally
// a labelled grid of parallels and meridians, the host's own drawing, and a
// calibration that maps the box linearly onto the picture (equirectangular).
// TGeoMap::CreateEmptyMapInMemory and CreateAndLoadEmptyMap put the pieces
// together; they are public for hosts that want the picture alone.
#pragma once

#include "kartavo/companion/quillon.h"
#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/export.h"
#include "kartavo/geomap/calib_records.h"
#include "kartavo/geomap/geomap_types.h"

#include <memory>
#include <string>

namespace kartavo {

// The box, grid spacings (degrees) and picture size of a generated map.
struct TGeneratedMapBox {
  double LatLow = 0, LongLow = 0, LatHigh = 0, LongHigh = 0;
  double dLat = 1, dLong = 1;
  int32_t Wid = 100, Hgt = 100;
};

// The box as a generated map uses it: low and high exchanged where given the
// wrong way round, spacings of 0 or less made 1 degree, sizes below 100
// pixels made 100.
KARTAVO_API TGeneratedMapBox PreparedMapBox(double LatLow, double LongLow, double LatHigh,
                                            double LongHigh, double dLat, double dLong, int32_t Wid,
                                            int32_t Hgt);
// What makes a prepared box unusable, or "" when nothing does: a value that
// is not a finite number, or a spacing so small for the box that a direction
// would need more than MaxGeneratedGridLines lines (a solid grey grid, or one whose
// drawing would never end).
KARTAVO_API std::string MapBoxProblem(const TGeneratedMapBox& Box);
constexpr int MaxGeneratedGridLines = 10000;

// How the lines of a grid with spacing Spacing are labelled: seconds for
// spacings up to 0.06 degree, whole degrees for whole spacings, else minutes.
KARTAVO_API quillon::TDegreeFormat GridLabelFormat(double Spacing);
// The label of a grid line, in UTF-8 as the canvas writes it: " 15° N ",
// " 7°30' W " (Positive/Negative are the hemisphere letters).
KARTAVO_API std::string GridLabel(double Angle, double Spacing, char Positive, char Negative);

// Where a parallel (latitude Lat) or meridian (longitude Long) of the box
// lies on the picture, as the grid and the calibration place the box inside
// a 30-pixel margin.
KARTAVO_API int GridParallelY(const TGeneratedMapBox& Box, double Lat);
KARTAVO_API int GridMeridianX(const TGeneratedMapBox& Box, double Long);

// The frame, the dotted outline and the dashed grey labelled grid on the
// picture's canvas, with the pen and font the canvas has when it is called.
// A direction whose low and high are equal gets no lines.
KARTAVO_API void DrawMapGrid(fw::TCanvas& Canvas, const TGeneratedMapBox& Box);

// The calibration of a generated map: the box's corners, nine calibration
// points in a 3 x 3 array (row by row from the bottom, left to right), inside
// the grid's margin when WithGrid, else on the picture's edges.
KARTAVO_API TCalibData GeneratedMapCalibration(const TGeneratedMapBox& Box, bool WithGrid,
                                               const std::string& MapFName);

// The picture: Wid x Hgt in Format (white), the grid when WithGrid, then the
// host's drawing when OnDrawMapData is set.
KARTAVO_API std::unique_ptr<fw::TBitmap> DrawGeneratedMap(const TGeneratedMapBox& Box,
                                                          bool WithGrid, fw::TPixelFormat Format,
                                                          fw::TObject* Sender,
                                                          TOnDrawMapDataEvent OnDrawMapData);

} // namespace kartavo
