#include "gfx_test_support.h"

#include <gtest/gtest.h>

#include <climits>

using namespace fw;
using gfxtest::MakeBitmap;
using gfxtest::PixelSet;
using gfxtest::PixelsNot;

namespace {

PixelSet LinePixels(TPoint a, TPoint b, int w = 40, int h = 40) {
  auto bmp = MakeBitmap(w, h, clWhite);
  bmp->Canvas()->MoveTo(a.X, a.Y);
  bmp->Canvas()->LineTo(b.X, b.Y);
  return PixelsNot(*bmp, clWhite);
}

// The minor coordinate nearest to the ideal line k0 + (m - m0) * (k1 - k0) / (m1 - m0)
// at major coordinate m, an exact half going to the smaller coordinate:
// ceil(t - 1/2) for the rational t.
int64_t IdealMinor(int64_t m0, int64_t k0, int64_t m1, int64_t k1, int64_t m) {
  __int128 p = __int128{m - m0} * (k1 - k0), q = m1 - m0;
  if (q < 0) {
    p = -p;
    q = -q;
  }
  __int128 num = 2 * p - q, den = 2 * q;
  __int128 c = num / den;
  if (num % den != 0 && num > 0) ++c;
  return k0 + static_cast<int64_t>(c);
}

// Whether m lies on the line's major run from m0 towards m1, end excluded.
bool OnRun(int64_t m0, int64_t m1, int64_t m) {
  return m0 < m1 ? (m >= m0 && m < m1) : (m <= m0 && m > m1);
}

} // namespace

TEST(GfxCanvasLines, CoverStartButNotEnd) {
  PixelSet h = LinePixels({2, 5}, {7, 5});
  EXPECT_EQ(h, (PixelSet{{2, 5}, {3, 5}, {4, 5}, {5, 5}, {6, 5}}));
  PixelSet d = LinePixels({4, 4}, {0, 0});
  EXPECT_EQ(d, (PixelSet{{4, 4}, {3, 3}, {2, 2}, {1, 1}}));
  PixelSet v = LinePixels({3, 1}, {3, 4});
  EXPECT_EQ(v, (PixelSet{{3, 1}, {3, 2}, {3, 3}}));
  EXPECT_TRUE(LinePixels({5, 5}, {5, 5}).empty());
}

TEST(GfxCanvasLines, HalfwayGoesToSmallerCoordinateInBothDirections) {
  EXPECT_EQ(LinePixels({0, 0}, {2, 1}), (PixelSet{{0, 0}, {1, 0}}));
  EXPECT_EQ(LinePixels({2, 1}, {0, 0}), (PixelSet{{2, 1}, {1, 0}}));
  EXPECT_EQ(LinePixels({0, 0}, {1, 2}), (PixelSet{{0, 0}, {0, 1}}));
  // Inner pixels of A->B and B->A agree for any slope.
  std::mt19937 rng(7);
  for (int n = 0; n < 200; ++n) {
    TPoint a{int(rng() % 40), int(rng() % 40)}, b{int(rng() % 40), int(rng() % 40)};
    PixelSet f = LinePixels(a, b), r = LinePixels(b, a);
    f.erase({a.X, a.Y});
    r.erase({b.X, b.Y});
    EXPECT_EQ(f, r) << a.X << "," << a.Y << " - " << b.X << "," << b.Y;
  }
}

TEST(GfxCanvasLines, FarEndPointsClipExactly) {
  struct Case {
    TPoint a, b;
  };
  const Case cases[] = {{{-1000000000, -300000000}, {1000000000, 300000007}},
                        {{1000000000, 999999999}, {-1000000000, -1000000000}},
                        {{-7, -1000000000}, {60, 1000000000}},
                        {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}},
                        {{INT_MAX, 5}, {INT_MIN, 20}}};
  for (const Case& c : cases) {
    PixelSet got = LinePixels(c.a, c.b, 50, 50);
    PixelSet want;
    int64_t dx = int64_t{c.b.X} - c.a.X, dy = int64_t{c.b.Y} - c.a.Y;
    bool xMajor = std::abs(dx) >= std::abs(dy);
    for (int m = 0; m < 50; ++m) {
      if (!(xMajor ? OnRun(c.a.X, c.b.X, m) : OnRun(c.a.Y, c.b.Y, m))) continue;
      int64_t k = xMajor ? IdealMinor(c.a.X, c.a.Y, c.b.X, c.b.Y, m)
                         : IdealMinor(c.a.Y, c.a.X, c.b.Y, c.b.X, m);
      if (k >= 0 && k < 50)
        want.insert(xMajor ? std::pair<int, int>{m, int(k)} : std::pair<int, int>{int(k), m});
    }
    EXPECT_EQ(got, want) << c.a.X << "," << c.a.Y;
  }
}

