#include "gfx_test_support.h"

#include "kartavo/framework/detail/font_engine.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace fw;
using gfxtest::MakeBitmap;
using gfxtest::PixelSet;
using gfxtest::PixelsNot;

namespace {

struct Ink {
  PixelSet pixels;
  double cx = 0, cy = 0; // centroid
};

Ink TextInk(int orientation, int x, int y, const std::string& text, int w = 160, int h = 160) {
  auto bmp = MakeBitmap(w, h, clWhite);
  TCanvas* c = bmp->Canvas();
  c->Brush()->SetStyle(bsClear);
  c->Font()->SetSize(12);
  c->Font()->SetOrientation(orientation);
  c->TextOut(x, y, text);
  Ink ink;
  ink.pixels = PixelsNot(*bmp, clWhite);
  for (auto [px, py] : ink.pixels) {
    ink.cx += px;
    ink.cy += py;
  }
  if (!ink.pixels.empty()) {
    ink.cx /= double(ink.pixels.size());
    ink.cy /= double(ink.pixels.size());
  }
  return ink;
}

} // namespace

TEST(GfxText, MetricsAddUpAndGrowWithTheSize) {
  TBitmap bmp;
  TCanvas* c = bmp.Canvas();
  EXPECT_EQ(c->Font()->Size(), 8);
  EXPECT_EQ(c->Font()->Height(), -11);
  c->Font()->SetSize(10);
  EXPECT_EQ(c->Font()->Height(), -13);
  int ab = c->TextWidth("ab");
  EXPECT_GT(ab, 0);
  EXPECT_EQ(ab, c->TextWidth("a") + c->TextWidth("b"));
  EXPECT_EQ(c->TextWidth(""), 0);
  EXPECT_EQ(c->TextExtent("ab"), Point(ab, c->TextHeight("ab")));
  int h10 = c->TextHeight("x");
  EXPECT_GE(h10, 13);
  c->Font()->SetSize(20);
  EXPECT_GT(c->TextWidth("ab"), ab);
  EXPECT_GT(c->TextHeight("x"), h10);
  int regular = c->TextWidth("Landmark");
  c->Font()->SetStyle({fsBold});
  EXPECT_GE(c->TextWidth("Landmark"), regular);
  // A positive height asks for the cell height.
  c->Font()->SetHeight(30);
  EXPECT_NEAR(c->TextHeight("x"), 30, 1);
}

TEST(GfxText, UnknownAndDefaultFacesResolveToTheSansSerifFace) {
  TBitmap bmp;
  TCanvas* c = bmp.Canvas();
  c->Font()->SetName("DejaVu Sans");
  int dejavu = c->TextWidth("Caption 123");
  for (const char* name : {"MS Sans Serif", "No Such Face At All"}) {
    c->Font()->SetName(name);
    EXPECT_EQ(c->TextWidth("Caption 123"), dejavu) << name;
  }
  TFont f;
  f.SetName("No Such Face At All");
  EXPECT_NE(TFontEngine::Instance().Face(f)->FilePath().find("DejaVuSans"), std::string::npos);
}

TEST(GfxText, InkStaysInsideTheTextCell) {
  auto bmp = MakeBitmap(200, 60, clWhite);
  TCanvas* c = bmp->Canvas();
  c->Brush()->SetStyle(bsClear);
  c->Font()->SetSize(14);
  const std::string text = "Hello, Wörld (gjpq)";
  int w = c->TextWidth(text), h = c->TextHeight(text);
  c->TextOut(10, 20, text);
  PixelSet ink = PixelsNot(*bmp, clWhite);
  ASSERT_GT(ink.size(), 100u);
  for (auto [x, y] : ink) {
    // Glyphs may overhang their advance by a pixel at either end.
    EXPECT_TRUE(x >= 9 && x <= 10 + w && y >= 20 && y < 20 + h) << x << "," << y;
  }
  EXPECT_EQ(c->PenPos(), Point(10 + w, 20));
  // Ink reaches close to both ends of the line.
  int minX = 1000, maxX = 0;
  for (auto [x, y] : ink) {
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
  }
  EXPECT_LE(minX, 12);
  EXPECT_GE(maxX, 10 + w - 4);
}

