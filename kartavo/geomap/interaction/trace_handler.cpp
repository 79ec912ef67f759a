// Mode 17: strokes drawn with the left button are recorded into the mouse
// trace, each new segment shown at once; each release ends a stroke.
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/geomap/interaction/detail/mouse_handlers.h"

namespace kartavo {

void TTraceHandler::Move(TMouseContext& Ctx, const TMouseInput& In) const {
  if (Ctx.View.ZoomState() != quillon::zsIdle || !In.LeftHeld()) return;
  Ctx.Map.RecordMouseTrace(In.X, In.Y);
}

void TTraceHandler::Up(TMouseContext& Ctx, const TMouseInput&) const {
  Ctx.Map.EndMouseTraceStroke();
}

} // namespace kartavo
