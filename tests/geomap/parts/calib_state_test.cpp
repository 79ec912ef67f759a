#include "kartavo/geomap/calib_state.h"

#include <gtest/gtest.h>

namespace kartavo {
namespace {

TEST(CalibState, UTMZoneTakesOnlyOneToSixty) {
  TCalibState calib;
  EXPECT_TRUE(calib.SetUTMZone(32));
  for (int bad : {0, 61, -1})
    EXPECT_FALSE(calib.SetUTMZone(bad));
  EXPECT_EQ(calib.Data.UTMZone, 32);
  EXPECT_TRUE(calib.SetUTMZone(1) && calib.SetUTMZone(60));
}

// Clearing empties what the fits work from and keeps what names the map
// and the model, and the point that can still be put back.
TEST(CalibState, ClearingKeepsModelNamesAndUndo) {
  TCalibState calib;
  calib.Model = cmConicConformal;
  calib.Data.MapFName = "m.jpg";
  calib.Data.Caption = "Alps";
  calib.Data.NumCalQuads = 1;
  calib.Data.CalQuads[1] = {47, 8, 10, 20};
  calib.Data.NumCalLines = 1;
  calib.Data.CalLines[1].NumPoints = 2;
  calib.Data.UTMZone = 32;
  calib.Data.UTMSouth = true;
  calib.Data.Resolution = 12.5;
  calib.GratMat.Resize(5, 4);
  calib.GratMat.SetVal(1, 1, 3.0);
  calib.Pars.EquRectSPPL(1, 1) = 1;
  calib.Pars.CalParsSPPL(2, 6) = 1;
  calib.Pars.ConicPars[1] = 7;
  calib.Undo.PointOK = true;
  calib.FileName = "m.xml";

  TCalibState expected = calib;
  calib.ClearCalibration();
  EXPECT_EQ(calib.Data.NumCalQuads, 0);
  EXPECT_EQ(calib.Data.CalQuads[1], TCalQuad{});
  EXPECT_EQ(calib.Data.CalLines[1].NumPoints, 0);
  EXPECT_EQ(calib.Data.UTMZone, -1);
  EXPECT_FALSE(calib.Data.UTMSouth);
  EXPECT_EQ(calib.Data.Resolution, 0.0);
  EXPECT_EQ(calib.GratMat, tessaro::TMatrix(5, 1));
  EXPECT_EQ(calib.Pars.EquRectSPPL, TAffineParams{});
  EXPECT_EQ(calib.Pars.CalParsSPPL, TBiquadParams{});

  expected.Data = calib.Data;
  expected.Data.MapFName = "m.jpg";
  expected.Data.Caption = "Alps";
  expected.GratMat = tessaro::TMatrix(5, 1);
  expected.Pars.EquRectSPPL.Clear();
  expected.Pars.CalParsSPPL.Clear();
  EXPECT_EQ(calib, expected);
}

TEST(CalibState, EqualityReachesTheGraticuleAndTheUndo) {
  TCalibState a, b;
  EXPECT_EQ(a, b);
  b.GratMat.SetVal(5, 1, 1e-12);
  EXPECT_NE(a, b);
  b = a;
  b.GratMat.Resize(5, 2);
  EXPECT_NE(a, b);
  b = a;
  b.Undo.LinePoint.CalPoints[1] = {1, 0};
  EXPECT_NE(a, b);
}

TEST(CalibState, NearestRemovalKeepsThePointForRestoring) {
  TCalibState calib;
  calib.Model = cmEquiRect;
  ASSERT_TRUE(calib.AddPoint({47, 8, 0, 0}));
  ASSERT_TRUE(calib.AddPoint({46, 9, 10, 0}));
  ASSERT_TRUE(calib.AddPoint({45, 9, 90, 90}));
  EXPECT_TRUE(calib.RemoveNearestPoint({5, 0})); // equally near: the first stored
  EXPECT_TRUE(calib.Undo.PointOK);
  EXPECT_EQ(calib.Undo.Point, (TCalQuad{47, 8, 0, 0}));
  EXPECT_EQ(calib.Data.NumCalQuads, 2);
  EXPECT_EQ(calib.Data.CalQuads[1], (TCalQuad{45, 9, 90, 90})); // the last took its place

  calib.Model = cmUndefined;
  const TCalibState before = calib;
  EXPECT_FALSE(calib.RemoveNearestPoint({5, 0}));
  EXPECT_EQ(calib, before);
}

TEST(CalibState, LinePointsKeepTheirLineForRestoring) {
  TCalibState calib;
  calib.Model = cmParabolicIp;
  ASSERT_TRUE(calib.AddLinePoint(gtlMeridian, 8.5, {10, 10}));
  ASSERT_TRUE(calib.AddLinePoint(gtlParallel, 47, {20, 20}));
  EXPECT_FALSE(calib.RemoveLinePoint(gtlMeridian, 8.5, {10, 11}));
  EXPECT_FALSE(calib.Undo.LinePointOK);
  EXPECT_TRUE(calib.RemoveNearestPoint({11, 11}));
  EXPECT_TRUE(calib.Undo.LinePointOK);
  EXPECT_EQ(calib.Undo.LinePoint.LineType, gtlMeridian);
  EXPECT_EQ(calib.Undo.LinePoint.LineValue, 8.5);
  EXPECT_EQ(calib.Undo.LinePoint.CalPoints[1], (quillon::TPoint{10, 10}));
  EXPECT_EQ(calib.Data.NumCalLines, 1);
  EXPECT_EQ(calib.Data.CalLines[1].LineType, gtlParallel);
}

// A damaged record with counts out of range is edited by the counts its
// arrays can hold: a negative line count starts the lines afresh at 1.
TEST(CalibState, EditsOfARecordWithCountsOutOfRangeStayInsideTheArrays) {
  TCalibState calib;
  calib.Model = cmParabolicIp;
  calib.Data.NumCalLines = -5;
  ASSERT_TRUE(calib.AddLinePoint(gtlMeridian, 8.5, {10, 10}));
  EXPECT_EQ(calib.Data.NumCalLines, 1);
  EXPECT_EQ(calib.Data.CalLines[1].CalPoints[1], (quillon::TPoint{10, 10}));
  calib.Data.CalLines[1].NumPoints = MaxLinePoints + 7;
  EXPECT_FALSE(calib.AddLinePoint(gtlMeridian, 8.5, {11, 11})) << "the line is full";
  EXPECT_TRUE(calib.RemoveLinePoint(gtlMeridian, 8.5, {10, 10}));
  EXPECT_EQ(calib.Data.CalLines[1].NumPoints, MaxLinePoints - 1);
}

} // namespace
} // namespace kartavo