TEST(GfxText, SolidBrushFillsTheCellAndClearBrushLeavesIt) {
  auto bmp = MakeBitmap(120, 40, clWhite);
  TCanvas* c = bmp->Canvas();
  c->Brush()->SetColor(clYellow);
  c->Font()->SetColor(clNavy);
  int w = c->TextWidth("Tag"), h = c->TextHeight("Tag");
  c->TextOut(5, 6, "Tag");
  PixelSet changed = PixelsNot(*bmp, clWhite);
  size_t inside = 0;
  for (auto [x, y] : changed) {
    bool inCell = x >= 5 && x < 5 + w && y >= 6 && y < 6 + h;
    inside += inCell;
    if (!inCell) {
      EXPECT_TRUE(x == 4 || x == 5 + w) << "only a glyph's overhang may leave the cell";
    }
  }
  EXPECT_EQ(inside, size_t(w * h));
  EXPECT_EQ(c->Pixels(5 + w - 1, 6 + h - 1), clYellow);
  EXPECT_EQ(c->Pixels(5 + w, 6), clWhite);
  bool navy = false;
  for (auto [x, y] : changed)
    navy = navy || c->Pixels(x, y) == clNavy;
  EXPECT_TRUE(navy);
}

TEST(GfxText, RotationTurnsAboutTheAnchor) {
  const std::string text = "Rotate";
  Ink upright = TextInk(0, 60, 80, text);
  ASSERT_FALSE(upright.pixels.empty());
  double u = upright.cx - 60, v = upright.cy - 80; // along and across the line
  struct Turn {
    int orientation;
    double ex, ey; // expected centroid offset from the anchor
  };
  for (Turn t : {Turn{900, v, -u}, Turn{1800, -u, -v}, Turn{2700, -v, u}}) {
    Ink turned = TextInk(t.orientation, 60, 80, text);
    ASSERT_FALSE(turned.pixels.empty());
    EXPECT_NEAR(turned.cx - 60, t.ex, 1.5) << t.orientation;
    EXPECT_NEAR(turned.cy - 80, t.ey, 1.5) << t.orientation;
    EXPECT_NEAR(double(turned.pixels.size()), double(upright.pixels.size()),
                0.25 * double(upright.pixels.size()));
  }
  // 45 degrees: the ink leaves the anchor towards the upper right.
  Ink diag = TextInk(450, 60, 80, text);
  EXPECT_GT(diag.cx, 60);
  EXPECT_LT(diag.cy, 80 + 10);
}

TEST(GfxText, UnderlineAndStrikeOutDrawFullLines) {
  auto bmp = MakeBitmap(150, 40, clWhite);
  TCanvas* c = bmp->Canvas();
  c->Brush()->SetStyle(bsClear);
  c->Font()->SetSize(12);
  c->Font()->SetStyle({fsUnderline, fsStrikeOut});
  const std::string text = "a b c";
  int w = c->TextWidth(text);
  c->TextOut(4, 4, text);
  int fullRows = 0;
  for (int y = 0; y < 40; ++y) {
    int run = 0;
    for (int x = 4; x < 4 + w; ++x)
      run += c->Pixels(x, y) != clWhite;
    fullRows += run == w;
  }
  EXPECT_GE(fullRows, 2);
}

TEST(GfxText, DrawsInEveryFormatAndClipsFarAnchors) {
  for (TPixelFormat f : {pf4bit, pf15bit, pf32bit}) {
    auto bmp = MakeBitmap(80, 30, clWhite, f);
    bmp->Canvas()->Brush()->SetStyle(bsClear);
    bmp->Canvas()->Font()->SetColor(clRed);
    bmp->Canvas()->TextOut(2, 2, "Map");
    EXPECT_FALSE(PixelsNot(*bmp, clWhite).empty()) << int(f);
    bmp->Canvas()->TextOut(INT_MAX - 5, INT_MIN, "Far away");
    bmp->Canvas()->Font()->SetOrientation(450);
    bmp->Canvas()->TextOut(-1000000000, 1000000000, "Far away");
    bmp->Canvas()->TextOut(10, 10, std::string("bad \xff\xfe utf-8"));
  }
}
