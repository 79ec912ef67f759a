#include "gfx_test_support.h"

#include <gtest/gtest.h>

#include <array>

using namespace fw;
using gfxtest::MakeBitmap;
using gfxtest::PixelSet;
using gfxtest::PixelsNot;

namespace {

PixelSet PixelsOf(const TBitmap& bmp, TColor c) {
  PixelSet s;
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x)
      if (bmp.Canvas()->Pixels(x, y) == c) s.insert({x, y});
  return s;
}

PixelSet Box(int l, int t, int r, int b) {
  PixelSet s;
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x)
      s.insert({x, y});
  return s;
}

} // namespace

TEST(GfxCanvasShapes, RectangleEdgesExcludeRightAndBottom) {
  auto bmp = MakeBitmap(12, 12, clGray);
  TCanvas* c = bmp->Canvas();
  c->Brush()->SetColor(clYellow);
  c->Rectangle(6, 8, 2, 3); // corners in any order
  EXPECT_EQ(PixelsOf(*bmp, clYellow), Box(3, 4, 5, 7));
  PixelSet frame = Box(2, 3, 6, 8);
  for (auto p : Box(3, 4, 5, 7))
    frame.erase(p);
  EXPECT_EQ(PixelsOf(*bmp, clBlack), frame);

  auto fill = MakeBitmap(12, 12, clGray);
  fill->Canvas()->Brush()->SetColor(clRed);
  fill->Canvas()->FillRect(Rect(2, 3, 6, 8));
  EXPECT_EQ(PixelsNot(*fill, clGray), Box(2, 3, 6, 8));
  fill->Canvas()->Brush()->SetStyle(bsClear);
  fill->Canvas()->FillRect(Rect(0, 0, 12, 12));
  EXPECT_EQ(PixelsNot(*fill, clGray), Box(2, 3, 6, 8));

  auto noPen = MakeBitmap(12, 12, clGray);
  noPen->Canvas()->Pen()->SetStyle(psClear);
  noPen->Canvas()->Brush()->SetColor(clRed);
  noPen->Canvas()->Rectangle(2, 3, 6, 8);
  EXPECT_EQ(PixelsNot(*noPen, clGray), Box(2, 3, 5, 7));
}

TEST(GfxCanvasShapes, WideRectangleFrameIsCentredOnTheEdge) {
  auto bmp = MakeBitmap(30, 30, clGray);
  TCanvas* c = bmp->Canvas();
  c->Pen()->SetWidth(3);
  c->Brush()->SetStyle(bsClear);
  c->Rectangle(5, 5, 20, 15);
  PixelSet want = Box(4, 4, 21, 16);
  for (auto p : Box(7, 7, 18, 13))
    want.erase(p);
  EXPECT_EQ(PixelsNot(*bmp, clGray), want);
}

TEST(GfxCanvasShapes, PolygonFillsLikeRectanglesAndAlternates) {
  auto bmp = MakeBitmap(20, 20, clWhite);
  TCanvas* c = bmp->Canvas();
  c->Pen()->SetStyle(psClear);
  c->Brush()->SetColor(clBlue);
  const std::array<TPoint, 4> square = {Point(2, 2), Point(9, 2), Point(9, 7), Point(2, 7)};
  c->Polygon(square);
  EXPECT_EQ(PixelsNot(*bmp, clWhite), Box(2, 2, 9, 7));

  // A pentagram: even-odd leaves the inner pentagon empty.
  auto star = MakeBitmap(41, 41, clWhite);
  star->Canvas()->Pen()->SetStyle(psClear);
  star->Canvas()->Brush()->SetColor(clBlue);
  const std::array<TPoint, 5> pts = {Point(20, 0), Point(32, 38), Point(1, 14), Point(39, 14),
                                     Point(8, 38)};
  star->Canvas()->Polygon(pts);
  EXPECT_EQ(star->Canvas()->Pixels(20, 22), clWhite);
  EXPECT_EQ(star->Canvas()->Pixels(20, 5), clBlue);
  EXPECT_EQ(star->Canvas()->Pixels(5, 15), clBlue);

  // With a pen the outline covers every vertex, the fill stays inside.
  auto outlined = MakeBitmap(20, 20, clWhite);
  outlined->Canvas()->Brush()->SetColor(clBlue);
  outlined->Canvas()->Polygon(square);
  EXPECT_EQ(outlined->Canvas()->Pixels(9, 7), clBlack);
  EXPECT_EQ(outlined->Canvas()->Pixels(2, 7), clBlack);
  EXPECT_EQ(outlined->Canvas()->Pixels(5, 5), clBlue);
}

