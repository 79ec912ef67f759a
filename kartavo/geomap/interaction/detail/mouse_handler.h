// The mouse modes of the map control. Each mode is a small stateless
// handler; what a gesture has to remember between events lives in the
// control's mouse state, so that copying a control copies it too. The
// control only dispatches its mouse events here.
#pragma once

#include "kartavo/companion/quillon.h"
#include "kartavo/framework/mouse.h"

namespace kartavo {

class TGeoMap;
class TMapView;
struct TMouseState;

// What a handler works on: the control (its size, canvas, conversions,
// events and Paint), its view and its mouse state.
struct TMouseContext {
  TGeoMap& Map;
  TMapView& View;
  TMouseState& Mouse;
};

// One mouse event in control pixels. Button is meaningful for presses and
// releases only.
struct TMouseInput {
  fw::TMouseButton Button = fw::mbLeft;
  fw::TShiftState Shift;
  int X = 0;
  int Y = 0;

  quillon::TPoint Pos() const { return {X, Y}; }
  bool LeftHeld() const { return Shift.Contains(fw::ssLeft); }
  bool IsLeft() const { return Button == fw::mbLeft; }
  bool IsRight() const { return Button == fw::mbRight; }
};

class TMouseHandler {
public:
  virtual ~TMouseHandler() = default;
  virtual void Down(TMouseContext&, const TMouseInput&) const {}
  virtual void Move(TMouseContext&, const TMouseInput&) const {}
  virtual void Up(TMouseContext&, const TMouseInput&) const {}
};

// The handler of a mode; null for the modes in which the mouse does nothing.
const TMouseHandler* MouseHandlerFor(quillon::TMouseActMode Mode);

// The whole of one event: the common bookkeeping, the box of a running
// MouseBox, then the mode's handler.
void DispatchMouseDown(TMouseContext& Ctx, const TMouseInput& In);
void DispatchMouseMove(TMouseContext& Ctx, const TMouseInput& In);
void DispatchMouseUp(TMouseContext& Ctx, const TMouseInput& In);

} // namespace kartavo
