// Every symbol kind, transparent and opaque, at sizes 0, 1, 7 and 20 and
// directions 0, 45, 90 and 200, against pixel sets worked out by hand from
// the drawing rules: a line from A to B covers A but not B.
#include "symbol_test_support.h"

#include "kartavo/framework/canvas.h"
#include "kartavo/geomap/landmarks/symbol_drawing.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {
using namespace kartavo;
using namespace lmtest;

constexpr int kX = 40, kY = 40;
constexpr int kSizes[] = {0, 1, 7, 20};
constexpr int kDirections[] = {0, 45, 90, 200};

PixelColours Draw(TLandMarkElement kind, int size, int dir, int length, bool transparent) {
  auto bmp = Sheet(81, 81);
  DrawLandMarkSymbolOnCanvas(bmp->Canvas(), kX, kY, kind, kFG, kBG, size, dir, length, transparent);
  return Changed(*bmp);
}

// The pixels of a horizontal, vertical or diagonal line from a to b: a
// covered, b not.
std::vector<Pixel> Line(Pixel a, Pixel b) {
  const int dx = b.first - a.first, dy = b.second - a.second;
  const int n = std::max(std::abs(dx), std::abs(dy));
  std::vector<Pixel> out;
  for (int t = 0; t < n; ++t)
    out.push_back({a.first + t * (dx > 0) - t * (dx < 0), a.second + t * (dy > 0) - t * (dy < 0)});
  return out;
}

void Paint(PixelColours& out, const std::vector<Pixel>& pixels, fw::TColor c) {
  for (Pixel p : pixels)
    out[p] = c;
}

// Nine copies of the lines, shifted by one pixel in every direction.
void Halo(PixelColours& out, std::initializer_list<std::pair<Pixel, Pixel>> lines) {
  for (int i = -1; i <= 1; ++i)
    for (int j = -1; j <= 1; ++j)
      for (auto [a, b] : lines)
        Paint(out, Line({a.first + i, a.second + j}, {b.first + i, b.second + j}), kBG);
}

std::string Case(int size, int dir, bool transparent) {
  return "size " + std::to_string(size) + " dir " + std::to_string(dir) +
         (transparent ? " transparent" : " opaque");
}

// Runs check over every size, direction and form.
template <typename Expect> void ForEveryCase(TLandMarkElement kind, Expect expect) {
  for (int size : kSizes)
    for (int dir : kDirections)
      for (bool transparent : {true, false})
        EXPECT_EQ(Draw(kind, size, dir, 10, transparent), expect(size, transparent))
            << Case(size, dir, transparent);
}

TEST(SymbolPixels, PlusWithHalo) {
  ForEveryCase(lmPlus, [](int S, bool transparent) {
    PixelColours e;
    const Pixel v0{kX, kY - S}, v1{kX, kY + S + 1}, h0{kX - S, kY}, h1{kX + S + 1, kY};
    if (!transparent) Halo(e, {{v0, v1}, {h0, h1}});
    Paint(e, Line(v0, v1), kFG);
    Paint(e, Line(h0, h1), kFG);
    return e;
  });
  // Size 0: the single pixel over a 3 x 3 halo.
  PixelColours dot = Draw(lmPlus, 0, 0, 0, false);
  EXPECT_EQ(dot.size(), 9u);
  EXPECT_EQ(dot[Pixel(kX, kY)], kFG);
}

TEST(SymbolPixels, CrossWithHalo) {
  ForEveryCase(lmCross, [](int S, bool transparent) {
    PixelColours e;
    if (!transparent)
      Halo(e, {{{kX + S, kY - S}, {kX - S - 1, kY + S + 1}},
               {{kX - S, kY - S}, {kX + S + 1, kY + S + 1}}});
    Paint(e, Line({kX - S, kY - S}, {kX + S + 1, kY + S + 1}), kFG);
    Paint(e, Line({kX - S, kY + S}, {kX + S + 1, kY - S - 1}), kFG);
    return e;
  });
}

// The closed outline through the corners at distance d.
void SquareOutline(PixelColours& e, int d, fw::TColor c) {
  const Pixel tl{kX - d, kY - d}, bl{kX - d, kY + d}, br{kX + d, kY + d}, tr{kX + d, kY - d};
  for (auto [a, b] : {std::pair{tl, bl}, {bl, br}, {br, tr}, {tr, tl}})
    Paint(e, Line(a, b), c);
}

