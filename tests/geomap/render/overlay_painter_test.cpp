#include "render_test_support.h"

#include "kartavo/framework/canvas.h"
#include "kartavo/geomap/render/calib_marker.h"
#include "kartavo/geomap/render/graticule_painter.h"
#include "kartavo/geomap/render/overlay_painter.h"
#include "kartavo/geomap/render/parabola_painter.h"
#include "kartavo/geomap/render/utm_grid_painter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace rendertest {
namespace {

constexpr fw::TColor kRed = 0x0000FF, kBlue = 0xFF0000, kWhite = 0xFFFFFF, kGrey = 0x808080;

TEST(CalibMarker, CrossAndThreeDiamondsAtExactPixels) {
  auto bmp = Blank(41, 41, kGrey);
  DrawCalibMarker(*bmp->Canvas(), 20, 20, kRed);
  const fw::TCanvas& c = *bmp->Canvas();
  // Along the middle row: outer diamond, white diamond, cross, white, outer.
  const fw::TColor row[] = {kGrey, kRed, kWhite, kRed, kRed, kRed, kWhite, kRed, kGrey};
  const int xs[] = {9, 10, 11, 12, 20, 28, 29, 30, 31};
  for (int i = 0; i < 9; ++i)
    EXPECT_EQ(c.Pixels(xs[i], 20), row[i]) << "x " << xs[i];
  EXPECT_EQ(c.Pixels(20, 12), kRed);
  EXPECT_EQ(c.Pixels(20, 29), kWhite);
  EXPECT_EQ(c.Pixels(16, 16), kRed);   // on the diamond of radius 8
  EXPECT_EQ(c.Pixels(15, 15), kRed);   // radius 10
  EXPECT_EQ(c.Pixels(16, 15), kWhite); // radius 9
  // Cross 33 pixels, diamonds 4r pixels each, the inner one sharing four with the cross.
  EXPECT_EQ(CountColor(*bmp, kWhite), 36);
  EXPECT_EQ(CountColor(*bmp, kRed), 33 + 32 - 4 + 40);
  EXPECT_EQ(bmp->Canvas()->Pen()->Color(), kRed);
  // Centres at the ends of the int range draw nothing (and do not overflow).
  DrawCalibMarker(*bmp->Canvas(), std::numeric_limits<int>::max(), 20, kBlue);
  DrawCalibMarker(*bmp->Canvas(), 20, std::numeric_limits<int>::min(), kBlue);
  EXPECT_EQ(CountColor(*bmp, kBlue), 0);
}

TEST(GraticuleSpacing, FollowsTheExtentOrTheSetDistance) {
  EXPECT_DOUBLE_EQ(1 / GraticuleDensity(0.35, 0), 0.1);
  EXPECT_DOUBLE_EQ(GraticuleDensity(12, 0), 1);
  EXPECT_DOUBLE_EQ(GraticuleDensity(1, 0), 1);
  EXPECT_DOUBLE_EQ(GraticuleDensity(0.05, 0), 100);
  EXPECT_DOUBLE_EQ(GraticuleDensity(-3, 0), 1);
  EXPECT_DOUBLE_EQ(GraticuleDensity(12, 5), 0.2);
  // A map without extent would never find its spacing: no lines at all.
  EXPECT_EQ(GraticuleDensity(0, 0), 0);
  EXPECT_EQ(LinesBelow(3, 3, GraticuleDensity(0, 0)).Count, 0);
}

TEST(GraticuleSpacing, LinesStartAtTheTruncatedLowValue) {
  TLineSeries s = LinesBelow(-12.7, -0.5, 1);
  EXPECT_EQ(s.First, -12);
  EXPECT_EQ(s.Count, 12); // -12 ... -1
  s = LinesBelow(41.3, 58, 1 / 5.0);
  EXPECT_EQ(s.First, 40);
  EXPECT_EQ(s.Count, 4); // 40, 45, 50, 55
  s = LinesBelow(45.03, 45.38, 10);
  EXPECT_DOUBLE_EQ(s.First, 45.0);
  EXPECT_EQ(s.Count, 4); // 45.0 ... 45.3
  // More lines than any picture could show are refused, not looped through.
  EXPECT_EQ(LinesBelow(-90, 90, 1e6).Count, 0);
  EXPECT_EQ(LinesBelow(0, 1, std::numeric_limits<double>::infinity()).Count, 0);
}

TEST(Graticule, StraightLinesOfAnEquirectangularMapLieOnTheirDegrees) {
  auto map = EquiRectMap();
  auto bmp = Blank(600, 400);
  bmp->Canvas()->Pen()->SetColor(kBlue);
  DrawGraticule(*bmp->Canvas(), map->Ref(), {{0, 0}, 1, 600, 400}, 0, {0, 0});
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 600; ++x) {
      // Parallels 44 ... 47 (44 is the bottom edge, just outside), meridians
      // 6 ... 11 drawn upwards, their last pixel (on row 0) left out.
      const bool line = y != 0 && (y % 100 == 0 || x % 100 == 0);
      ASSERT_EQ(bmp->Canvas()->Pixels(x, y), line ? kBlue : kWhite) << x << "," << y;
    }
}

