// A speed button: a small button with a picture. Buttons with the same
// non-zero group index under one parent work as a set: pressing one puts it
// down and lets the one that was down come up.
#pragma once

#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/controls.h"
#include "kartavo/framework/export.h"

namespace fw {

class KARTAVO_API TSpeedButton : public TGraphicControl {
public:
  // 23 x 22 pixels, group 0 (an ordinary push button).
  explicit TSpeedButton(TComponent* AOwner);

  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int value);
  // Only a button of a group stays down; putting one down brings the rest of
  // its group up. A down button comes up by a click only while AllowAllUp.
  bool Down() const { return FDown; }
  void SetDown(bool value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool value) { FAllowAllUp = value; }
  // A flat button shows its edge only while it is down or pressed.
  bool Flat() const { return FFlat; }
  void SetFlat(bool value);
  // The picture; it holds NumGlyphs images side by side (up, disabled,
  // pressed, down) of which the first is shown. The colour of its
  // bottom-left pixel is transparent.
  TBitmap* Glyph() { return &FGlyph; }
  void SetGlyph(const TBitmap* value);
  int NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(int value);

  // A left press shows the button pressed; the release over it sets the
  // down state, raises OnMouseUp and then Click (OnClick).
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

protected:
  void Paint() override;

private:
  void UpdateExclusive();
  void DrawGlyph(TCanvas& canvas, const TRect& area, int shift);

  int FGroupIndex = 0;
  bool FDown = false;
  bool FAllowAllUp = false;
  bool FFlat = false;
  bool FPressed = false;
  int FNumGlyphs = 1;
  TBitmap FGlyph;
};

} // namespace fw
