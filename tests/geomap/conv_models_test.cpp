#include "kartavo/geobasics/utm.h"
#include "kartavo/geomap/calib_fits.h"
#include "kartavo/geomap/detail/pixel_round.h"
#include "kartavo/geomap/geo_conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kartavo {
namespace {

// A model, a record, parameter sets and a graticule to convert with.
struct ConvSetup {
  TCalibModel model = cmUndefined;
  TCalibData cd;
  TModelParams pars;
  tessaro::TMatrix grat{5, 1};
  TGeoRef Ref() const { return {model, cd, pars, grat}; }
};

TEST(ViewConversion, RoundsHalfToEven) {
  const quillon::TPoint tl{100, 50};
  EXPECT_EQ(ControlToMapImage({11, 11}, tl, 2.0), (quillon::TPoint{106, 56}));
  EXPECT_EQ(MapImageToControl({106, 56}, tl, 2.0), (quillon::TPoint{12, 12}));
  EXPECT_EQ(ControlToMapImage({13, 13}, tl, 2.0), (quillon::TPoint{106, 56}));
  EXPECT_EQ(ControlToMapImage({-5, -3}, tl, 2.0), (quillon::TPoint{98, 48}));
  // A magnification of 0 must not turn into a wild pixel.
  EXPECT_EQ(ControlToMapImage({0, 0}, tl, 0.0), tl);
}

TEST(PixelRounding, HalvesGoToEvenAndExtremesAreSafe) {
  EXPECT_EQ(RoundPixel(2.5), 2);
  EXPECT_EQ(RoundPixel(3.5), 4);
  EXPECT_EQ(RoundPixel(-2.5), -2);
  EXPECT_EQ(RoundPixel(-3.5), -4);
  EXPECT_EQ(RoundPixel(1e12), std::numeric_limits<int>::max());
  EXPECT_EQ(RoundPixel(-1e12), std::numeric_limits<int>::min());
  int out = 7;
  EXPECT_FALSE(RoundPixel(std::nan(""), out));
  EXPECT_EQ(out, 0);
}

TEST(Conversion, UndefinedModelIsInvalidAndLeavesThePixelAlone) {
  ConvSetup s;
  bool valid = true;
  EXPECT_EQ(CalcLatitude(s.Ref(), 3, 4, valid), 0.0);
  EXPECT_FALSE(valid);
  int x = 17, y = 18;
  EXPECT_FALSE(CalcPixelCoords(s.Ref(), 47, 8, x, y));
  EXPECT_EQ(x, 17);
  EXPECT_EQ(y, 18);
}

TEST(Conversion, MillerWithZeroParameters) {
  ConvSetup s;
  s.model = cmMillerCylindrical;
  s.pars.MillercylPar(1, 2) = 12.5;
  s.pars.MillercylPar(2, 2) = -3.5;
  bool valid = true;
  CalcLatitude(s.Ref(), 1, 1, valid);
  EXPECT_FALSE(valid);
  CalcLongitude(s.Ref(), 1, 1, valid);
  EXPECT_FALSE(valid);
  int x = 0, y = 0;
  EXPECT_TRUE(CalcPixelCoords(s.Ref(), 47, 8, x, y));
  EXPECT_EQ(x, -4);
  EXPECT_EQ(y, 12);
}

TEST(Conversion, MillerRoundTrip) {
  ConvSetup s;
  s.model = cmMillerCylindrical;
  s.pars.MillercylPar(1, 1) = -3000;
  s.pars.MillercylPar(1, 2) = 2500;
  s.pars.MillercylPar(2, 1) = 2000;
  s.pars.MillercylPar(2, 2) = 300;
  int x = 0, y = 0;
  ASSERT_TRUE(CalcPixelCoords(s.Ref(), 45.0, 10.0, x, y));
  bool valid = false;
  EXPECT_NEAR(CalcLatitude(s.Ref(), x, y, valid), 45.0, 0.02);
  EXPECT_TRUE(valid);
  EXPECT_NEAR(CalcLongitude(s.Ref(), x, y, valid), 10.0, 0.02);
  // Latitudes past the poles have no Miller ordinate: invalid, not wild.
  EXPECT_FALSE(CalcPixelCoords(s.Ref(), 250.0, 10.0, x, y));
}

TEST(Conversion, ConicPlacesSouthernPositionsAcrossTheApexRow) {
  ConvSetup s;
  s.model = cmConicConformal;
  s.pars.ConicPars = {{500, -5000, -0.002, 70, 25, 12}};
  int x = 0, y = 0;
  ASSERT_TRUE(CalcPixelCoords(s.Ref(), 50, 12, x, y));
  EXPECT_EQ(x, 500);
  EXPECT_EQ(y, -5000 + 10000);
  ASSERT_TRUE(CalcPixelCoords(s.Ref(), -10, 12, x, y));
  EXPECT_EQ(y, -5000 - 40000);
  bool valid = false;
  EXPECT_NEAR(CalcLatitude(s.Ref(), 500, 5000, valid), 50, 1e-12);
  // On the apex row the bearing is a right angle; at the apex undefined.
  EXPECT_NEAR(CalcLongitude(s.Ref(), 600, -5000, valid), 25 * M_PI / 2 + 12, 1e-12);
  EXPECT_TRUE(valid);
  CalcLongitude(s.Ref(), 500, -5000, valid);
  EXPECT_FALSE(valid);
  s.pars.ConicPars[5] = 0;
  EXPECT_FALSE(CalcPixelCoords(s.Ref(), 50, 12, x, y));
  EXPECT_EQ(x, 0);
}

TEST(Conversion, UTMPixelsOnlyUnderTheUTMModel) {
  ConvSetup s;
  s.model = cmEquiRect;
  int x = 5, y = 5;
  EXPECT_FALSE(CalcPixelCoordsUTM(s.Ref(), 5.2e6, 5e5, x, y));
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  // Without a usable relation the crossing helpers give 0, not a wild pixel.
  EXPECT_EQ(CalcUTMyFromNorthingX(s.pars.EquRectSPPL, 5.2e6, 100), 0);
  EXPECT_EQ(CalcUTMxFromEastingY(s.pars.EquRectSPPL, 5e5, 100), 0);
}

TEST(Conversion, UTMMapRoundTripsThroughTheProjection) {
  ConvSetup s;
  s.model = cmUTM;
  s.cd.UTMZone = 32;
  // 10 m per pixel, image top-left at northing 5300000, easting 400000.
  for (auto [x, y] : {std::pair{0, 0}, {1000, 0}, {0, 800}, {1000, 800}}) {
    s.cd.CalQuads[++s.cd.NumCalQuads] = {5300000.0 - 10 * y, 400000.0 + 10 * x, x, y};
  }
  CalcEquiRectCalibration(s.cd, s.pars);
  bool valid = false;
  const double lat = CalcLatitude(s.Ref(), 500, 400, valid);
  const double lon = CalcLongitude(s.Ref(), 500, 400, valid);
  double wantLat = 0, wantLon = 0;
  UTMToLatLong(405000, 5296000, 32, false, gelWGS84, wantLat, wantLon);
  EXPECT_NEAR(lat, wantLat, 1e-9);
  EXPECT_NEAR(lon, wantLon, 1e-9);
  int x = 0, y = 0;
  ASSERT_TRUE(CalcPixelCoords(s.Ref(), lat, lon, x, y));
  EXPECT_EQ(x, 500);
  EXPECT_EQ(y, 400);
  ASSERT_TRUE(CalcPixelCoordsUTM(s.Ref(), 5296000, 405000, x, y));
  EXPECT_EQ(x, 500);
  EXPECT_EQ(y, 400);
  EXPECT_EQ(CalcUTMyFromNorthingX(s.pars.EquRectSPPL, 5296000, 123), 400);
  EXPECT_EQ(CalcUTMxFromEastingY(s.pars.EquRectSPPL, 405000, 77), 500);
}

TEST(Conversion, BiquadraticAndEquiRectRoundTrip) {
  for (TCalibModel m : {cmBiquadraticPn, cmEquiRect}) {
    ConvSetup s;
    s.model = m;
    for (int i = 0; i < 4; ++i)
      for (int j = 0; j < 4; ++j)
        s.cd.CalQuads[++s.cd.NumCalQuads] = {48 - 0.001 * j * 300, 8 + 0.0015 * i * 300, i * 300,
                                             j * 300};
    CalcBiquadraticCalibration(s.cd, s.pars);
    CalcEquiRectCalibration(s.cd, s.pars);
    bool valid = false;
    const double lat = CalcLatitude(s.Ref(), 451, 123, valid);
    const double lon = CalcLongitude(s.Ref(), 451, 123, valid);
    EXPECT_NEAR(lat, 48 - 0.123, 1e-9);
    EXPECT_NEAR(lon, 8 + 0.0015 * 451, 1e-9);
    int x = 0, y = 0;
    ASSERT_TRUE(CalcPixelCoords(s.Ref(), lat, lon, x, y));
    EXPECT_EQ(x, 451);
    EXPECT_EQ(y, 123);
  }
}

TEST(PositionTest, InsideIsStrictlyInside) {
  TCornerArray c;
  c[gcoTopLeft] = {48, 6};
  c[gcoBottomLeft] = {44, 6};
  c[gcoBottomRight] = {44, 12};
  c[gcoTopRight] = {48, 12};
  EXPECT_TRUE(PositionInMap(46, 9, c));
  EXPECT_FALSE(PositionInMap(48, 6, c)); // a corner
  EXPECT_FALSE(PositionInMap(46, 6, c)); // an edge
  EXPECT_FALSE(PositionInMap(49, 9, c));
  EXPECT_FALSE(PositionInMap(46, 190, c)); // nothing wraps
}

TEST(Extents, CornersAreTheOuterEdgesAndResolutionRunsAlongTheMiddleRow) {
  ConvSetup s;
  s.model = cmEquiRect;
  s.pars.EquRectPLSP(1, 1) = 48;
  s.pars.EquRectPLSP(1, 3) = -0.001;
  s.pars.EquRectPLSP(2, 1) = 6;
  s.pars.EquRectPLSP(2, 2) = 0.002;
  TCornerArray corners;
  double res = -1;
  CalcExtentsAndResolution(s.Ref(), 3000, 4000, corners, res);
  EXPECT_EQ(corners[gcoBottomRight], (TCoords{44, 12}));
  EXPECT_EQ(corners[gcoTopLeft], (TCoords{48, 6}));
  const double dist = tessaro::SphereGreatCircleDist(6378000, 46, 6, 46, 12);
  EXPECT_NEAR(res, dist / 3000, 1e-9);
  CalcExtentsAndResolution(s.Ref(), 0, 4000, corners, res);
  EXPECT_EQ(res, 0.0);
  // A map wider than half the globe adds the half circle.
  s.pars.EquRectPLSP(2, 2) = 0.1;
  CalcExtentsAndResolution(s.Ref(), 3000, 4000, corners, res);
  const double wide = tessaro::SphereGreatCircleDist(6378000, 46, 6, 46, 306) + M_PI * 6378000;
  EXPECT_NEAR(res, wide / 3000, 1e-6);
}

} // namespace
} // namespace kartavo

namespace kartavo {
namespace {

TEST(Conversion, UTMMapPlacesPositionsAcrossTheZoneBoundaryInItsOwnZone) {
  ConvSetup s;
  s.model = cmUTM;
  s.cd.UTMZone = 32; // 6°E to 12°E
  for (auto [x, y] : {std::pair{0, 0}, {1000, 0}, {0, 800}, {1000, 800}})
    s.cd.CalQuads[++s.cd.NumCalQuads] = {5300000.0 - 100 * y, 700000.0 + 100 * x, x, y};
  CalcEquiRectCalibration(s.cd, s.pars);
  // A pixel east of 12°E: back and forth through the map's zone.
  bool valid = false;
  const double lat = CalcLatitude(s.Ref(), 900, 400, valid);
  const double lon = CalcLongitude(s.Ref(), 900, 400, valid);
  ASSERT_GT(lon, 12.0);
  int x = 0, y = 0;
  ASSERT_TRUE(CalcPixelCoords(s.Ref(), lat, lon, x, y));
  EXPECT_EQ(x, 900);
  EXPECT_EQ(y, 400);
}

} // namespace
} // namespace kartavo
