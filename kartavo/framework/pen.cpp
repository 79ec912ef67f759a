#include "kartavo/framework/pen.h"

namespace fw {

void TPen::Changed() {
  if (OnChange) OnChange(this);
}

void TPen::SetColor(TColor value) {
  FColor = value & 0x00FFFFFF;
  Changed();
}

void TPen::SetWidth(int value) {
  FWidth = value < 1 ? 1 : value;
  Changed();
}

void TPen::SetStyle(TPenStyle value) {
  FStyle = value;
  Changed();
}

void TPen::SetMode(TPenMode value) {
  FMode = value;
  Changed();
}

void TPen::AssignTo(TPersistent* Dest) const {
  auto* pen = dynamic_cast<TPen*>(Dest);
  if (!pen) return TPersistent::AssignTo(Dest);
  pen->FColor = FColor;
  pen->FWidth = FWidth;
  pen->FStyle = FStyle;
  pen->FMode = FMode;
  pen->Changed();
}

} // namespace fw