TEST(Graticule, FollowsThePannedAndMagnifiedView) {
  auto map = EquiRectMap();
  auto bmp = Blank(300, 300);
  bmp->Canvas()->Pen()->SetColor(kBlue);
  // Map pixel (150, 150) at the top-left corner, two control pixels a map pixel.
  DrawGraticule(*bmp->Canvas(), map->Ref(), {{150, 150}, 2, 300, 300}, 0, {100, 100});
  EXPECT_EQ(bmp->Canvas()->Pixels(100, 50), kBlue);  // meridian 8E at map x 200
  EXPECT_EQ(bmp->Canvas()->Pixels(250, 100), kBlue); // parallel 46N at map y 200
  EXPECT_EQ(bmp->Canvas()->Pixels(101, 51), kWhite);
  EXPECT_EQ(CountColor(*bmp, kBlue), 300 + 300 - 1);
}

TEST(UTMGrid, SpacingIsRoundedFromTheNorthingExtent) {
  EXPECT_EQ(UTMGridSpacing(0, 3700), 500); // Round125(370)
  EXPECT_EQ(UTMGridSpacing(0, -3000), 200);
  EXPECT_EQ(UTMGridSpacing(0, 4), 1);
  EXPECT_EQ(UTMGridSpacing(250, 3700), 250);
}

TEST(UTMGrid, LinesEveryFiveHundredMetresOnTheirPixels) {
  auto map = UTMMap();
  auto bmp = Blank(500, 500);
  bmp->Canvas()->Pen()->SetColor(kBlue);
  DrawUTMGrid(*bmp->Canvas(), map->Ref(), {{0, 0}, 1, 500, 500}, 0, 500, 500);
  for (int y = 0; y < 500; ++y)
    for (int x = 0; x < 500; ++x)
      ASSERT_EQ(bmp->Canvas()->Pixels(x, y), x % 50 == 0 || y % 50 == 0 ? kBlue : kWhite)
          << x << "," << y;
}

TEST(UTMGrid, EndsAtTheMapImageEdgeWhenPanned) {
  auto map = UTMMap();
  auto bmp = Blank(800, 800);
  bmp->Canvas()->Pen()->SetColor(kBlue);
  // The image lies at control (-100, -100) ... (400, 400); the rest is
  // background. The line of its bottom edge (northing 5000000) is drawn
  // along the edge, row 400.
  DrawUTMGrid(*bmp->Canvas(), map->Ref(), {{100, 100}, 1, 800, 800}, 0, 500, 500);
  for (int y = 0; y < 800; ++y)
    for (int x = 0; x < 800; ++x) {
      const bool grid = x < 400 && y <= 400 && (x % 50 == 0 || y % 50 == 0);
      ASSERT_EQ(bmp->Canvas()->Pixels(x, y), grid ? kBlue : kWhite) << x << "," << y;
    }
}

