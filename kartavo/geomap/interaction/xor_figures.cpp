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

void XorBox(fw::TCanvas& Canvas, int x1, int y1, int x2, int y2, bool Dotted) {
  BeginXor(Canvas, Dotted ? fw::psDot : fw::psSolid);
  Canvas.Rectangle(x1, y1, x2, y2);
  EndXor(Canvas);
}

void XorLine(fw::TCanvas& Canvas, int x1, int y1, int x2, int y2) {
  BeginXor(Canvas, fw::psSolid);
  Canvas.MoveTo(x1, y1);
  Canvas.LineTo(x2, y2);
  EndXor(Canvas);
}

} // namespace kartavo