TEST(GfxCanvasShapes, HugeCoordinatesClipWithoutOverflow) {
  auto bmp = MakeBitmap(16, 16, clWhite);
  TCanvas* c = bmp->Canvas();
  c->Pen()->SetStyle(psClear);
  c->Brush()->SetColor(clRed);
  const std::array<TPoint, 3> tri = {Point(-1000000000, -1000000000),
                                     Point(2000000000, -1000000000),
                                     Point(-1000000000, 2000000000)};
  c->Polygon(tri);
  // The hypotenuse x + y = 1e9 passes far from the bitmap: all of it is inside.
  EXPECT_EQ(PixelsNot(*bmp, clRed).size(), 0u);
  auto e = MakeBitmap(16, 16, clWhite);
  e->Canvas()->Brush()->SetColor(clRed);
  e->Canvas()->Ellipse(-1000000000, -1000000000, 1000000000, 1000000000);
  EXPECT_EQ(PixelsNot(*e, clRed).size(), 0u);
  e->Canvas()->Rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  e->Canvas()->FillRect(Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX));
  e->Canvas()->Pen()->SetWidth(5);
  e->Canvas()->MoveTo(INT_MIN, INT_MIN);
  e->Canvas()->LineTo(INT_MAX, INT_MAX);
  EXPECT_EQ(e->Canvas()->Pixels(8, 8), clBlack);
}

TEST(GfxCanvasShapes, EllipseIsSymmetricAndInsideItsBox) {
  auto bmp = MakeBitmap(30, 20, clWhite);
  TCanvas* c = bmp->Canvas();
  c->Brush()->SetColor(clLime);
  c->Ellipse(3, 2, 24, 15);
  PixelSet all = PixelsNot(*bmp, clWhite);
  for (auto [x, y] : all) {
    EXPECT_TRUE(x >= 3 && x < 24 && y >= 2 && y < 15) << x << "," << y;
    EXPECT_TRUE(all.count({26 - x, y}) && all.count({x, 16 - y})) << x << "," << y;
  }
  for (auto p : {std::pair{3, 8}, std::pair{23, 8}, std::pair{13, 2}, std::pair{13, 14}})
    EXPECT_EQ(c->Pixels(p.first, p.second), clBlack);
  EXPECT_EQ(c->Pixels(13, 8), clLime);
  EXPECT_EQ(c->Pixels(3, 2), clWhite);
  // The outline is closed: every lime pixel's 4-neighbours are lime or black.
  for (auto [x, y] : PixelsOf(*bmp, clLime))
    for (auto [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}})
      EXPECT_NE(c->Pixels(x + dx, y + dy), clWhite);
}

TEST(GfxCanvasShapes, XorShapesTwiceRestore) {
  auto bmp = gfxtest::NoiseBitmap(50, 40, pf24bit, 9);
  auto before = gfxtest::NoiseBitmap(50, 40, pf24bit, 9);
  TCanvas* c = bmp->Canvas();
  c->Pen()->SetMode(pmXor);
  c->Pen()->SetColor(RGB(200, 100, 50));
  c->Brush()->SetColor(RGB(17, 33, 250));
  const std::array<TPoint, 5> pts = {Point(25, -10), Point(45, 35), Point(0, 12), Point(50, 12),
                                     Point(5, 35)};
  for (int pass = 0; pass < 2; ++pass) {
    c->Polygon(pts);
    c->Ellipse(-5, 3, 31, 29);
    c->Pen()->SetWidth(4);
    c->Ellipse(10, 10, 45, 38);
    c->Rectangle(7, 30, 44, 2);
    c->Pen()->SetWidth(1);
  }
  EXPECT_TRUE(gfxtest::SamePixels(*bmp, *before));
}

TEST(GfxCanvasShapes, PixelsReadAndWriteInsideOnly) {
  auto bmp = MakeBitmap(4, 4, clWhite);
  TCanvas* c = bmp->Canvas();
  c->SetPixels(1, 2, RGB(1, 2, 3));
  EXPECT_EQ(c->Pixels(1, 2), RGB(1, 2, 3));
  c->SetPixels(-1, 0, clRed);
  c->SetPixels(4, 0, clRed);
  EXPECT_EQ(c->Pixels(-1, 0), CLR_INVALID);
  EXPECT_EQ(c->Pixels(0, 4), CLR_INVALID);
  EXPECT_EQ(PixelsNot(*bmp, clWhite).size(), 1u);
  TCanvas none;
  none.LineTo(5, 5);
  none.TextOut(0, 0, "x");
  EXPECT_EQ(none.Pixels(0, 0), CLR_INVALID);
}