// The opaque square: outline in the fill colour, then a rectangle from
// (x-S+1, y-S+1) to (x+S, y+S), framed in the pen colour, filled inside.
PixelColours OpaqueSquare(int S) {
  PixelColours e;
  SquareOutline(e, S, kBG);
  const int l = std::min(kX - S + 1, kX + S), r = std::max(kX - S + 1, kX + S);
  const int t = std::min(kY - S + 1, kY + S), b = std::max(kY - S + 1, kY + S);
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x)
      e[{x, y}] = (x == l || x == r - 1 || y == t || y == b - 1) ? kFG : kBG;
  return e;
}

TEST(SymbolPixels, Square) {
  ForEveryCase(lmSquare, [](int S, bool transparent) {
    if (!transparent) return OpaqueSquare(S);
    PixelColours e;
    SquareOutline(e, S, kFG);
    return e;
  });
}

TEST(SymbolPixels, CrossBox) {
  ForEveryCase(lmCrossBox, [](int S, bool transparent) {
    if (!transparent) {
      PixelColours e = OpaqueSquare(S);
      Paint(e, Line({kX - S + 1, kY + S - 1}, {kX + S, kY - S}), kFG);
      Paint(e, Line({kX + S - 1, kY + S - 1}, {kX - S, kY - S}), kFG);
      return e;
    }
    PixelColours e;
    SquareOutline(e, S, kFG);
    Paint(e, Line({kX - S, kY - S}, {kX + S, kY + S}), kFG);
    Paint(e, Line({kX - S, kY + S}, {kX + S, kY - S}), kFG);
    return e;
  });
}

TEST(SymbolPixels, Spade) {
  ForEveryCase(lmSpade, [](int S, bool transparent) {
    PixelColours e;
    // The outline is the diamond |dx| + |dy| = S; the fill is inside it.
    for (int dy = -S; dy <= S; ++dy)
      for (int dx = -S; dx <= S; ++dx) {
        const int d = std::abs(dx) + std::abs(dy);
        if (d == S && S > 0) e[{kX + dx, kY + dy}] = kFG;
        if (d < S && !transparent) e[{kX + dx, kY + dy}] = kBG;
      }
    return e;
  });
}

TEST(SymbolPixels, UserDefinedDrawsNothingAndUnknownKindsAFixedPlus) {
  for (int size : kSizes)
    for (bool transparent : {true, false})
      EXPECT_TRUE(Draw(lmUserDef, size, 0, 10, transparent).empty());
  for (int kind : {10, 200, 255}) {
    PixelColours e;
    Paint(e, Line({kX - 4, kY}, {kX + 5, kY}), kFG);
    Paint(e, Line({kX, kY - 4}, {kX, kY + 5}), kFG);
    EXPECT_EQ(Draw(static_cast<TLandMarkElement>(kind), 20, 0, 10, false), e) << kind;
  }
}

// The circle's outline fits its box (x-S, y-S) to (x+S, y+S) without the
// right and bottom edge, touches each edge in the middle, is symmetric, and
// the opaque form fills the inside.
TEST(SymbolPixels, CircleFillsItsBox) {
  for (int S : {7, 20})
    for (bool transparent : {true, false}) {
      PixelColours got = Draw(lmCircle, S, 0, 10, transparent);
      for (auto [p, c] : got) {
        EXPECT_GE(p.first, kX - S);
        EXPECT_LT(p.first, kX + S);
        EXPECT_GE(p.second, kY - S);
        EXPECT_LT(p.second, kY + S);
        const Pixel mirror{2 * kX - 1 - p.first, p.second};
        EXPECT_EQ(got.count(mirror), 1u) << p.first << "," << p.second;
      }
      EXPECT_EQ(got[Pixel(kX - S, kY)], kFG);
      EXPECT_EQ(got[Pixel(kX, kY - S)], kFG);
      if (transparent)
        EXPECT_EQ(got.count({kX, kY}), 0u);
      else
        EXPECT_EQ(got[Pixel(kX, kY)], kBG);
    }
  EXPECT_TRUE(Draw(lmCircle, 0, 0, 10, false).empty()); // an empty box
}

// Triangles and arrows turn with the direction: their corners, worked out by
// hand with rounding of halves to even, must match what the same outlines
// and fills through those corners draw.
struct TCorners3 {
  int Size, Dir;
  Pixel P[3];
};

