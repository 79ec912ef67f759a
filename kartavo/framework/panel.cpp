#include "kartavo/framework/panel.h"

#include <algorithm>

namespace fw {

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csOpaque |
                  csDoubleClicks);
  SetBounds(0, 0, 185, 41);
}

void TPanel::SetBevelOuter(TBevelCut value) {
  FBevelOuter = value;
  Invalidate();
}

void TPanel::SetBevelInner(TBevelCut value) {
  FBevelInner = value;
  Invalidate();
}

void TPanel::SetBevelWidth(int value) {
  FBevelWidth = std::max(value, 1);
  Invalidate();
}

void TPanel::Paint() {
  TCanvas& c = *Canvas();
  c.Brush()->SetColor(Color());
  c.Brush()->SetStyle(bsSolid);
  c.FillRect(ClientRect());
  TRect r = DrawBevel(c, ClientRect(), FBevelOuter, FBevelWidth);
  r = DrawBevel(c, r, FBevelInner, FBevelWidth);
  DrawCenteredText(c, r, Caption());
}

} // namespace fw
