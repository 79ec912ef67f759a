// TGeoMap: the mouse. The control hands its events to the mouse modes
// (interaction/): presses and moves before the framework raises
// OnMouseDown and OnMouseMove, releases after it raised OnMouseUp.
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/geomap/interaction/detail/mouse_box.h"

namespace kartavo {

void TGeoMap::MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) {
  TMouseContext ctx{*this, FView, FMouse};
  DispatchMouseDown(ctx, {Button, Shift, X, Y});
  fw::TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TGeoMap::MouseMove(fw::TShiftState Shift, int X, int Y) {
  TMouseContext ctx{*this, FView, FMouse};
  DispatchMouseMove(ctx, {fw::mbLeft, Shift, X, Y});
  fw::TCustomControl::MouseMove(Shift, X, Y);
}

void TGeoMap::MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) {
  fw::TCustomControl::MouseUp(Button, Shift, X, Y);
  TMouseContext ctx{*this, FView, FMouse};
  DispatchMouseUp(ctx, {Button, Shift, X, Y});
}

bool TGeoMap::MouseBox(int& xLo, int& yLo, int& xHi, int& yHi) {
  TMouseContext ctx{*this, FView, FMouse};
  return RunMouseBox(ctx, xLo, yLo, xHi, yHi);
}

void TGeoMap::MouseBoxAbort() {
  TMouseContext ctx{*this, FView, FMouse};
  AbortMouseBox(ctx);
}

} // namespace kartavo
