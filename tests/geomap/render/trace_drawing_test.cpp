#include "render_test_support.h"

#include "kartavo/framework/canvas.h"
#include "kartavo/geomap/render/trace_drawing.h"

#include <gtest/gtest.h>

#include <vector>

namespace rendertest {
namespace {

using quillon::TColoredPoint;

constexpr fw::TColor kRed = 0x0000FF, kGreen = 0x00FF00, kWhite = 0xFFFFFF;

TEST(TraceDrawing, StrokesAreNotJoinedAndColoursBelongToTheirSegments) {
  auto bmp = Blank(100, 100);
  // Stroke 1: (10,10) -> (50,10) red -> (50,50) green; stroke 2: (10,80) -> (60,80).
  const std::vector<TColoredPoint> pts = {{10, 10, 0, kRed},
                                          {50, 10, 0, kRed},
                                          {50, 50, mtfEndsStroke, kGreen},
                                          {10, 80, 0, kRed},
                                          {60, 80, mtfEndsStroke, kRed}};
  DrawTrace(*bmp->Canvas(), pts, {{0, 0}, 1, 100, 100});
  const fw::TCanvas& c = *bmp->Canvas();
  EXPECT_EQ(c.Pixels(10, 10), kRed);
  EXPECT_EQ(c.Pixels(49, 10), kRed);
  EXPECT_EQ(c.Pixels(50, 10), kGreen); // the green segment starts here
  EXPECT_EQ(c.Pixels(50, 49), kGreen);
  EXPECT_EQ(c.Pixels(50, 50), kWhite); // a line leaves out its last pixel
  EXPECT_EQ(c.Pixels(50, 65), kWhite); // no segment from (50,50) to (10,80)
  EXPECT_EQ(c.Pixels(30, 65), kWhite);
  EXPECT_EQ(c.Pixels(59, 80), kRed);
  EXPECT_EQ(CountColor(*bmp, kRed) + CountColor(*bmp, kGreen), 40 + 40 + 50);
}

TEST(TraceDrawing, InvertedSegmentsDrawnTwiceRestoreTheMap) {
  auto bmp = Blank(80, 60, 0x336699);
  for (int x = 0; x < 80; x += 3)
    bmp->Canvas()->SetPixels(x, 20, 0x00AA00);
  const auto before = bmp->PixelImage().Bits;
  const std::vector<TColoredPoint> pts = {
      {5, 5, mtfInvert, kWhite}, {70, 40, mtfInvert, kWhite}, {10, 50, mtfInvert, kWhite}};
  const TRenderView view{{0, 0}, 1, 80, 60};
  DrawTrace(*bmp->Canvas(), pts, view);
  EXPECT_EQ(bmp->Canvas()->Pixels(5, 5), 0x336699u ^ 0xFFFFFFu); // inverted
  EXPECT_NE(bmp->PixelImage().Bits, before);
  DrawTrace(*bmp->Canvas(), pts, view);
  EXPECT_EQ(bmp->PixelImage().Bits, before);
}

TEST(TraceDrawing, FollowsTheViewAndRoundsToWholePixels) {
  auto bmp = Blank(100, 100);
  const std::vector<TColoredPoint> pts = {{20.4, 30, 0, kRed}, {40, 30, 0, kRed}};
  DrawTrace(*bmp->Canvas(), pts, {{10, 10}, 2, 100, 100});
  EXPECT_EQ(bmp->Canvas()->Pixels(20, 40), kRed);
  EXPECT_EQ(bmp->Canvas()->Pixels(59, 40), kRed);
  EXPECT_EQ(CountColor(*bmp, kRed), 40);
}

TEST(TraceDrawing, KeepsTheCanvasPenAndBrush) {
  auto bmp = Blank(50, 50);
  fw::TCanvas& c = *bmp->Canvas();
  c.Pen()->SetColor(0x123456);
  c.Pen()->SetWidth(3);
  c.Pen()->SetStyle(fw::psDash);
  c.Brush()->SetStyle(fw::bsClear);
  const std::vector<TColoredPoint> pts = {{1, 1, mtfInvert, kRed}, {30, 30, 0, kGreen}};
  DrawTrace(c, pts, {{0, 0}, 1, 50, 50});
  EXPECT_EQ(c.Pen()->Color(), 0x123456u);
  EXPECT_EQ(c.Pen()->Width(), 3);
  EXPECT_EQ(c.Pen()->Style(), fw::psDash);
  EXPECT_EQ(c.Pen()->Mode(), fw::pmCopy);
  EXPECT_EQ(c.Brush()->Style(), fw::bsClear);
}

} // namespace
} // namespace rendertest
