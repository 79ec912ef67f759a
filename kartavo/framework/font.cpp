#include "kartavo/framework/font.h"

#include <cstdint>

namespace fw {

namespace {

// a * b / c rounded to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c) {
  int64_t p = static_cast<int64_t>(a) * b;
  int64_t half = c / 2;
  return static_cast<int>((p >= 0 ? p + half : p - half) / c);
}

} // namespace

void TFont::Changed() {
  if (OnChange) OnChange(this);
}

void TFont::SetName(const std::string& value) {
  FName = value;
  Changed();
}

int TFont::Size() const { return -MulDiv(FHeight, 72, kScreenPixelsPerInch); }

void TFont::SetSize(int value) { SetHeight(-MulDiv(value, kScreenPixelsPerInch, 72)); }

void TFont::SetHeight(int value) {
  FHeight = value;
  Changed();
}

void TFont::SetColor(TColor value) {
  FColor = value & 0x00FFFFFF;
  Changed();
}

void TFont::SetStyle(TFontStyles value) {
  FStyle = value;
  Changed();
}

void TFont::SetOrientation(int value) {
  FOrientation = value;
  Changed();
}

void TFont::AssignTo(TPersistent* Dest) const {
  auto* font = dynamic_cast<TFont*>(Dest);
  if (!font) return TPersistent::AssignTo(Dest);
  font->FName = FName;
  font->FHeight = FHeight;
  font->FColor = FColor;
  font->FStyle = FStyle;
  font->FOrientation = FOrientation;
  font->Changed();
}

} // namespace fw
