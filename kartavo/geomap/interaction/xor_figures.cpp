#include "kartavo/geomap/interaction/detail/xor_figures.h"

#include "kartavo/framework/canvas.h"

namespace kartavo {
namespace {

constexpr fw::TColor XorColor = 0xFFFFFF;

void BeginXor(fw::TCanvas& c, fw::TPenStyle style) {
  c.Pen()->SetMode(fw::pmXor);
  c.Pen()->SetColor(XorColor);
  c.Pen()->SetStyle(style);
  c.Pen()->SetWidth(1);
  c.Brush()->SetStyle(fw::bsClear);
}

void EndXor(fw::TCanvas& c) {
  c.Pen()->SetMode(fw::pmCopy);
  c.Pen()->SetStyle(fw::psSolid);
  c.Brush()->SetStyle(fw::bsSolid);
}

} // namespace

void XorBox(fw::TCanvas& Canvas, quillon::TPoint A, quillon::TPoint B, bool Dotted) {
  BeginXor(Canvas, Dotted ? fw::psDot : fw::psSolid);
  Canvas.Rectangle(A.X, A.Y, B.X, B.Y);
  EndXor(Canvas);
}

void XorLine(fw::TCanvas& Canvas, quillon::TPoint A, quillon::TPoint B) {
  BeginXor(Canvas, fw::psSolid);
  Canvas.MoveTo(A.X, A.Y);
  Canvas.LineTo(B.X, B.Y);
  EndXor(Canvas);
}

} // namespace kartavo
