// Mode 17: strokes drawn with the left button are recorded into the mouse
// trace; each release ends a stroke.
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/geomap/interaction/detail/mouse_handlers.h"

namespace kartavo {

void TTraceHandler::Move(TMouseContext& Ctx, const TMouseInput& In) const {
  if (Ctx.View.ZoomState() != quillon::zsIdle || !In.LeftHeld()) return;
  (void)ClampedToControl(Ctx, In); // TODO record through the trace
}

void TTraceHandler::Up(TMouseContext&, const TMouseInput&) const {}

} // namespace kartavo
