// World files of calibrated maps: exact for the affine models at the image's
// corners and centre, the best affine fit with its error for the others,
// and the file's text and name.
#include "../lcc_test_map.h"
#include "kartavo/geomap/calib_fits.h"
#include "kartavo/geomap/georef/world_file.h"
#include "kartavo/package/exceptions.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kartavo {
namespace {

struct TFittedMap {
  TCalibModel Model;
  TCalibData Data;
  TModelParams Pars;
  tessaro::TMatrix Grat{5, 1};
  TGeoRef Ref() const { return {Model, Data, Pars, Grat}; }
};

TFittedMap Fit(TCalibModel model, const TCalibData& cd, int w, int h) {
  TFittedMap m{model, cd, {}, tessaro::TMatrix(5, 1)};
  FitCalibModel(model, m.Data, w, h, m.Pars);
  return m;
}

// X, Y of the world file at map-image pixel (x, y): its rows and columns
// count pixel centres, half a pixel in from the image's edges.
void WorldAt(const TAffineGeoref& g, double x, double y, double& X, double& Y) {
  X = g.A * (x - 0.5) + g.B * (y - 0.5) + g.C;
  Y = g.D * (x - 0.5) + g.E * (y - 0.5) + g.F;
}

const double CornersAndCentre[5][2] = {{0, 0}, {1000, 0}, {0, 800}, {1000, 800}, {500, 400}};

TEST(WorldFile, EquirectangularMapsAreWrittenExactlyAtCornersAndCentre) {
  // A rotated and sheared relation, so that all six numbers matter.
  TCalibData cd;
  for (auto [x, y] : {std::pair{0, 0}, {1000, 0}, {0, 800}, {1000, 800}, {300, 500}})
    cd.CalQuads[++cd.NumCalQuads] = {48 - 0.005 * y + 0.0004 * x, 6 + 0.006 * x + 0.0007 * y, x, y};
  const TFittedMap m = Fit(cmEquiRect, cd, 1000, 800);
  const TAffineGeoref g = CalcAffineGeoref(m.Ref(), 1000, 800);
  EXPECT_TRUE(g.Exact);
  EXPECT_EQ(g.RmsPixels, 0);
  EXPECT_NEAR(g.A, 0.006, 1e-12);
  EXPECT_NEAR(g.B, 0.0007, 1e-12);
  EXPECT_NEAR(g.D, 0.0004, 1e-12);
  EXPECT_NEAR(g.E, -0.005, 1e-12);
  EXPECT_NEAR(g.C, 6 + 0.5 * (0.006 + 0.0007), 1e-10); // centre of the top-left pixel
  for (const auto& p : CornersAndCentre) {
    double lat = 0, lon = 0, X = 0, Y = 0;
    ASSERT_TRUE(CalcPositionOfPixel(m.Ref(), p[0], p[1], lat, lon));
    WorldAt(g, p[0], p[1], X, Y);
    EXPECT_NEAR(X, lon, 1e-11) << p[0] << " " << p[1];
    EXPECT_NEAR(Y, lat, 1e-11) << p[0] << " " << p[1];
  }
}

TEST(WorldFile, UtmMapsAreWrittenExactlyInTheirZone) {
  TCalibData cd;
  cd.UTMZone = 32;
  for (auto [x, y] : {std::pair{0, 0}, {1000, 0}, {0, 800}, {1000, 800}})
    cd.CalQuads[++cd.NumCalQuads] = {5206000.0 - 50 * y, 300000.0 + 50 * x, x, y};
  const TFittedMap m = Fit(cmUTM, cd, 1000, 800);
  const TAffineGeoref g = CalcAffineGeoref(m.Ref(), 1000, 800);
  EXPECT_TRUE(g.Exact);
  for (const auto& p : CornersAndCentre) {
    double n = 0, e = 0, X = 0, Y = 0;
    ASSERT_TRUE(CalcUTMOfPixel(m.Ref(), p[0], p[1], n, e));
    WorldAt(g, p[0], p[1], X, Y);
    EXPECT_NEAR(X, e, 1e-6);
    EXPECT_NEAR(Y, n, 1e-6);
  }
  EXPECT_NEAR(g.C, 300025, 1e-6);
  EXPECT_NEAR(g.F, 5205975, 1e-6);
}

TEST(WorldFile, ConicMapsGetTheBestAffineFitAndHowFarItStrays) {
  using testing::TLccMap;
  const TFittedMap m = Fit(cmConicConformal, TLccMap::Points(), TLccMap::Width, TLccMap::Height);
  const TAffineGeoref g = CalcAffineGeoref(m.Ref(), TLccMap::Width, TLccMap::Height);
  EXPECT_FALSE(g.Exact);
  // The cone bends meridians and parallels across 480 x 360 km: an affine
  // relation misses by some pixels, never by a large part of the image.
  EXPECT_GT(g.RmsPixels, 0.5);
  EXPECT_LT(g.RmsPixels, 40);
  EXPECT_GE(g.MaxPixels, g.RmsPixels);
  EXPECT_NEAR(g.RmsMetres / g.RmsPixels, 300, 30); // 300 m pixels
  // At the corners and the centre the world file stays within its largest
  // miss of the model (in pixels of about 300 m).
  for (const auto& q :
       {std::pair{0.0, 0.0}, {1600.0, 0.0}, {0.0, 1200.0}, {1600.0, 1200.0}, {800.0, 600.0}}) {
    double lat = 0, lon = 0, X = 0, Y = 0;
    ASSERT_TRUE(CalcPositionOfPixel(m.Ref(), q.first, q.second, lat, lon));
    WorldAt(g, q.first, q.second, X, Y);
    const double metres = std::hypot((Y - lat) * 111200, (X - lon) * 111200 * std::cos(lat / 57.3));
    EXPECT_LT(metres, g.MaxPixels * 300 * 1.1) << q.first << " " << q.second;
  }
}

TEST(WorldFile, APolynomialThatIsAffineOnTheImageFitsWithoutError) {
  TCalibData cd;
  for (int x : {0, 500, 1000})
    for (int y : {0, 400, 800})
      cd.CalQuads[++cd.NumCalQuads] = {48 - 0.005 * y, 6 + 0.006 * x, x, y};
  const TFittedMap m = Fit(cmBiquadraticPn, cd, 1000, 800);
  const TAffineGeoref g = CalcAffineGeoref(m.Ref(), 1000, 800);
  EXPECT_FALSE(g.Exact);
  EXPECT_LT(g.RmsPixels, 1e-6);
  EXPECT_NEAR(g.A, 0.006, 1e-12);
  EXPECT_NEAR(g.F, 48 - 0.0025, 1e-8);
}

TEST(WorldFile, TextAndName) {
  TAffineGeoref g;
  g.A = 0.5;
  g.E = -0.25;
  g.C = 10.25;
  g.F = 50;
  g.B = -0.0;
  EXPECT_EQ(WorldFileText(g), "0.5\n0\n0\n-0.25\n10.25\n50\n");
  g.A = 1.0 / 3;
  EXPECT_EQ(WorldFileText(g).substr(0, 19), "0.3333333333333333\n");
  EXPECT_EQ(WorldFileName("maps/alps.jpg"), "maps/alps.jgw");
  EXPECT_EQ(WorldFileName("ALPS.JPEG"), "ALPS.jgw");
  EXPECT_EQ(WorldFileName("a.b/map.png"), "a.b/map.pgw");
  EXPECT_EQ(WorldFileName("map.bmp"), "map.bpw");
  EXPECT_EQ(WorldFileName("map.xyz"), "map.wld");
  EXPECT_EQ(WorldFileName("map"), "map.wld");
}

TEST(WorldFile, MapsThatConvertNothingAndAbsurdSizesAreRefused) {
  TCalibData cd;
  const TFittedMap undefined = Fit(cmUndefined, cd, 100, 100);
  EXPECT_THROW(CalcAffineGeoref(undefined.Ref(), 100, 100), EORVGeoMapError);
  const TFittedMap graticule = Fit(cmParabolicIp, cd, 100, 100); // no lines
  EXPECT_THROW(CalcAffineGeoref(graticule.Ref(), 100, 100), EORVGeoMapError);
  // Points on one line map the whole image onto a line.
  for (int i = 0; i < 3; ++i)
    cd.CalQuads[++cd.NumCalQuads] = {48.0 - i, 6.0 + i, 10 * i, 10 * i};
  const TFittedMap line = Fit(cmEquiRect, cd, 100, 100);
  EXPECT_THROW(CalcAffineGeoref(line.Ref(), 100, 100), EORVGeoMapError);
  cd.CalQuads[++cd.NumCalQuads] = {48, 7, 50, 0};
  const TFittedMap good = Fit(cmEquiRect, cd, 100, 100);
  EXPECT_NO_THROW(CalcAffineGeoref(good.Ref(), 100, 100));
  EXPECT_THROW(CalcAffineGeoref(good.Ref(), 0, 100), EORVGeoMapError);
  EXPECT_THROW(CalcAffineGeoref(good.Ref(), 100, 1000001), EORVGeoMapError);
}

} // namespace
} // namespace kartavo
