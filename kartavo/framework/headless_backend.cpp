#include "kartavo/framework/headless_backend.h"

#include "kartavo/framework/controls.h"
#include "kartavo/framework/errors.h"
#include "kartavo/framework/screen.h"

namespace fw {

THeadlessBackend* HeadlessBackend() { return dynamic_cast<THeadlessBackend*>(&Backend()); }

void THeadlessBackend::Post(TMouseMessageKind kind, TMouseButton button, TPoint screen,
                            TShiftState keys) {
  FQueue.push_back(TMouseMessage{kind, button, keys, screen});
}

static TPoint ScreenPoint(const TControl* c, int x, int y) {
  return c ? c->ClientToScreen(Point(x, y)) : Point(x, y);
}

void THeadlessBackend::PostMouseDown(TMouseButton Button, int X, int Y, TShiftState Keys) {
  Post(mmMouseDown, Button, Point(X, Y), Keys);
}

void THeadlessBackend::PostMouseMove(int X, int Y, TShiftState Keys) {
  Post(mmMouseMove, mbLeft, Point(X, Y), Keys);
}

void THeadlessBackend::PostMouseUp(TMouseButton Button, int X, int Y, TShiftState Keys) {
  Post(mmMouseUp, Button, Point(X, Y), Keys);
}

void THeadlessBackend::PostMouseDown(const TControl* Control, TMouseButton Button, int X, int Y,
                                     TShiftState Keys) {
  Post(mmMouseDown, Button, ScreenPoint(Control, X, Y), Keys);
}

void THeadlessBackend::PostMouseMove(const TControl* Control, int X, int Y, TShiftState Keys) {
  Post(mmMouseMove, mbLeft, ScreenPoint(Control, X, Y), Keys);
}

void THeadlessBackend::PostMouseUp(const TControl* Control, TMouseButton Button, int X, int Y,
                                   TShiftState Keys) {
  Post(mmMouseUp, Button, ScreenPoint(Control, X, Y), Keys);
}

void THeadlessBackend::PostClick(const TControl* Control, TMouseButton Button, int X, int Y,
                                 TShiftState Keys) {
  PostMouseDown(Control, Button, X, Y, Keys);
  PostMouseUp(Control, Button, X, Y, Keys);
}

void THeadlessBackend::PostDblClick(const TControl* Control, int X, int Y, TShiftState Keys) {
  Post(mmDblClick, mbLeft, ScreenPoint(Control, X, Y), Keys);
  PostMouseUp(Control, mbLeft, X, Y, Keys);
}

void THeadlessBackend::PostMouseWheel(const TControl* Control, int Delta, int X, int Y,
                                      TShiftState Keys) {
  FQueue.push_back(TMouseMessage{mmMouseWheel, mbLeft, Keys, ScreenPoint(Control, X, Y), Delta});
}

int THeadlessBackend::PresentCount(const TControl* Control) const {
  auto it = FPresents.find(Control);
  return it == FPresents.end() ? 0 : it->second;
}

TCursor THeadlessBackend::ShownCursor() const {
  if (Screen().Cursor() != crDefault) return Screen().Cursor();
  return ShownCursorOf(Desktop().ControlUnderMouse());
}

void THeadlessBackend::CreateSurface(TControl* Control) { FPresents[Control] = 0; }

void THeadlessBackend::DestroySurface(TControl* Control) { FPresents.erase(Control); }

void THeadlessBackend::Present(TControl* Control, const TRect&) { ++FPresents[Control]; }

TPixelImage THeadlessBackend::ClipboardImage() const {
  if (!FClipboard) throw EInvalidGraphic("Unsupported clipboard format");
  return *FClipboard;
}

void THeadlessBackend::ProcessMessages() {
  for (;;) {
    if (FQueue.empty() && OnIdle && !FInIdle) {
      FInIdle = true;
      struct TReset {
        bool& Flag;
        ~TReset() { Flag = false; }
      } reset{FInIdle};
      OnIdle();
    }
    if (FQueue.empty()) break;
    const TMouseMessage m = FQueue.front();
    FQueue.pop_front();
    Desktop().Deliver(m);
  }
  Desktop().PaintInvalidated();
}

} // namespace fw
