#include "kartavo/framework/speed_button.h"

#include "kartavo/framework/bevel.h"

#include <algorithm>

namespace fw {

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  // The button raises Click itself, after its down state has changed.
  SetControlStyle(csCaptureMouse | csDoubleClicks);
  SetBounds(0, 0, 23, 22);
}

void TSpeedButton::SetGroupIndex(int value) {
  FGroupIndex = value;
  if (FDown) UpdateExclusive();
}

void TSpeedButton::SetDown(bool value) {
  if (FGroupIndex == 0) value = false;
  if (value == FDown || (FDown && !FAllowAllUp)) return;
  FDown = value;
  if (value) UpdateExclusive();
  Invalidate();
}

void TSpeedButton::UpdateExclusive() {
  if (!Parent() || FGroupIndex == 0) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
    if (other && other != this && other->FGroupIndex == FGroupIndex && other->FDown) {
      other->FDown = false;
      other->Invalidate();
    }
  }
}

void TSpeedButton::SetFlat(bool value) {
  FFlat = value;
  Invalidate();
}

void TSpeedButton::SetGlyph(const TBitmap* value) {
  if (value)
    FGlyph.Assign(value);
  else
    FGlyph.SetSize(0, 0);
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(int value) {
  FNumGlyphs = std::clamp(value, 1, 4);
  Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && Enabled()) {
    FPressed = true;
    Repaint();
  }
  TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const bool wasPressed = FPressed && Button == mbLeft;
  if (wasPressed) FPressed = false;
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!wasPressed) return;
  const bool inside = X >= 0 && Y >= 0 && X < Width() && Y < Height();
  if (inside && FGroupIndex != 0) SetDown(!FDown);
  Repaint();
  if (inside) Click();
}

void TSpeedButton::DrawGlyph(TCanvas& canvas, const TRect& area, int shift) {
  if (FGlyph.Empty()) return;
  const int w = FGlyph.Width() / FNumGlyphs, h = FGlyph.Height();
  const int x0 = area.Left + (area.Width() - w) / 2 + shift;
  const int y0 = area.Top + (area.Height() - h) / 2 + shift;
  const TCanvas& glyph = *FGlyph.Canvas();
  const TColor transparent = glyph.Pixels(0, h - 1);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const TColor c = glyph.Pixels(x, y);
      if (c != transparent) canvas.SetPixels(x0 + x, y0 + y, c);
    }
}

void TSpeedButton::Paint() {
  TCanvas& c = *Canvas();
  c.Brush()->SetColor(Color());
  c.Brush()->SetStyle(bsSolid);
  c.FillRect(ClientRect());
  const bool sunken = FDown || FPressed;
  TRect r = ClientRect();
  if (!FFlat || sunken) r = DrawBevel(c, r, sunken ? bvLowered : bvRaised);
  DrawGlyph(c, r, sunken ? 1 : 0);
  if (FGlyph.Empty()) DrawCenteredText(c, r, Caption());
}

} // namespace fw
