// Residuals of calibration points against figures worked out by hand, the
// warnings a georeferencing user needs, and the comparison of models.
#include "../lcc_test_map.h"
#include "kartavo/geomap/calib_fits.h"
#include "kartavo/geomap/georef/calib_diagnostics.h"
#include "kartavo/geomap/georef/model_compare.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kartavo {
namespace {

TCalibDiagnostics Diagnose(TCalibModel model, const TCalibData& cd, int w = 100, int h = 100) {
  TModelParams pars;
  const tessaro::TMatrix grat(5, 1);
  FitCalibModel(model, cd, w, h, pars);
  return DiagnoseCalibration({model, cd, pars, grat});
}

// A square of 100 x 100 pixels and its centre; the centre's pixel is stored
// 5 pixels too low. Position of pixel (x, y): northing 5000000 - 10 y,
// easting 500000 + 10 x (UTM), or latitude -0.001 y, longitude 0.001 x.
TCalibData SquareWithBadCentre(bool utm) {
  TCalibData cd;
  cd.UTMZone = utm ? 32 : -1;
  for (auto [x, y] : {std::pair{0, 0}, {100, 0}, {0, 100}, {100, 100}, {50, 50}}) {
    TCalQuad q = utm ? TCalQuad{5000000.0 - 10 * y, 500000.0 + 10 * x, x, y}
                     : TCalQuad{-0.001 * y, 0.001 * x, x, y};
    if (x == 50) q.MapY = 55;
    cd.CalQuads[++cd.NumCalQuads] = q;
  }
  return cd;
}

// By hand: the points' positions form a square and its centre, so the fit of
// the row is y = 51 - 0.1 (N - 4999500) (the mean row, 255 / 5, and the
// slope -100000 / 1000000). The model's row minus the stored row: +1 at each
// corner, 51 - 55 = -4 at the centre; the column fits exactly. Sum of
// squares 4 + 16 = 20 over 5 - 3 = 2 degrees of freedom.
TEST(CalibDiagnostics, ResidualsOfAUtmSquareMatchTheHandComputedFit) {
  const TCalibDiagnostics d = Diagnose(cmUTM, SquareWithBadCentre(true));
  ASSERT_EQ(d.Points.size(), 5u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(d.Points[size_t(i)].Dx, 0, 1e-9);
    EXPECT_NEAR(d.Points[size_t(i)].Dy, 1, 1e-9);
    EXPECT_NEAR(d.Points[size_t(i)].Metres, 10, 1e-6); // 10 m pixels
  }
  EXPECT_NEAR(d.Points[4].Dy, -4, 1e-9);
  EXPECT_NEAR(d.Points[4].Pixels, 4, 1e-9);
  EXPECT_NEAR(d.Points[4].Metres, 40, 1e-6);
  EXPECT_EQ(d.Used, 5);
  EXPECT_EQ(d.Terms, 3);
  EXPECT_EQ(d.Redundancy, 2);
  EXPECT_NEAR(d.Rms, std::sqrt(10.0), 1e-9);
  EXPECT_NEAR(d.RmsY, std::sqrt(10.0), 1e-9);
  EXPECT_NEAR(d.RmsX, 0, 1e-9);
  EXPECT_NEAR(d.RmsPlain, 2, 1e-9);
  EXPECT_NEAR(d.RmsMetres, std::sqrt(1000.0), 1e-6);
  EXPECT_EQ(d.Worst, 5);
  ASSERT_EQ(d.Warnings.size(), 1u);
  EXPECT_EQ(d.Warnings[0], "point 5 misses by 4.0 pixels, more than 3 times the other points (rms "
                           "1.00): check its position and pixel");
}

// The same square at the equator in degrees: a pixel is 0.001 degrees of
// latitude, 0.001 x 6335439.327 m (the meridian radius of WGS 84 there,
// a (1 - e²)) x pi / 180 = 110.574 m on the ground.
TEST(CalibDiagnostics, GeographicResidualsInMetresUseTheEllipsoidAtThePoint) {
  const TCalibDiagnostics d = Diagnose(cmEquiRect, SquareWithBadCentre(false));
  EXPECT_NEAR(d.Points[4].Dy, -4, 1e-6);
  EXPECT_NEAR(d.Points[4].Metres, 4 * 110.574389, 0.01);
  EXPECT_NEAR(d.Points[0].Metres, 110.574389, 0.01);
  EXPECT_NEAR(d.Rms, std::sqrt(10.0), 1e-6);
}

TEST(CalibDiagnostics, PointsThatContradictEachOtherAreNamed) {
  TCalibData cd = SquareWithBadCentre(true);
  cd.CalQuads[5].MapY = 50;
  TCalibData twice = cd, samePlace = cd, samePixel = cd;
  twice.CalQuads[++twice.NumCalQuads] = cd.CalQuads[2];
  EXPECT_EQ(Diagnose(cmUTM, twice).Warnings,
            std::vector<std::string>{"points 2 and 6 are the same point twice"});

  samePlace.CalQuads[++samePlace.NumCalQuads] = {5000000, 500000, 60, 10};
  const auto w = Diagnose(cmUTM, samePlace).Warnings;
  ASSERT_FALSE(w.empty());
  EXPECT_EQ(w.back(), "points 1 and 6 lie at the same position (0.0 m apart, less than half a "
                      "pixel) but 60.8 pixels apart on the image");

  samePixel.CalQuads[++samePixel.NumCalQuads] = {5000000 - 800, 500000 + 800, 0, 0};
  EXPECT_EQ(Diagnose(cmUTM, samePixel).Warnings.back(),
            "points 1 and 6 share the pixel 0 0 but lie 1131 m apart (about 113.1 pixels at the "
            "map's scale)");
}

TEST(CalibDiagnostics, TooFewPointsAndNoRedundancyAreWarnedOf) {
  TCalibData cd = SquareWithBadCentre(true);
  cd.NumCalQuads = 3;
  TCalibDiagnostics d = Diagnose(cmUTM, cd);
  EXPECT_EQ(d.Redundancy, 0);
  EXPECT_EQ(d.Rms, 0);
  EXPECT_EQ(d.Warnings, std::vector<std::string>{
                            "no redundancy: 3 points for a model with 3 coefficients per "
                            "coordinate fit exactly, whatever their errors; add points to check "
                            "them"});
  cd.NumCalQuads = 2;
  d = Diagnose(cmUTM, cd);
  ASSERT_EQ(d.Warnings.size(), 1u);
  EXPECT_EQ(d.Warnings[0], "the points cannot determine the model: it needs three points, not all "
                           "on one line, got 2");
  cd.NumCalQuads = 5;
  d = Diagnose(cmBiquadraticPn, SquareWithBadCentre(false));
  EXPECT_EQ(d.Terms, 6);
  EXPECT_EQ(d.Redundancy, -1);
  EXPECT_NE(d.Warnings[0].find("it needs six points"), std::string::npos) << d.Warnings[0];
  EXPECT_EQ(Diagnose(cmParabolicIp, cd).Warnings,
            std::vector<std::string>{"the model parabolicip has no calibration points to check"});
}

TEST(CalibDiagnostics, TheConicModelSuitsAConicMapBest) {
  using testing::TLccMap;
  const auto rows = CompareCalibModels(TLccMap::Points(), TLccMap::Width, TLccMap::Height);
  ASSERT_EQ(rows.size(), 5u);
  double conic = 0, equirect = 0;
  // 480 km around 2 E reach across the meridian of Greenwich into zone 30.
  EXPECT_EQ(rows[4].Model, cmUTM);
  EXPECT_EQ(rows[4].Skipped, "the points lie in more than one UTM zone");
  for (const TModelComparison& r : rows) {
    if (r.Model == cmUTM) continue;
    ASSERT_TRUE(r.Skipped.empty()) << CalibModelNames[r.Model] << ": " << r.Skipped;
    EXPECT_EQ(r.Diagnostics.Used, 25);
    if (r.Model == cmConicConformal) conic = r.Diagnostics.Rms;
    if (r.Model == cmEquiRect) equirect = r.Diagnostics.Rms;
  }
  EXPECT_LT(conic, 0.5); // the positions are rounded to 6 decimals
  EXPECT_GT(equirect, 5 * conic);
}

TEST(CalibDiagnostics, UtmPointsAreComparedWithTheGeographicModelsToo) {
  const auto rows = CompareCalibModels(SquareWithBadCentre(true), 100, 100);
  EXPECT_EQ(rows[0].Model, cmEquiRect);
  EXPECT_TRUE(rows[0].Skipped.empty());
  // A square kilometre: latitude and longitude are affine in the grid here.
  EXPECT_NEAR(rows[0].Diagnostics.Rms, std::sqrt(10.0), 0.01);
  EXPECT_NEAR(rows[4].Diagnostics.Rms, std::sqrt(10.0), 1e-9);
  EXPECT_NE(rows[3].Skipped.find("six points"), std::string::npos);
}

} // namespace
} // namespace kartavo
