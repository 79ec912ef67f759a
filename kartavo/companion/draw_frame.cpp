#include "kartavo/companion/draw_frame.h"

#include "kartavo/framework/canvas.h"

#include <algorithm>
#include <cstdint>

namespace quillon {

namespace {

// Fills the pixels x0..x1, y0..y1 (inclusive) with colour, clipped by the canvas.
void Fill(fw::TCanvas* c, int64_t x0, int64_t y0, int64_t x1, int64_t y1, fw::TColor colour) {
  if (x1 < x0 || y1 < y0) return;
  fw::TRect bounds = c->ClipRect();
  x0 = std::max<int64_t>(x0, bounds.Left);
  y0 = std::max<int64_t>(y0, bounds.Top);
  x1 = std::min<int64_t>(x1, int64_t{bounds.Right} - 1);
  y1 = std::min<int64_t>(y1, int64_t{bounds.Bottom} - 1);
  if (x1 < x0 || y1 < y0) return;
  c->Brush()->SetColor(colour);
  c->FillRect(fw::Rect(int(x0), int(y0), int(x1) + 1, int(y1) + 1));
}

// One ring of a frame: top and left in topLeft, bottom and right in bottomRight.
void Ring(fw::TCanvas* c, int64_t l, int64_t t, int64_t r, int64_t b, fw::TColor topLeft,
          fw::TColor bottomRight) {
  if (r < l || b < t) return;
  Fill(c, l, t, r - 1, t, topLeft);
  Fill(c, l, t + 1, l, b - 1, topLeft);
  Fill(c, r, t, r, b, bottomRight);
  Fill(c, l, b, r - 1, b, bottomRight);
}

} // namespace

void DrawFrame(fw::TCanvas* Canvas, TFrameStyle Style, int Left, int Top, int Right, int Bottom,
               fw::TColor Highlight, fw::TColor Light, fw::TColor Shadow, fw::TColor DarkShadow,
               fw::TColor Line) {
  if (!Canvas || Style == fsNone) return;
  const fw::TColor savedColor = Canvas->Brush()->Color();
  const fw::TBrushStyle savedStyle = Canvas->Brush()->Style();
  Canvas->Brush()->SetStyle(fw::bsSolid);
  const int64_t l = Left, t = Top, r = Right, b = Bottom;
  switch (Style) {
  case fsSingle:
    Ring(Canvas, l, t, r, b, Line, Line);
    break;
  case fsLowered:
    Ring(Canvas, l, t, r, b, Shadow, Highlight);
    break;
  case fsRaised:
    Ring(Canvas, l, t, r, b, Highlight, Shadow);
    break;
  case fsDoubleLowered:
    Ring(Canvas, l, t, r, b, Shadow, Highlight);
    Ring(Canvas, l + 1, t + 1, r - 1, b - 1, DarkShadow, Light);
    break;
  case fsDoubleRaised:
    Ring(Canvas, l, t, r, b, Light, DarkShadow);
    Ring(Canvas, l + 1, t + 1, r - 1, b - 1, Highlight, Shadow);
    break;
  default:
    break;
  }
  Canvas->Brush()->SetColor(savedColor);
  Canvas->Brush()->SetStyle(savedStyle);
}

} // namespace quillon
