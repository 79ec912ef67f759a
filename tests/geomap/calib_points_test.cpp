#include "kartavo/geomap/geomap_control.h"
#include "kartavo/package/exceptions.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kartavo {
namespace {

struct NamedMap : TGeoMap {
  NamedMap() : TGeoMap(nullptr) { SetName("GeoMap1"); }
};

void ExpectMessage(const std::function<void()>& f, const std::string& text) {
  try {
    f();
    ADD_FAILURE() << "no exception";
  } catch (const EORVGeoMapError& e) {
    EXPECT_EQ(std::string(e.what()), "Component \"GeoMap1\": " + text);
  }
}

TEST(CalibPoints, GraticuleLinesJoinOnExactValuesOnly) {
  NamedMap map;
  map.SetCalibModel(cmParabolicIp);
  EXPECT_TRUE(map.AddCalibPoint(gtlParallel, 47.5, 10, 20));
  EXPECT_TRUE(map.AddCalibPoint(gtlParallel, 47.5, 500, 25));
  EXPECT_TRUE(map.AddCalibPoint(gtlParallel, std::nextafter(47.5, 48.0), 990, 20));
  EXPECT_TRUE(map.AddCalibPoint(gtlMeridian, 47.5, 30, 40));
  EXPECT_EQ(map.CalibData().NumCalLines, 3);
  EXPECT_EQ(map.CalibData().CalLines[1].NumPoints, 2);
}

TEST(CalibPoints, FullTablesRefuseWithFalseAndStillRepaint) {
  NamedMap map;
  map.SetCalibModel(cmParabolicIp);
  for (int i = 0; i < 10; ++i)
    EXPECT_TRUE(map.AddCalibPoint(gtlMeridian, 8.0, i, 2 * i));
  int paints = map.PaintCount();
  EXPECT_FALSE(map.AddCalibPoint(gtlMeridian, 8.0, 99, 99));
  EXPECT_EQ(map.CalibData().CalLines[1].NumPoints, 10);
  EXPECT_EQ(map.PaintCount(), paints + 1);
  for (int k = 2; k <= 25; ++k)
    EXPECT_TRUE(map.AddCalibPoint(gtlParallel, double(k), 1, k));
  EXPECT_FALSE(map.AddCalibPoint(gtlParallel, 26.0, 1, 26));
  EXPECT_EQ(map.CalibData().NumCalLines, 25);

  map.SetCalibModel(cmEquiRect);
  for (int i = 1; i <= 200; ++i)
    ASSERT_TRUE(map.AddCalibPoint(40 + i * 0.01, 8 + i * 0.013, i, 3 * i % 97));
  paints = map.PaintCount();
  EXPECT_FALSE(map.AddCalibPoint(1.0, 1.0, 1, 1));
  EXPECT_EQ(map.CalibData().NumCalQuads, 200);
  EXPECT_EQ(map.PaintCount(), paints + 1);
}

TEST(CalibPoints, OverloadsRefusedUnderOtherModels) {
  NamedMap map;
  const std::string addMsg =
      "current calibration model does not support this version of AddCalibPoint";
  for (TCalibModel m : {cmParabolicIp, cmUTM, cmUndefined}) {
    map.SetCalibModel(m);
    ExpectMessage([&] { map.AddCalibPoint(47.0, 8.0, 1, 1); }, addMsg);
  }
  map.SetCalibModel(cmEquiRect);
  ExpectMessage([&] { map.AddCalibPoint(gtlParallel, 47.0, 1, 1); }, addMsg);
  ExpectMessage([&] { map.AddCalibPoint(5e6, 5e5, 32, hemiNorth, 1, 1); }, addMsg);
  ExpectMessage([&] { map.RemoveCalibPoint(gtlParallel, 47.0, 1, 1); },
                "current calibration model does not support this version of RemoveCalibPoint");
  EXPECT_EQ(map.CalibData().NumCalQuads, 0);
}

TEST(CalibPoints, UTMPointsMustMatchTheMapsZoneAndHemisphere) {
  NamedMap map;
  map.SetCalibModel(cmUTM);
  map.SetUTMZone(32);
  map.SetUTMHemisphere(hemiNorth);
  ExpectMessage([&] { map.AddCalibPoint(5.2e6, 3e5, 33, hemiNorth, 1, 1); },
                "UTM zone parameter changed");
  ExpectMessage([&] { map.AddCalibPoint(5.2e6, 3e5, 32, hemiSouth, 1, 1); },
                "UTM zone parameter changed");
  EXPECT_TRUE(map.AddCalibPoint(5.2e6, 3e5, 32, hemiNorth, 1, 1));
  map.ClearCalibData();
  EXPECT_EQ(map.UTMZone(), -1);
  ExpectMessage([&] { map.AddCalibPoint(5.2e6, 3e5, 32, hemiNorth, 1, 1); },
                "UTM zone parameter changed");
}

TEST(CalibPoints, NearestRemovalTakesTheFirstOfEquallyNearPoints) {
  NamedMap map;
  map.SetCalibModel(cmEquiRect);
  map.AddCalibPoint(1, 1, 10, 10);
  map.AddCalibPoint(2, 2, 30, 10);
  map.AddCalibPoint(3, 3, 500, 500);
  EXPECT_TRUE(map.RemoveCalibPoint(20, 10));
  EXPECT_EQ(map.CalibData().NumCalQuads, 2);
  EXPECT_EQ(map.CalibData().CalQuads[1].Latitude, 3.0); // the last point took its place
  EXPECT_EQ(map.CalibData().CalQuads[2].Latitude, 2.0);
}

TEST(CalibPoints, RemovingALinesOnlyPointMovesTheLastLineIntoItsPlace) {
  NamedMap map;
  map.SetCalibModel(cmParabolicIp);
  map.AddCalibPoint(gtlParallel, 47.0, 10, 10);
  map.AddCalibPoint(gtlParallel, 46.0, 10, 200);
  map.AddCalibPoint(gtlMeridian, 8.0, 5, 100);
  EXPECT_TRUE(map.RemoveCalibPoint(9, 11));
  EXPECT_EQ(map.CalibData().NumCalLines, 2);
  EXPECT_EQ(map.CalibData().CalLines[1].LineType, gtlMeridian);
  EXPECT_EQ(map.CalibData().CalLines[1].LineValue, 8.0);
  const int paints = map.PaintCount();
  EXPECT_FALSE(map.RemoveCalibPoint(gtlParallel, 46.0, 11, 200));
  EXPECT_EQ(map.PaintCount(), paints + 1);
  EXPECT_TRUE(map.RemoveCalibPoint(gtlParallel, 46.0, 10, 200));
  EXPECT_EQ(map.CalibData().NumCalLines, 1);
  // The keyed removal is not recorded: the restore brings back the first one.
  map.RestoreLastDeletedCalPoint();
  EXPECT_EQ(map.CalibData().NumCalLines, 2);
  EXPECT_EQ(map.CalibData().CalLines[2].LineValue, 47.0);
}

TEST(CalibPoints, RestoreBringsTheLastRemovedPointBackOnce) {
  NamedMap map;
  map.SetCalibModel(cmEquiRect);
  map.AddCalibPoint(1, 1, 10, 10);
  map.AddCalibPoint(2, 2, 300, 10);
  map.AddCalibPoint(3, 3, 10, 300);
  map.RemoveCalibPoint(0, 0);
  map.ClearCalibData();
  map.RestoreLastDeletedCalPoint();
  map.RestoreLastDeletedCalPoint();
  EXPECT_EQ(map.CalibData().NumCalQuads, 1);
  EXPECT_EQ(map.CalibData().CalQuads[1], (TCalQuad{1, 1, 10, 10}));
  // Removed under one point model, restored into another.
  map.RemoveCalibPoint(0, 0);
  map.SetCalibModel(cmBiquadraticPn);
  map.RestoreLastDeletedCalPoint();
  EXPECT_EQ(map.CalibData().NumCalQuads, 1);
}

TEST(CalibPoints, ClearKeepsModelNamesAndRestoreCopiesClearEmptiesTheMap) {
  NamedMap map;
  map.SetCalibModel(cmBiquadraticPn);
  map.SetCaption("Alps");
  for (int i = 0; i < 8; ++i)
    map.AddCalibPoint(46 + 0.1 * i, 8 + 0.07 * i * i, 40 * i, 25 * i * i % 300);
  EXPECT_NE(map.ModelParams().CalParsPLSP, TBiquadParams{});
  const int paints = map.PaintCount();
  map.ClearCalibData();
  EXPECT_EQ(map.PaintCount(), paints + 1);
  EXPECT_EQ(map.CalibModel(), cmBiquadraticPn);
  EXPECT_EQ(map.Caption(), "Alps");
  EXPECT_EQ(map.ModelParams().CalParsPLSP, TBiquadParams{});
  EXPECT_EQ(map.CalibData().Resolution, 0.0);
  EXPECT_EQ(map.GratMat().NrOfRows(), 1);
  map.Clear();
  EXPECT_EQ(map.CalibModel(), cmUndefined);
  EXPECT_EQ(map.Caption(), "");
  EXPECT_EQ(map.MapImgFile(), "");
}

TEST(CalibPoints, SetCalibModelRefitsEvenWhenUnchanged) {
  NamedMap map;
  map.SetCalibModel(cmEquiRect);
  map.AddCalibPoint(1, 1, 10, 10);
  map.AddCalibPoint(2, 2, 300, 10);
  map.AddCalibPoint(3, 5, 10, 300);
  TCalibData cd = map.CalibData();
  cd.CalQuads[3].Latitude = 4;
  map.SetCalibData(cd); // stored as it is, no refit
  const TModelParams before = map.ModelParams();
  map.SetCalibModel(cmEquiRect);
  EXPECT_NE(map.ModelParams(), before);
}

TEST(CalibPoints, QualityIsTheRmsPixelResidual) {
  NamedMap map;
  double qx = -1, qy = -1;
  map.CalibQuality(qx, qy);
  EXPECT_EQ(qx, 0.0);
  EXPECT_EQ(qy, 0.0);
  map.SetCalibModel(cmEquiRect);
  // Affine points: exact fit, residual 0. One point off by 10 pixels in x.
  map.AddCalibPoint(47.0, 8.0, 0, 0);
  map.AddCalibPoint(47.0, 9.0, 1000, 0);
  map.AddCalibPoint(46.0, 8.0, 0, 1000);
  map.AddCalibPoint(46.0, 9.0, 1000, 1000);
  map.CalibQuality(qx, qy);
  EXPECT_EQ(qx, 0.0);
  EXPECT_EQ(qy, 0.0);
  map.AddCalibPoint(46.5, 8.5, 510, 500);
  map.CalibQuality(qx, qy);
  // Least squares spreads the 10 pixels: residuals 8 at the centre point
  // and 2 at each corner: √((64 + 4·4)/5) = 4, rounded to pixels.
  EXPECT_NEAR(qx, 4.0, 0.5);
  EXPECT_EQ(qy, 0.0);
  map.SetCalibModel(cmParabolicIp);
  map.CalibQuality(qx, qy);
  EXPECT_EQ(qx, 0.0);
}

} // namespace
} // namespace kartavo
