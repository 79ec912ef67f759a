#include "kartavo/framework/brush.h"

namespace fw {

void TBrush::Changed() {
  if (OnChange) OnChange(this);
}

void TBrush::SetColor(TColor value) {
  FColor = value & 0x00FFFFFF;
  Changed();
}

void TBrush::SetStyle(TBrushStyle value) {
  FStyle = value;
  Changed();
}

void TBrush::AssignTo(TPersistent* Dest) const {
  auto* brush = dynamic_cast<TBrush*>(Dest);
  if (!brush) return TPersistent::AssignTo(Dest);
  brush->FColor = FColor;
  brush->FStyle = FStyle;
  brush->Changed();
}

} // namespace fw
