#include "kartavo/geomap/landmarks/symbol_drawing.h"

#include "kartavo/framework/canvas.h"
#include "kartavo/geomap/detail/pixel_round.h"
#include "kartavo/geomap/landmarks/detail/degree_trig.h"
#include "kartavo/geomap/landmarks/detail/symbol_stamp.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <tuple>

namespace kartavo {
namespace {

// Symbol coordinates are worked out in 64 bits and saturate at the canvas's
// int range, so that a hostile size or length cannot wrap around.
int Sat(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

fw::TPoint At(int64_t x, int64_t y) { return fw::Point(Sat(x), Sat(y)); }

// The pen and brush work of one symbol at centre (X, Y) with half-size S.
struct TSymbolPen {
  fw::TCanvas& C;
  int64_t X, Y, S;

  void Line(fw::TPoint a, fw::TPoint b) {
    C.MoveTo(a.X, a.Y);
    C.LineTo(b.X, b.Y);
  }
  void Path(std::initializer_list<fw::TPoint> points) {
    auto it = points.begin();
    C.MoveTo(it->X, it->Y);
    for (++it; it != points.end(); ++it)
      C.LineTo(it->X, it->Y);
  }
  void Polygon(std::initializer_list<fw::TPoint> points) {
    C.Polygon(std::span<const fw::TPoint>(points.begin(), points.size()));
  }
  void PenColor(fw::TColor c) { C.Pen()->SetColor(c); }
  void FillWith(fw::TColor c) {
    C.Brush()->SetColor(c);
    C.Brush()->SetStyle(fw::bsSolid);
  }
  // The square outline through the four corners at distance S.
  void SquareOutline() {
    Path(
        {At(X - S, Y - S), At(X - S, Y + S), At(X + S, Y + S), At(X + S, Y - S), At(X - S, Y - S)});
  }
  // The filled inner square of the opaque square forms.
  void InnerSquare() { C.Rectangle(Sat(X - S + 1), Sat(Y - S + 1), Sat(X + S), Sat(Y + S)); }
  // Two lines drawn nine times, shifted by one pixel in every direction.
  void Halo(fw::TPoint a1, fw::TPoint b1, fw::TPoint a2, fw::TPoint b2) {
    for (int i = -1; i <= 1; ++i)
      for (int j = -1; j <= 1; ++j) {
        Line(At(int64_t{a1.X} + i, int64_t{a1.Y} + j), At(int64_t{b1.X} + i, int64_t{b1.Y} + j));
        Line(At(int64_t{a2.X} + i, int64_t{a2.Y} + j), At(int64_t{b2.X} + i, int64_t{b2.Y} + j));
      }
  }
};

// The point at distance r from (x, y) in direction phi (degrees, clockwise
// from screen-up), each coordinate rounded on its own.
fw::TPoint Polar(int64_t x, int64_t y, double r, double phi) {
  const auto [s, c] = detail::SinCosDeg(phi);
  return At(x + RoundPixel(r * s), y - RoundPixel(r * c));
}

void DrawPlus(TSymbolPen& p, fw::TColor fg, fw::TColor bg, bool transparent) {
  const auto [X, Y, S] = std::tuple{p.X, p.Y, p.S};
  const fw::TPoint v0 = At(X, Y - S), v1 = At(X, Y + S + 1);
  const fw::TPoint h0 = At(X - S, Y), h1 = At(X + S + 1, Y);
  if (!transparent) {
    p.PenColor(bg);
    p.Halo(v0, v1, h0, h1);
  }
  p.PenColor(fg);
  p.Line(v0, v1);
  p.Line(h0, h1);
}

void DrawCross(TSymbolPen& p, fw::TColor fg, fw::TColor bg, bool transparent) {
  const auto [X, Y, S] = std::tuple{p.X, p.Y, p.S};
  if (!transparent) {
    p.PenColor(bg);
    p.Halo(At(X + S, Y - S), At(X - S - 1, Y + S + 1), At(X - S, Y - S), At(X + S + 1, Y + S + 1));
  }
  p.PenColor(fg);
  p.Line(At(X - S, Y - S), At(X + S + 1, Y + S + 1));
  p.Line(At(X - S, Y + S), At(X + S + 1, Y - S - 1));
}

void DrawSquare(TSymbolPen& p, fw::TColor fg, fw::TColor bg, bool transparent, bool diagonals) {
  const auto [X, Y, S] = std::tuple{p.X, p.Y, p.S};
  p.C.Brush()->SetColor(bg);
  if (transparent) {
    p.PenColor(fg);
    p.SquareOutline();
    if (diagonals) {
      p.Line(At(X - S, Y - S), At(X + S, Y + S));
      p.Line(At(X - S, Y + S), At(X + S, Y - S));
    }
    return;
  }
  p.PenColor(bg);
  p.SquareOutline();
  p.PenColor(fg);
  p.FillWith(bg);
  p.InnerSquare();
  if (diagonals) {
    p.Line(At(X - S + 1, Y + S - 1), At(X + S, Y - S));
    p.Line(At(X + S - 1, Y + S - 1), At(X - S, Y - S));
  }
}

void DrawTriangle(TSymbolPen& p, bool transparent, double theta) {
  const double third = 120;
  const fw::TPoint p1 = Polar(p.X, p.Y, double(p.S), theta);
  const fw::TPoint p2 = Polar(p.X, p.Y, double(p.S), theta + third);
  const fw::TPoint p3 = Polar(p.X, p.Y, double(p.S), theta - third);
  if (transparent)
    p.Path({p1, p2, p3, p1});
  else
    p.Polygon({p1, p2, p3});
}

// The arrow's head at H with barbs at B1, B2.
void ArrowHead(TSymbolPen& p, bool transparent, fw::TPoint h, fw::TPoint b1, fw::TPoint b2) {
  if (transparent) {
    p.Line(h, b1);
    p.Line(h, b2);
  } else {
    p.Polygon({h, b1, b2});
  }
}

// Barb offsets of an arrow of half-size S pointing in direction theta.
struct TBarbs {
  int64_t Sin1, Cos1, Sin2, Cos2;
};
TBarbs Barbs(int64_t S, double theta) {
  const auto [s1, c1] = detail::SinCosDeg(theta + 20);
  const auto [s2, c2] = detail::SinCosDeg(theta - 20);
  const double size = double(S);
  return {RoundPixel(size * s1), RoundPixel(size * c1), RoundPixel(size * s2),
          RoundPixel(size * c2)};
}

void DrawArrowFrom(TSymbolPen& p, bool transparent, double theta, int32_t length) {
  const fw::TPoint t = Polar(p.X, p.Y, double(length), theta);
  p.Line(At(p.X, p.Y), t);
  const TBarbs b = Barbs(p.S, theta);
  ArrowHead(p, transparent, t, At(t.X - b.Sin1, t.Y + b.Cos1), At(t.X - b.Sin2, t.Y + b.Cos2));
}

void DrawArrowTo(TSymbolPen& p, bool transparent, double theta, int32_t length) {
  const fw::TPoint t = Polar(p.X, p.Y, double(length), theta);
  p.Line(t, At(p.X, p.Y));
  const TBarbs b = Barbs(p.S, theta);
  ArrowHead(p, transparent, At(p.X, p.Y), At(p.X + b.Sin1, p.Y - b.Cos1),
            At(p.X + b.Sin2, p.Y - b.Cos2));
}

void DrawSpade(TSymbolPen& p, bool transparent) {
  const auto [X, Y, S] = std::tuple{p.X, p.Y, p.S};
  if (transparent)
    p.Path({At(X, Y - S), At(X + S, Y), At(X, Y + S), At(X - S, Y), At(X, Y - S)});
  else
    p.Polygon({At(X + S, Y), At(X, Y + S), At(X - S, Y), At(X, Y - S)});
}

void DrawCircle(TSymbolPen& p, bool transparent) {
  if (transparent) p.C.Brush()->SetStyle(fw::bsClear);
  p.C.Ellipse(Sat(p.X - p.S), Sat(p.Y - p.S), Sat(p.X + p.S), Sat(p.Y + p.S));
}

// The fixed plus drawn for a kind the package does not know.
void DrawUnknown(TSymbolPen& p) {
  p.Line(At(p.X - 4, p.Y), At(p.X + 5, p.Y));
  p.Line(At(p.X, p.Y - 4), At(p.X, p.Y + 5));
}

// The drawing itself, with the canvas's lines and fills.
void DrawShape(fw::TCanvas& Canvas, int x, int y, TLandMarkElement Element, fw::TColor ColorFG,
               fw::TColor ColorBG, int32_t Size, int32_t Direction, int32_t Length,
               bool Transparent) {
  TSymbolPen p{Canvas, x, y, Size};
  const double theta = Direction;
  switch (Element) {
  case lmPlus:
    return DrawPlus(p, ColorFG, ColorBG, Transparent);
  case lmCross:
    return DrawCross(p, ColorFG, ColorBG, Transparent);
  case lmSquare:
    return DrawSquare(p, ColorFG, ColorBG, Transparent, false);
  case lmCrossBox:
    return DrawSquare(p, ColorFG, ColorBG, Transparent, true);
  default:
    break;
  }
  // The outlined and filled forms: pen ColorFG, fill ColorBG.
  p.PenColor(ColorFG);
  if (Transparent)
    Canvas.Brush()->SetColor(ColorBG);
  else
    p.FillWith(ColorBG);
  switch (Element) {
  case lmTriangle:
    return DrawTriangle(p, Transparent, theta);
  case lmCircle:
    return DrawCircle(p, Transparent);
  case lmArrowFrom:
    return DrawArrowFrom(p, Transparent, theta, Length);
  case lmArrowTo:
    return DrawArrowTo(p, Transparent, theta, Length);
  case lmSpade:
    return DrawSpade(p, Transparent);
  default:
    return DrawUnknown(p);
  }
}

// What the drawing leaves on the canvas: the pen colour, and for the kinds
// with a fill the brush colour and style.
void LeaveCanvasState(fw::TCanvas& c, TLandMarkElement kind, fw::TColor fg, fw::TColor bg,
                      bool transparent) {
  c.Pen()->SetColor(fg);
  if (kind == lmPlus || kind == lmCross) return;
  c.Brush()->SetColor(bg);
  if (!transparent)
    c.Brush()->SetStyle(fw::bsSolid);
  else if (kind == lmCircle)
    c.Brush()->SetStyle(fw::bsClear);
}

} // namespace

namespace detail {

TSymbolPainter& LandmarkSymbolPainter() { return TSymbolPainter::ForThisThread(DrawShape); }

void DrawSymbolWith(TSymbolPainter& Painter, fw::TCanvas& Canvas, int x, int y,
                    const TSymbolProperties& s) {
  if (s.Kind == lmUserDef) return;
  const fw::TPoint penPos = Canvas.PenPos();
  const TSymbolStamp* stamp = Painter.Stamp(s);
  if (stamp && Painter.StampOnCanvas(Canvas, *stamp, x, y, s.FGColor, s.BGColor))
    LeaveCanvasState(Canvas, s.Kind, s.FGColor, s.BGColor, s.Transparent);
  else
    DrawShape(Canvas, x, y, s.Kind, s.FGColor, s.BGColor, s.Size, s.Direction, s.Length,
              s.Transparent);
  Canvas.SetPenPos(penPos);
}

void DrawSymbolDirect(fw::TCanvas& Canvas, int x, int y, const TSymbolProperties& s) {
  if (s.Kind == lmUserDef) return;
  const fw::TPoint penPos = Canvas.PenPos();
  DrawShape(Canvas, x, y, s.Kind, s.FGColor, s.BGColor, s.Size, s.Direction, s.Length,
            s.Transparent);
  Canvas.SetPenPos(penPos);
}

} // namespace detail

void DrawLandMarkSymbolOnCanvas(fw::TCanvas* Canvas, int x, int y, TLandMarkElement Element,
                                fw::TColor ColorFG, fw::TColor ColorBG, int32_t Size,
                                int32_t Direction, int32_t Length, bool Transparent) {
  if (!Canvas) return;
  detail::DrawSymbolWith(detail::LandmarkSymbolPainter(), *Canvas, x, y,
                         {Element, Size, ColorFG, ColorBG, Transparent, Direction, Length});
}

void DrawLandMarkSymbolOnCanvas(fw::TCanvas* Canvas, int x, int y,
                                const TSymbolProperties& Symbol) {
  if (!Canvas) return;
  detail::DrawSymbolWith(detail::LandmarkSymbolPainter(), *Canvas, x, y, Symbol);
}

} // namespace kartavo