// What the plain canvas operations draw: the lines (pairs of end points),
// then the corners filled as a polygon, or when transparent the lines from
// the first corner to each other one (closed when Closed is set).
PixelColours Reference(const std::vector<Pixel>& lines, const std::vector<Pixel>& fill,
                       bool transparent, bool closed) {
  auto bmp = Sheet(81, 81);
  fw::TCanvas& c = *bmp->Canvas();
  c.Pen()->SetColor(kFG);
  c.Brush()->SetColor(kBG);
  for (size_t i = 0; i + 1 < lines.size(); i += 2) {
    c.MoveTo(lines[i].first, lines[i].second);
    c.LineTo(lines[i + 1].first, lines[i + 1].second);
  }
  std::vector<fw::TPoint> poly;
  for (Pixel p : fill)
    poly.push_back(fw::Point(p.first, p.second));
  if (!transparent) {
    c.Polygon(poly);
  } else if (closed) {
    c.MoveTo(poly[0].X, poly[0].Y);
    for (size_t i = 1; i <= poly.size(); ++i)
      c.LineTo(poly[i % poly.size()].X, poly[i % poly.size()].Y);
  } else {
    for (size_t i = 1; i < poly.size(); ++i) {
      c.MoveTo(poly[0].X, poly[0].Y);
      c.LineTo(poly[i].X, poly[i].Y);
    }
  }
  return Changed(*bmp);
}

TEST(SymbolPixels, TriangleCornersTurnClockwise) {
  const TCorners3 table[] = {
      {0, 0, {{40, 40}, {40, 40}, {40, 40}}},   {0, 45, {{40, 40}, {40, 40}, {40, 40}}},
      {0, 90, {{40, 40}, {40, 40}, {40, 40}}},  {0, 200, {{40, 40}, {40, 40}, {40, 40}}},
      {1, 0, {{40, 39}, {41, 40}, {39, 40}}},   {1, 45, {{41, 39}, {40, 41}, {39, 40}}},
      {1, 90, {{41, 40}, {40, 41}, {40, 39}}},  {1, 200, {{40, 41}, {39, 39}, {41, 40}}},
      {7, 0, {{40, 33}, {46, 44}, {34, 44}}},   {7, 45, {{45, 35}, {42, 47}, {33, 38}}},
      {7, 90, {{47, 40}, {36, 46}, {36, 34}}},  {7, 200, {{38, 47}, {36, 35}, {47, 39}}},
      {20, 0, {{40, 20}, {57, 50}, {23, 50}}},  {20, 45, {{54, 26}, {45, 59}, {21, 35}}},
      {20, 90, {{60, 40}, {30, 57}, {30, 23}}}, {20, 200, {{33, 59}, {27, 25}, {60, 37}}},
  };
  for (const auto& t : table)
    for (bool transparent : {true, false})
      EXPECT_EQ(Draw(lmTriangle, t.Size, t.Dir, 10, transparent),
                Reference({}, {t.P[0], t.P[1], t.P[2]}, transparent, true))
          << Case(t.Size, t.Dir, transparent);
  // At direction 0 the apex points up.
  PixelColours up = Draw(lmTriangle, 20, 0, 10, false);
  EXPECT_EQ(up[Pixel(40, 20)], kFG);
  EXPECT_EQ(up.count({40, 60}), 0u);
}

// Tip (or start) T of the shaft, the head H and its barbs B1 (+20°), B2 (-20°).
struct TArrow {
  int Size, Dir, Length;
  Pixel T, H, B1, B2;
};

void CheckArrows(TLandMarkElement kind, std::span<const TArrow> table) {
  for (const auto& a : table)
    for (bool transparent : {true, false}) {
      const Pixel centre{kX, kY};
      const Pixel from = kind == lmArrowFrom ? centre : a.T,
                  to = kind == lmArrowFrom ? a.T : centre;
      std::vector<Pixel> lines = {from, to};
      EXPECT_EQ(Draw(kind, a.Size, a.Dir, a.Length, transparent),
                Reference(lines, {a.H, a.B1, a.B2}, transparent, false))
          << Case(a.Size, a.Dir, transparent);
    }
}

TEST(SymbolPixels, ArrowFromPointsAwayFromTheLandmark) {
  const TArrow table[] = {
      {0, 0, 10, {40, 30}, {40, 30}, {40, 30}, {40, 30}},
      {0, 45, 10, {47, 33}, {47, 33}, {47, 33}, {47, 33}},
      {0, 90, 10, {50, 40}, {50, 40}, {50, 40}, {50, 40}},
      {0, 200, 10, {37, 49}, {37, 49}, {37, 49}, {37, 49}},
      {1, 0, 10, {40, 30}, {40, 30}, {40, 31}, {40, 31}},
      {1, 45, 10, {47, 33}, {47, 33}, {46, 33}, {47, 34}},
      {1, 90, 10, {50, 40}, {50, 40}, {49, 40}, {49, 40}},
      {1, 200, 10, {37, 49}, {37, 49}, {38, 48}, {37, 48}},
      {7, 0, 25, {40, 15}, {40, 15}, {38, 22}, {42, 22}},
      {7, 45, 25, {58, 22}, {58, 22}, {52, 25}, {55, 28}},
      {7, 90, 25, {65, 40}, {65, 40}, {58, 38}, {58, 42}},
      {7, 200, 25, {31, 63}, {31, 63}, {35, 58}, {31, 56}},
      {20, 0, 25, {40, 15}, {40, 15}, {33, 34}, {47, 34}},
      {20, 45, 25, {58, 22}, {58, 22}, {40, 30}, {50, 40}},
      {20, 90, 25, {65, 40}, {65, 40}, {46, 33}, {46, 47}},
      {20, 200, 25, {31, 63}, {31, 63}, {44, 48}, {31, 43}},
  };
  CheckArrows(lmArrowFrom, table);
}

