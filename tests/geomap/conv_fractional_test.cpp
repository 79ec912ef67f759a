// The fractional forms of the conversions: the same models as the integer
// forms of the control, without the rounding to whole pixels.
#include "kartavo/geomap/calib_fits.h"
#include "kartavo/geomap/geo_conversion.h"
#include "lcc_test_map.h"

#include <gtest/gtest.h>

namespace kartavo {
namespace {

// An equirectangular map of 1000 x 800 pixels from 48 N 6 E to 44 N 12 E and
// its fitted parameters, under a chosen model.
struct TFittedMap {
  TCalibData Data;
  TModelParams Pars;
  tessaro::TMatrix Grat{5, 1};
  TCalibModel Model;

  explicit TFittedMap(TCalibModel model) : Model(model) {
    for (int x : {0, 300, 700, 1000})
      for (int y : {0, 250, 800})
        Data.CalQuads[++Data.NumCalQuads] = {48 - y * 4.0 / 800, 6 + x * 6.0 / 1000, x, y};
    if (model == cmBiquadraticPn) CalcBiquadraticCalibration(Data, Pars);
    if (model == cmEquiRect) CalcEquiRectCalibration(Data, Pars);
    if (model == cmMillerCylindrical) CalcMillerCylCalibration(Data, Pars);
    if (model == cmConicConformal) CalcConicCalibration(Data, 1000, 800, Pars);
  }
  TGeoRef Ref() const { return {Model, Data, Pars, Grat}; }
};

TEST(ConvFractional, WholePixelsGiveWhatTheIntegerFormsGive) {
  for (TCalibModel m : {cmBiquadraticPn, cmEquiRect, cmMillerCylindrical, cmConicConformal}) {
    const TFittedMap map(m);
    for (auto [x, y] : {std::pair{0, 0}, std::pair{123, 77}, std::pair{999, 640}}) {
      bool vLat = false, vLon = false;
      const double lat = CalcLatitude(map.Ref(), x, y, vLat);
      const double lon = CalcLongitude(map.Ref(), x, y, vLon);
      double fLat = 0, fLon = 0;
      ASSERT_TRUE(CalcPositionOfPixel(map.Ref(), x, y, fLat, fLon)) << m;
      EXPECT_EQ(fLat, lat) << m << ' ' << x << ' ' << y;
      EXPECT_EQ(fLon, lon) << m << ' ' << x << ' ' << y;
    }
  }
}

// The pixel 123.456789 77.123456 of the equirectangular map lies at
// 47.61438272 6.74074073; rounding it to 123 77 would put it 0.00057 degrees
// (about 60 m) away.
TEST(ConvFractional, FractionsSurviveBothWays) {
  const TFittedMap map(cmEquiRect);
  double lat = 0, lon = 0;
  ASSERT_TRUE(CalcPositionOfPixel(map.Ref(), 123.456789, 77.123456, lat, lon));
  EXPECT_NEAR(lat, 48 - 77.123456 * 4.0 / 800, 1e-10);
  EXPECT_NEAR(lon, 6 + 123.456789 * 6.0 / 1000, 1e-10);
  double x = 0, y = 0;
  ASSERT_TRUE(CalcPixelOfPosition(map.Ref(), lat, lon, x, y));
  EXPECT_NEAR(x, 123.456789, 1e-6);
  EXPECT_NEAR(y, 77.123456, 1e-6);
}

TEST(ConvFractional, ConicRowsAreNotRoundedBeforeTheColumn) {
  const TCalibData cd = testing::TLccMap::Points();
  TModelParams pars;
  CalcConicCalibration(cd, testing::TLccMap::Width, testing::TLccMap::Height, pars);
  tessaro::TMatrix grat(5, 1);
  const TGeoRef ref{cmConicConformal, cd, pars, grat};
  double lat = 0, lon = 0, x = 0, y = 0;
  ASSERT_TRUE(CalcPositionOfPixel(ref, 1733.25, 211.75, lat, lon));
  ASSERT_TRUE(CalcPixelOfPosition(ref, lat, lon, x, y));
  EXPECT_NEAR(x, 1733.25, 1e-6);
  EXPECT_NEAR(y, 211.75, 1e-6);
}

TEST(ConvFractional, UtmMapsAndModelsThatCannotConvert) {
  TFittedMap map(cmEquiRect);
  map.Model = cmUTM; // the same affine relation, read as northing and easting
  double n = 0, e = 0, x = 0, y = 0;
  ASSERT_TRUE(CalcUTMOfPixel(map.Ref(), 500.5, 400.25, n, e));
  ASSERT_TRUE(CalcPixelOfUTM(map.Ref(), n, e, x, y));
  EXPECT_NEAR(x, 500.5, 1e-6);
  EXPECT_NEAR(y, 400.25, 1e-6);
  map.Model = cmEquiRect;
  EXPECT_FALSE(CalcUTMOfPixel(map.Ref(), 1, 1, n, e));
  EXPECT_FALSE(CalcPixelOfUTM(map.Ref(), 1, 1, x, y));
  map.Model = cmUndefined;
  EXPECT_FALSE(CalcPositionOfPixel(map.Ref(), 1, 1, n, e));
  EXPECT_FALSE(CalcPixelOfPosition(map.Ref(), 1, 1, x, y));
  EXPECT_EQ(x, 0);
}

} // namespace
} // namespace kartavo