TEST(GfxCanvasLines, DotsAndDashesFollowTheirPatterns) {
  auto bmp = MakeBitmap(60, 3, clWhite);
  TCanvas* c = bmp->Canvas();
  c->Pen()->SetStyle(psDot);
  c->Brush()->SetStyle(bsClear);
  c->MoveTo(0, 0);
  c->LineTo(12, 0);
  for (int x = 0; x < 13; ++x)
    EXPECT_EQ(c->Pixels(x, 0), (x < 12 && (x / 3) % 2 == 0) ? clBlack : clWhite) << x;
  // A solid brush fills the gaps; the pattern goes on across LineTo.
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(clRed);
  c->Pen()->SetStyle(psDash);
  c->MoveTo(0, 1);
  c->LineTo(10, 1);
  c->LineTo(50, 1);
  for (int x = 0; x < 50; ++x)
    EXPECT_EQ(c->Pixels(x, 1), (x % 24) < 18 ? clBlack : clRed) << x;
  c->Pen()->SetStyle(psDashDot);
  c->MoveTo(0, 2);
  c->LineTo(24, 2);
  const char* want = "111111111000000111000000";
  for (int x = 0; x < 24; ++x)
    EXPECT_EQ(c->Pixels(x, 2), want[x] == '1' ? clBlack : clRed) << x;
}

TEST(GfxCanvasLines, WidePensHaveTheirWidthAndRoundEnds) {
  for (int width : {2, 3, 4}) {
    auto bmp = MakeBitmap(40, 40, clWhite);
    bmp->Canvas()->Pen()->SetWidth(width);
    bmp->Canvas()->MoveTo(10, 20);
    bmp->Canvas()->LineTo(30, 20);
    PixelSet got = PixelsNot(*bmp, clWhite);
    int rows = 0;
    for (int y = 0; y < 40; ++y)
      if (got.count({20, y})) ++rows;
    EXPECT_EQ(rows, width);
    EXPECT_TRUE(got.count({30, 20})) << "wide lines cover both ends";
    EXPECT_TRUE(got.count({10 - (width - 1) / 2, 20}));
    EXPECT_FALSE(got.count({10 - width / 2 - 1, 20}));
  }
}

TEST(GfxCanvasLines, XorTwiceRestoresInEveryFormat) {
  for (TPixelFormat f : {pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
    auto bmp = gfxtest::NoiseBitmap(64, 48, f, 11);
    auto before = gfxtest::NoiseBitmap(64, 48, f, 11);
    TCanvas* c = bmp->Canvas();
    c->Pen()->SetMode(pmXor);
    c->Pen()->SetColor(clWhite);
    c->Brush()->SetStyle(bsClear);
    for (int pass = 0; pass < 2; ++pass) {
      std::mt19937 r2(5);
      for (int i = 0; i < 30; ++i) {
        c->Pen()->SetWidth(i % 3 == 0 ? 3 : 1);
        c->Pen()->SetStyle(i % 4 == 1 ? psDot : psSolid);
        int x0 = int(r2() % 200) - 70, y0 = int(r2() % 200) - 70;
        int x1 = int(r2() % 200) - 70, y1 = int(r2() % 200) - 70;
        c->MoveTo(x0, y0);
        c->LineTo(x1, y1);
        c->Rectangle(x0, y0, x1, y1);
      }
    }
    EXPECT_TRUE(gfxtest::SamePixels(*bmp, *before)) << "format " << int(f);
    EXPECT_EQ(c->Pen()->Mode(), pmXor);
  }
}

TEST(GfxCanvasLines, XorInvertsAndNotModeIgnoresPenColour) {
  auto bmp = MakeBitmap(10, 10, RGB(10, 200, 30));
  TCanvas* c = bmp->Canvas();
  c->Pen()->SetMode(pmXor);
  c->Pen()->SetColor(clWhite);
  c->MoveTo(0, 0);
  c->LineTo(5, 0);
  EXPECT_EQ(c->Pixels(2, 0), RGB(245, 55, 225));
  c->Pen()->SetMode(pmNot);
  c->Pen()->SetColor(clRed);
  c->MoveTo(0, 1);
  c->LineTo(5, 1);
  EXPECT_EQ(c->Pixels(2, 1), RGB(245, 55, 225));
}