TEST(SymbolPixels, ArrowToPointsAtTheLandmark) {
  const TArrow table[] = {
      {0, 0, 10, {40, 30}, {40, 40}, {40, 40}, {40, 40}},
      {0, 45, 10, {47, 33}, {40, 40}, {40, 40}, {40, 40}},
      {0, 90, 10, {50, 40}, {40, 40}, {40, 40}, {40, 40}},
      {0, 200, 10, {37, 49}, {40, 40}, {40, 40}, {40, 40}},
      {1, 0, 10, {40, 30}, {40, 40}, {40, 39}, {40, 39}},
      {1, 45, 10, {47, 33}, {40, 40}, {41, 40}, {40, 39}},
      {1, 90, 10, {50, 40}, {40, 40}, {41, 40}, {41, 40}},
      {1, 200, 10, {37, 49}, {40, 40}, {39, 41}, {40, 41}},
      {7, 0, 25, {40, 15}, {40, 40}, {42, 33}, {38, 33}},
      {7, 45, 25, {58, 22}, {40, 40}, {46, 37}, {43, 34}},
      {7, 90, 25, {65, 40}, {40, 40}, {47, 42}, {47, 38}},
      {7, 200, 25, {31, 63}, {40, 40}, {36, 45}, {40, 47}},
      {20, 0, 25, {40, 15}, {40, 40}, {47, 21}, {33, 21}},
      {20, 45, 25, {58, 22}, {40, 40}, {58, 32}, {48, 22}},
      {20, 90, 25, {65, 40}, {40, 40}, {59, 47}, {59, 33}},
      {20, 200, 25, {31, 63}, {40, 40}, {27, 55}, {40, 60}},
  };
  CheckArrows(lmArrowTo, table);
}

// Filled forms make the brush solid, so a clear brush left behind by a
// transparent caption or circle cannot leave the next symbol empty.
TEST(SymbolPixels, FilledFormsFillAfterAClearBrush) {
  for (TLandMarkElement kind : {lmTriangle, lmCircle, lmSpade, lmArrowFrom, lmSquare}) {
    auto bmp = Sheet(81, 81);
    bmp->Canvas()->Brush()->SetStyle(fw::bsClear);
    DrawLandMarkSymbolOnCanvas(bmp->Canvas(), kX, kY, kind, kFG, kBG, 20, 180, 10, false);
    EXPECT_EQ(bmp->Canvas()->Brush()->Style(), fw::bsSolid) << int(kind);
    EXPECT_EQ(bmp->Canvas()->Pixels(kX, kY + 2), kBG) << int(kind);
  }
  auto bmp = Sheet(81, 81);
  DrawLandMarkSymbolOnCanvas(bmp->Canvas(), kX, kY, lmCircle, kFG, kBG, 10, 0, 0, true);
  EXPECT_EQ(bmp->Canvas()->Brush()->Style(), fw::bsClear);
  EXPECT_EQ(bmp->Canvas()->Brush()->Color(), kBG);
  EXPECT_EQ(bmp->Canvas()->Pen()->Color(), kFG);
}

TEST(SymbolPixels, HostileSizesStayOnTheCanvas) {
  for (int kind = 0; kind <= 9; ++kind)
    for (int size : {INT32_MAX, INT32_MIN, -5})
      for (bool transparent : {true, false}) {
        auto bmp = Sheet(40, 30);
        DrawLandMarkSymbolOnCanvas(bmp->Canvas(), 20, 15, static_cast<TLandMarkElement>(kind), kFG,
                                   kBG, size, 33, size, transparent);
      }
  DrawLandMarkSymbolOnCanvas(nullptr, 0, 0, lmCross, kFG, kBG, 7, 0, 10, false);
}

} // namespace
