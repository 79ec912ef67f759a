#include "kartavo/geomap/geo_conversion.h"

#include <gtest/gtest.h>

namespace kartavo {
namespace {

// A graticule of straight lines: parallels every 100 rows (47° at row 100,
// 46° at 200, ...), meridians every 100 columns (8° at column 100, 9° at 200).
void AddLine(TCalibData& cd, TGratLineKind kind, double value, int fixed, int points) {
  TCalibLine& line = cd.CalLines[++cd.NumCalLines];
  line.LineType = kind;
  line.LineValue = value;
  line.NumPoints = points;
  for (int i = 1; i <= points; ++i)
    line.CalPoints[i] = kind == gtlParallel ? quillon::TPoint{i * 150, fixed + i % 2}
                                            : quillon::TPoint{fixed + i % 2, i * 150};
}

TCalibData Graticule(int parallels, int meridians) {
  TCalibData cd;
  for (int k = 0; k < parallels; ++k)
    AddLine(cd, gtlParallel, 47.0 - k, 100 + 100 * k, 4);
  for (int k = 0; k < meridians; ++k)
    AddLine(cd, gtlMeridian, 8.0 + k, 100 + 100 * k, 4);
  return cd;
}

struct Graticuled {
  TCalibData cd;
  TModelParams pars;
  tessaro::TMatrix grat{5, 1};
  bool usable = false;
  explicit Graticuled(const TCalibData& c) : cd(c) { usable = RecalcGratMat(cd, grat); }
  TGeoRef Ref() const { return {cmParabolicIp, cd, pars, grat}; }
};

TEST(Graticule, TwoParallelsAndOneMeridianAreUnusable) {
  Graticuled g(Graticule(2, 1));
  EXPECT_FALSE(g.usable);
  EXPECT_EQ(g.grat.NrOfRows(), 1);
  bool valid = true;
  CalcLatitude(g.Ref(), 150, 150, valid);
  EXPECT_FALSE(valid);
  int x = 0, y = 0;
  EXPECT_FALSE(CalcPixelCoords(g.Ref(), 46.5, 8.5, x, y));
}

TEST(Graticule, TwoOfEachInterpolateAndExtrapolate) {
  Graticuled g(Graticule(2, 2));
  ASSERT_TRUE(g.usable);
  EXPECT_EQ(g.grat.GetVal(1, 1), 1.0);
  EXPECT_EQ(g.grat.GetVal(2, 3), 8.0);
  bool valid = false;
  EXPECT_NEAR(CalcLatitude(g.Ref(), 300, 150, valid), 46.5, 0.01);
  EXPECT_TRUE(valid);
  EXPECT_NEAR(CalcLongitude(g.Ref(), 150, 300, valid), 8.5, 0.01);
  // Beyond the outermost lines: extrapolated.
  EXPECT_NEAR(CalcLatitude(g.Ref(), 300, 500, valid), 43.0, 0.05);
  EXPECT_TRUE(valid);
  int x = 0, y = 0;
  ASSERT_TRUE(CalcPixelCoords(g.Ref(), 46.5, 8.5, x, y));
  EXPECT_NEAR(x, 150, 1);
  EXPECT_NEAR(y, 150, 1);
}

TEST(Graticule, LinesWithFewPointsStandWhereTheirPointsAre) {
  TCalibData cd = Graticule(2, 2);
  AddLine(cd, gtlParallel, 44.0, 400, 1); // one point at row 401
  Graticuled g(cd);
  ASSERT_TRUE(g.usable);
  EXPECT_EQ(g.grat.GetVal(3, 5), 401.0);
  EXPECT_EQ(g.grat.GetVal(4, 5), 0.0);
  bool valid = false;
  EXPECT_NEAR(CalcLatitude(g.Ref(), 150, 401, valid), 44.0, 1e-9);
}

TEST(Graticule, CoincidingCurvesGiveTheNearestLineNotADivisionByZero) {
  // Two parallels through the same points with different values.
  TCalibData cd = Graticule(0, 2);
  AddLine(cd, gtlParallel, 47.0, 100, 3);
  AddLine(cd, gtlParallel, 46.0, 100, 3);
  Graticuled g(cd);
  ASSERT_TRUE(g.usable);
  bool valid = false;
  const double lat = CalcLatitude(g.Ref(), 150, 300, valid);
  EXPECT_TRUE(valid);
  EXPECT_EQ(lat, 47.0);
}

TEST(Graticule, DivergingIterationIsInvalid) {
  // Strongly curved lines whose intersection iteration runs away.
  TCalibData cd;
  for (int k = 0; k < 2; ++k) {
    TCalibLine& p = cd.CalLines[++cd.NumCalLines];
    p.LineType = gtlParallel;
    p.LineValue = 47.0 - k;
    p.NumPoints = 3;
    p.CalPoints[1] = {0, 0};
    p.CalPoints[2] = {10, 100};
    p.CalPoints[3] = {20, 400 + k};
    TCalibLine& m = cd.CalLines[++cd.NumCalLines];
    m.LineType = gtlMeridian;
    m.LineValue = 8.0 + k;
    m.NumPoints = 3;
    m.CalPoints[1] = {0, 0};
    m.CalPoints[2] = {100, 10};
    m.CalPoints[3] = {400 + k, 20};
  }
  Graticuled g(cd);
  ASSERT_TRUE(g.usable);
  int x = 0, y = 0;
  EXPECT_FALSE(CalcPixelCoords(g.Ref(), 47.0, 8.0, x, y));
}

} // namespace
} // namespace kartavo
