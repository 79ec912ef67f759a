// Conversions between the coordinate spaces of a calibrated map: control
// pixels, map-image pixels, geographic positions (degrees, north and east
// positive) and UTM coordinates, under every calibration model. They keep
// no state: they read the model, the parameter sets and the graticule matrix
// as they stand. Invalid conversions are reported through `valid` or the
// Boolean result and never hand out a value that is not finite.
#pragma once

#include "kartavo/companion/quillon.h"
#include "kartavo/companion/tessaro.h"
#include "kartavo/framework/export.h"
#include "kartavo/geomap/calib_params.h"
#include "kartavo/geomap/calib_records.h"

namespace kartavo {

// What a conversion reads.
struct TGeoRef {
  TCalibModel Model;
  const TCalibData& CalibData;     // UTM zone, hemisphere and ellipsoid
  const TModelParams& Pars;        // the fitted parameter sets
  const tessaro::TMatrix& GratMat; // the graticule of cmParabolicIp
};

// View: TopLeft is the map-image pixel shown at control pixel (0, 0),
// Magnify the number of control pixels per map-image pixel.
KARTAVO_API quillon::TPoint ControlToMapImage(quillon::TPoint P, quillon::TPoint TopLeft,
                                              double Magnify);
KARTAVO_API quillon::TPoint MapImageToControl(quillon::TPoint P, quillon::TPoint TopLeft,
                                              double Magnify);

// Map-image pixel to geographic position.
KARTAVO_API double CalcLatitude(const TGeoRef& ref, int x, int y, bool& valid);
KARTAVO_API double CalcLongitude(const TGeoRef& ref, int x, int y, bool& valid);

// Geographic position to map-image pixel; true when valid. Under
// cmUndefined x and y are not written.
KARTAVO_API bool CalcPixelCoords(const TGeoRef& ref, double Lat, double Long, int& x, int& y);

// UTM coordinates to map-image pixel (cmUTM only; otherwise false, x = y = 0).
KARTAVO_API bool CalcPixelCoordsUTM(const TGeoRef& ref, double Northing, double Easting, int& x,
                                    int& y);
// Where the line of constant northing crosses column x, and the line of
// constant easting row y, under the affine UTM relation F (EquRectSPPL).
// A relation that has no such crossing gives 0.
KARTAVO_API int CalcUTMyFromNorthingX(const TAffineParams& F, double Northing, int x);
KARTAVO_API int CalcUTMxFromEastingY(const TAffineParams& F, double Easting, int y);

// Fractional map-image pixels: the same conversions without rounding, for
// positions between whole pixels and for tools that must not lose the
// fraction. They agree with the integer forms at whole pixels, except that
// under cmConicConformal the integer form rounds the row before the column
// follows from it. False (and 0, 0) where the model cannot convert.
KARTAVO_API bool CalcPositionOfPixel(const TGeoRef& ref, double x, double y, double& Lat,
                                     double& Long);
KARTAVO_API bool CalcPixelOfPosition(const TGeoRef& ref, double Lat, double Long, double& x,
                                     double& y);
// Under cmUTM only: northing and easting in the map's zone from a pixel and
// back, through the affine relation.
KARTAVO_API bool CalcUTMOfPixel(const TGeoRef& ref, double x, double y, double& Northing,
                                double& Easting);
KARTAVO_API bool CalcPixelOfUTM(const TGeoRef& ref, double Northing, double Easting, double& x,
                                double& y);

// Whether a position lies strictly inside the quadrilateral of the corners
// (in the order top-left, bottom-left, bottom-right, top-right). Edges and
// corners are outside; nothing wraps at ±180°.
KARTAVO_API bool PositionInMap(double Latit, double Longit, const TCornerArray& Corners);

// The positions of the image's four outer corners (pixels (0, 0), (0, H),
// (W, H), (W, 0)) and the metres per pixel along the middle row.
KARTAVO_API void CalcExtentsAndResolution(const TGeoRef& ref, int ImgWidth, int ImgHeight,
                                          TCornerArray& Corners, double& Resolution);

// Rebuilds the graticule matrix from the lines of the record: 5 columns and
// one row per line (kind, value, a0, a1, a2). True when at least two
// parallels and two meridians have three or more points; otherwise the
// matrix becomes one row of zeros.
KARTAVO_API bool RecalcGratMat(const TCalibData& cd, tessaro::TMatrix& GratMat);

// The graticule-model conversions behind CalcLatitude, CalcLongitude and
// CalcPixelCoords.
KARTAVO_API double GraticuleLatitude(const tessaro::TMatrix& g, int x, int y, bool& valid);
KARTAVO_API double GraticuleLongitude(const tessaro::TMatrix& g, int x, int y, bool& valid);
KARTAVO_API bool GraticulePixel(const tessaro::TMatrix& g, double Lat, double Long, int& x, int& y);
// Their fractional forms.
KARTAVO_API double GraticuleLatitude(const tessaro::TMatrix& g, double x, double y, bool& valid);
KARTAVO_API double GraticuleLongitude(const tessaro::TMatrix& g, double x, double y, bool& valid);
KARTAVO_API bool GraticulePixelOf(const tessaro::TMatrix& g, double Lat, double Long, double& x,
                                  double& y);

} // namespace kartavo
