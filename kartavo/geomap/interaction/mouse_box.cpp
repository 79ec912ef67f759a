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
  XorBox(*Ctx.Map.Canvas(), m.BoxCorner1, m.BoxCorner2);
}

bool BoxOpen(const TMouseState& m) {
  return m.BoxState == quillon::mbsWaiting || m.BoxState == quillon::mbsDragging;
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
  if (m.BoxState != quillon::mbsWaiting) return;
  if (In.IsRight()) {
    m.BoxState = quillon::mbsIdle;
    return;
  }
  m.BoxCorner1 = m.BoxCorner2 = In.Pos();
  m.BoxState = quillon::mbsDragging;
}

void MouseBoxMove(TMouseContext& Ctx, const TMouseInput& In) {
  TMouseState& m = Ctx.Mouse;
  if (m.BoxState != quillon::mbsDragging) return;
  const TMouseInput c = ClampedToControl(Ctx, In, 1);
  XorMouseBox(Ctx);
  m.BoxCorner2 = c.Pos();
  XorMouseBox(Ctx);
}

void MouseBoxUp(TMouseContext& Ctx, const TMouseInput& In) {
  TMouseState& m = Ctx.Mouse;
  if (m.BoxState != quillon::mbsDragging) return;
  XorMouseBox(Ctx);
  if (In.IsRight()) {
    m.BoxState = quillon::mbsIdle;
    return;
  }
  m.BoxCorner2 = In.Pos();
  m.BoxState = quillon::mbsCompleted;
}

void AbortMouseBox(TMouseContext& Ctx) {
  if (Ctx.Mouse.BoxState == quillon::mbsDragging) XorMouseBox(Ctx);
  Ctx.Mouse.BoxState = quillon::mbsIdle;
}

bool RunMouseBox(TMouseContext& Ctx, int& xLo, int& yLo, int& xHi, int& yHi) {
  TMouseState& m = Ctx.Mouse;
  const quillon::TMouseActMode saved = m.Action;
  m.Action = quillon::maNone;
  m.BoxState = quillon::mbsWaiting;
  while (BoxOpen(m)) {
    ProcessOneRound();
    if (BoxOpen(m) && NoInputCanArrive()) m.BoxState = quillon::mbsIdle;
  }
  const bool completed = m.BoxState == quillon::mbsCompleted;
  if (completed) {
    xLo = std::min(m.BoxCorner1.X, m.BoxCorner2.X);
    xHi = std::max(m.BoxCorner1.X, m.BoxCorner2.X);
    yLo = std::min(m.BoxCorner1.Y, m.BoxCorner2.Y);
    yHi = std::max(m.BoxCorner1.Y, m.BoxCorner2.Y);
  }
  m.BoxState = quillon::mbsIdle;
  m.Action = saved;
  return completed;
}

} // namespace kartavo
