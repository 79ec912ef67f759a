// Mode 5: a left click starts a band line from the pointer, the next plain
// left click ends it; a left click with the control key held ends the
// current line there and starts the next, so the band becomes a chain.
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/geomap/interaction/detail/mouse_handlers.h"
#include "kartavo/geomap/interaction/detail/xor_figures.h"

namespace kartavo {
namespace {

void XorBandLine(TMouseContext& Ctx) {
  const TMouseState& m = Ctx.Mouse;
  XorLine(*Ctx.Map.Canvas(), m.RubberBandAnchor, m.RubberBandOld);
}

void StartLineAt(TMouseState& m, const TMouseInput& In) {
  m.RubberBandAnchor = m.RubberBandOld = In.Pos();
}

void Raise(TGeoMap& Map, const quillon::TOnRubberBandActionEvent& Event, const TMouseState& m) {
  if (Event) Event(&Map, m.LastClick);
}

} // namespace

void TRubberBandHandler::Down(TMouseContext& Ctx, const TMouseInput& In) const {
  if (!In.IsLeft()) return;
  TMouseState& m = Ctx.Mouse;
  if (In.Shift.Contains(fw::ssCtrl) && m.RubberBandOn) {
    Raise(Ctx.Map, Ctx.Map.OnContinueRubberBand, m);
    StartLineAt(m, In);
  } else if (m.RubberBandOn) {
    XorBandLine(Ctx);
    m.RubberBandOn = false;
    Raise(Ctx.Map, Ctx.Map.OnEndRubberBand, m);
  } else {
    Raise(Ctx.Map, Ctx.Map.OnBeginRubberBand, m);
    m.RubberBandOn = true;
    StartLineAt(m, In);
  }
}

void TRubberBandHandler::Move(TMouseContext& Ctx, const TMouseInput& In) const {
  TMouseState& m = Ctx.Mouse;
  if (!m.RubberBandOn) return;
  XorBandLine(Ctx);
  m.RubberBandOld = In.Pos();
  XorBandLine(Ctx);
}

} // namespace kartavo
