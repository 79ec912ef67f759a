// MouseBox: the box is XOR-drawn on the control's canvas while it is
// dragged; the wait runs the host's message loop, so the host's other
// handlers keep running.
#include "kartavo/geomap/interaction/detail/mouse_box.h"
#include "kartavo/framework/headless_backend.h"
#include "kartavo/framework/screen.h"
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/geomap/interaction/detail/mouse_handlers.h"
#include "kartavo/geomap/interaction/detail/xor_figures.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace kartavo {
namespace {

void XorMouseBox(TMouseContext& Ctx) {
  const TMouseState& m = Ctx.Mouse;
  XorBox(*Ctx.Map.Canvas(), m.FMouseBoxX1, m.FMouseBoxY1, m.FMouseBoxX2, m.FMouseBoxY2);
}

bool BoxOpen(const TMouseState& m) {
  return m.FMouseBoxState == quillon::mbsWaiting || m.FMouseBoxState == quillon::mbsDragging;
}

// Without a display, input comes only from the queue and the idle hook that
// feeds it: when both are empty nothing can ever complete the box.
bool NoInputCanArrive() {
  const fw::THeadlessBackend* headless = fw::HeadlessBackend();
  return headless && headless->PendingMessages() == 0 && !headless->OnIdle;
}

// One round of the host's message loop; on a real display a short pause
// keeps the wait from spinning the processor.
void ProcessOneRound() {
  fw::Application().ProcessMessages();
  if (!fw::HeadlessBackend()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

} // namespace

void MouseBoxDown(TMouseContext& Ctx, const TMouseInput& In) {
  TMouseState& m = Ctx.Mouse;
  if (m.FMouseBoxState != quillon::mbsWaiting) return;
  if (In.IsRight()) {
    m.FMouseBoxState = quillon::mbsIdle;
    return;
  }
  m.FMouseBoxX1 = m.FMouseBoxX2 = In.X;
  m.FMouseBoxY1 = m.FMouseBoxY2 = In.Y;
  m.FMouseBoxState = quillon::mbsDragging;
}

void MouseBoxMove(TMouseContext& Ctx, const TMouseInput& In) {
  TMouseState& m = Ctx.Mouse;
  if (m.FMouseBoxState != quillon::mbsDragging) return;
  const TMouseInput c = ClampedToControl(Ctx, In, 1);
  XorMouseBox(Ctx);
  m.FMouseBoxX2 = c.X;
  m.FMouseBoxY2 = c.Y;
  XorMouseBox(Ctx);
}

void MouseBoxUp(TMouseContext& Ctx, const TMouseInput& In) {
  TMouseState& m = Ctx.Mouse;
  if (m.FMouseBoxState != quillon::mbsDragging) return;
  XorMouseBox(Ctx);
  if (In.IsRight()) {
    m.FMouseBoxState = quillon::mbsIdle;
    return;
  }
  m.FMouseBoxX2 = In.X;
  m.FMouseBoxY2 = In.Y;
  m.FMouseBoxState = quillon::mbsCompleted;
}

void AbortMouseBox(TMouseContext& Ctx) {
  if (Ctx.Mouse.FMouseBoxState == quillon::mbsDragging) XorMouseBox(Ctx);
  Ctx.Mouse.FMouseBoxState = quillon::mbsIdle;
}

bool RunMouseBox(TMouseContext& Ctx, int& xLo, int& yLo, int& xHi, int& yHi) {
  TMouseState& m = Ctx.Mouse;
  const quillon::TMouseActMode saved = m.FMouseAction;
  m.FMouseAction = quillon::maNone;
  m.FMouseBoxState = quillon::mbsWaiting;
  while (BoxOpen(m)) {
    ProcessOneRound();
    if (BoxOpen(m) && NoInputCanArrive()) m.FMouseBoxState = quillon::mbsIdle;
  }
  const bool completed = m.FMouseBoxState == quillon::mbsCompleted;
  if (completed) {
    xLo = std::min(m.FMouseBoxX1, m.FMouseBoxX2);
    xHi = std::max(m.FMouseBoxX1, m.FMouseBoxX2);
    yLo = std::min(m.FMouseBoxY1, m.FMouseBoxY2);
    yHi = std::max(m.FMouseBoxY1, m.FMouseBoxY2);
  }
  m.FMouseBoxState = quillon::mbsIdle;
  m.FMouseAction = saved;
  return completed;
}

} // namespace kartavo
