// The control's mouse events: the bookkeeping every mode shares, the box of
// a running MouseBox, then the handler of the mode in force.
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/geomap/interaction/detail/mouse_box.h"
#include "kartavo/geomap/interaction/detail/mouse_handlers.h"

#include <algorithm>

namespace kartavo {

const TMouseHandler* MouseHandlerFor(quillon::TMouseActMode Mode) {
  static const TPanHandler pan(true, true), panHorz(true, false), panVert(false, true);
  static const TZoomBoxHandler zoomBox;
  static const TDragZoomHandler dragZoom;
  static const TRubberBandHandler rubberBand;
  static const TSelectHandler select;
  static const TTraceHandler trace;
  switch (Mode) {
  case quillon::maPan:
    return &pan;
  case quillon::maPanHorz:
    return &panHorz;
  case quillon::maPanVert:
    return &panVert;
  case quillon::maRubberBand:
    return &rubberBand;
  case quillon::maZoomBox:
    return &zoomBox;
  case quillon::maZoomDrag:
    return &dragZoom;
  case quillon::maSelectRect:
    return &select;
  case quillon::maMouseTrace:
    return &trace;
  default:
    return nullptr;
  }
}

void DispatchMouseDown(TMouseContext& Ctx, const TMouseInput& In) {
  Ctx.Mouse.LastClick = Ctx.Map.ControlToMapImage({In.X, In.Y});
  MouseBoxDown(Ctx, In);
  if (const TMouseHandler* h = MouseHandlerFor(Ctx.Mouse.Action)) h->Down(Ctx, In);
}

void DispatchMouseMove(TMouseContext& Ctx, const TMouseInput& In) {
  Ctx.Mouse.LastMouse = Ctx.Map.ControlToMapImage({In.X, In.Y});
  MouseBoxMove(Ctx, In);
  if (const TMouseHandler* h = MouseHandlerFor(Ctx.Mouse.Action)) h->Move(Ctx, In);
}

void DispatchMouseUp(TMouseContext& Ctx, const TMouseInput& In) {
  MouseBoxUp(Ctx, In);
  if (const TMouseHandler* h = MouseHandlerFor(Ctx.Mouse.Action)) h->Up(Ctx, In);
}

bool InsideControl(const TMouseContext& Ctx, const TMouseInput& In) {
  return In.X >= 0 && In.X <= Ctx.Map.Width() && In.Y >= 0 && In.Y <= Ctx.Map.Height();
}

TMouseInput ClampedToControl(const TMouseContext& Ctx, const TMouseInput& In, int Lo) {
  TMouseInput out = In;
  out.X = std::clamp(In.X, std::min(Lo, Ctx.Map.Width()), Ctx.Map.Width());
  out.Y = std::clamp(In.Y, std::min(Lo, Ctx.Map.Height()), Ctx.Map.Height());
  return out;
}

bool DragStep(TMouseContext& Ctx, const TMouseInput& In) {
  if (!In.LeftHeld()) {
    Ctx.Mouse.LButtonWasDown = false;
    return false;
  }
  if (Ctx.Mouse.LButtonWasDown) return InsideControl(Ctx, In);
  Ctx.Mouse.LButtonWasDown = true;
  Ctx.Mouse.DragAnchor = {In.X, In.Y};
  Ctx.View.SetTopLeftAnchor(Ctx.View.TopLeft());
  return false;
}

void EndDrag(TMouseContext& Ctx) {
  Ctx.Mouse.LButtonWasDown = false;
  Ctx.Map.ZoomStateOnStack();
}

} // namespace kartavo