TEST(Overlay, TableOfModelsAndShowGraticule) {
  TOverlayStyle style;
  style.GraticuleColor = kBlue;
  style.MarkerColor = kRed;
  auto draw = [&](const TSampleMap& map, TShowGrat show) {
    auto bmp = Blank(map.Width, map.Height);
    style.Show = show;
    DrawOverlay(*bmp->Canvas(), map.Ref(), {{0, 0}, 1, map.Width, map.Height}, style, map.Width,
                map.Height);
    return std::pair(CountColor(*bmp, kBlue), CountColor(*bmp, kRed));
  };
  auto equi = EquiRectMap();
  EXPECT_EQ(draw(*equi, sgNone), std::pair(0, 0));
  EXPECT_GT(draw(*equi, sgLines).first, 0);
  EXPECT_EQ(draw(*equi, sgLines).second, 0);
  EXPECT_EQ(draw(*equi, sgPoints).first, 0);
  EXPECT_GT(draw(*equi, sgPoints).second, 0);
  // Grid only for UTM maps, and their markers too with points-and-grid.
  EXPECT_EQ(draw(*equi, sgUTMGrid), std::pair(0, 0));
  EXPECT_EQ(draw(*equi, sgPointsAndUTMGrid), std::pair(0, 0));
  auto utm = UTMMap();
  EXPECT_GT(draw(*utm, sgUTMGrid).first, 0);
  EXPECT_GT(draw(*utm, sgPointsAndUTMGrid).second, 0);
  EXPECT_EQ(draw(*utm, sgUTMGrid).second, 0);
  // Too few points for lines; the markers are drawn all the same.
  auto few = EquiRectMap(2);
  EXPECT_EQ(draw(*few, sgPointsAndLines).first, 0);
  EXPECT_GT(draw(*few, sgPointsAndLines).second, 0);
  auto bi = EquiRectMap(5);
  bi->Model = cmBiquadraticPn;
  CalcBiquadraticCalibration(bi->Data, bi->Pars);
  const auto five = draw(*bi, sgPointsAndLines);
  EXPECT_EQ(five.first, 0);
  EXPECT_GT(five.second, 0);
  auto undefined = EquiRectMap();
  undefined->Model = cmUndefined;
  EXPECT_EQ(draw(*undefined, sgPointsAndLines), std::pair(0, 0));
}

TEST(Overlay, MarkersSitOnTheirCalibrationPoints) {
  auto map = EquiRectMap(5);
  auto bmp = Blank(600, 400);
  TOverlayStyle style;
  style.Show = sgPoints;
  style.MarkerColor = kRed;
  DrawOverlay(*bmp->Canvas(), map->Ref(), {{0, 0}, 1, 600, 400}, style, 600, 400);
  auto ref = Blank(600, 400);
  for (const auto& [x, y] : {std::pair(0, 0), {600, 0}, {0, 400}, {600, 400}, {300, 200}})
    DrawCalibMarker(*ref->Canvas(), x, y, kRed);
  EXPECT_EQ(bmp->PixelImage().Bits, ref->PixelImage().Bits);
}

// y = 100 + (x - 300)² / 1000 through five points of a parallel.
TCalibData ParabolaLines() {
  TCalibData cd;
  cd.NumCalLines = 2;
  TCalibLine& p = cd.CalLines[1];
  p.LineType = gtlParallel;
  p.NumPoints = 5;
  const int xs[] = {0, 100, 300, 500, 600};
  for (int i = 0; i < 5; ++i)
    p.CalPoints[i + 1] = {xs[i], 100 + (xs[i] - 300) * (xs[i] - 300) / 1000};
  TCalibLine& m = cd.CalLines[2]; // two points: no parabola
  m.LineType = gtlMeridian;
  m.NumPoints = 2;
  m.CalPoints[1] = {200, 50};
  m.CalPoints[2] = {210, 350};
  return cd;
}

TEST(Parabolas, EachColumnHasItsFittedRow) {
  const TCalibData cd = ParabolaLines();
  auto bmp = Blank(600, 400);
  DrawCalibLineParabolas(*bmp->Canvas(), cd, {{0, 0}, 1, 600, 400}, kBlue, std::nullopt);
  for (int x = 0; x < 600; ++x) {
    const double exact = 100 + (x - 300) * (x - 300) / 1000.0;
    if (std::fabs(exact - std::floor(exact) - 0.5) < 0.01) continue; // the fit's rounding decides
    const int y = int(std::nearbyint(exact));
    ASSERT_EQ(bmp->Canvas()->Pixels(x, y), kBlue) << x;
  }
  // Nothing of the two-point meridian.
  EXPECT_EQ(bmp->Canvas()->Pixels(205, 200), kWhite);
}

TEST(Parabolas, MarkersOnEveryPointAlsoOfLinesWithoutCurve) {
  const TCalibData cd = ParabolaLines();
  auto bmp = Blank(600, 400);
  DrawCalibLineParabolas(*bmp->Canvas(), cd, {{0, 0}, 1, 600, 400}, std::nullopt, kRed);
  EXPECT_EQ(CountColor(*bmp, kBlue), 0);
  for (const auto& [x, y] : {std::pair(100, 140), {300, 100}, {200, 50}, {210, 350}})
    EXPECT_EQ(bmp->Canvas()->Pixels(x, y), kRed) << x << "," << y;
}

} // namespace
} // namespace rendertest
