#include "kartavo/framework/bevel.h"

namespace fw {

static void FillLine(TCanvas& c, int x1, int y1, int x2, int y2, TColor color) {
  TBrush& brush = *c.Brush();
  const TColor oldColor = brush.Color();
  const TBrushStyle oldStyle = brush.Style();
  brush.SetColor(color);
  brush.SetStyle(bsSolid);
  c.FillRect(Rect(x1, y1, x2, y2));
  brush.SetColor(oldColor);
  brush.SetStyle(oldStyle);
}

TRect DrawBevel(TCanvas& Canvas, TRect R, TBevelCut Cut, int Width) {
  if (Cut == bvNone) return R;
  const TColor space = Canvas.Brush()->Color();
  const TColor light = Cut == bvRaised ? clWhite : Cut == bvLowered ? clGray : space;
  const TColor dark = Cut == bvRaised ? clGray : Cut == bvLowered ? clWhite : space;
  for (int i = 0; i < Width && R.Width() > 1 && R.Height() > 1; ++i) {
    FillLine(Canvas, R.Left, R.Top, R.Right - 1, R.Top + 1, light);
    FillLine(Canvas, R.Left, R.Top, R.Left + 1, R.Bottom - 1, light);
    FillLine(Canvas, R.Left, R.Bottom - 1, R.Right, R.Bottom, dark);
    FillLine(Canvas, R.Right - 1, R.Top, R.Right, R.Bottom, dark);
    R = Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
  }
  return R;
}

void DrawCenteredText(TCanvas& Canvas, const TRect& R, const std::string& Text) {
  if (Text.empty()) return;
  const TPoint size = Canvas.TextExtent(Text);
  const TBrushStyle old = Canvas.Brush()->Style();
  Canvas.Brush()->SetStyle(bsClear);
  Canvas.TextOut(R.Left + (R.Width() - size.X) / 2, R.Top + (R.Height() - size.Y) / 2, Text);
  Canvas.Brush()->SetStyle(old);
}

} // namespace fw
