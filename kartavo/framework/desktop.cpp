#include "kartavo/framework/desktop.h"

#include "kartavo/framework/backend.h"
#include "kartavo/framework/controls.h"

#include <algorithm>

namespace fw {

namespace {

bool Contains(const TRect& r, TPoint p) {
  return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

bool Takes(const TControl* c, TPoint inParent) {
  return c->Visible() && c->Enabled() && Contains(c->BoundsRect(), inParent);
}

// The deepest child of c under p (p in c's coordinates), or c itself.
TControl* Descend(TControl* c, TPoint p) {
  auto* w = dynamic_cast<TWinControl*>(c);
  for (int i = w ? w->ControlCount() - 1 : -1; i >= 0; --i) {
    TControl* child = w->Controls(i);
    if (Takes(child, p)) return Descend(child, Point(p.X - child->Left(), p.Y - child->Top()));
  }
  return c;
}

void Erase(std::vector<TControl*>& list, TControl* c) {
  list.erase(std::remove(list.begin(), list.end(), c), list.end());
}

} // namespace

TDesktop& Desktop() {
  static TDesktop desktop;
  return desktop;
}

TCursor ShownCursorOf(const TControl* Control) {
  for (const TControl* c = Control; c; c = c->Parent())
    if (c->Cursor() != crDefault) return c->Cursor();
  return crDefault;
}

TControl* TDesktop::ControlAtPos(TPoint Screen) const {
  for (auto it = FTopLevel.rbegin(); it != FTopLevel.rend(); ++it)
    if (Takes(*it, Screen))
      return Descend(*it, Point(Screen.X - (*it)->Left(), Screen.Y - (*it)->Top()));
  return nullptr;
}

void TDesktop::Deliver(const TMouseMessage& Message) {
  FCursorPos = Message.Screen;
  TControl* hover = ControlAtPos(Message.Screen);
  if (hover != FHover) {
    FHover = hover;
    Backend().CursorChanged(hover);
  }
  if (Message.Kind == mmMouseDown || Message.Kind == mmDblClick)
    FButtons.Include(ButtonFlag(Message.Button));
  else if (Message.Kind == mmMouseUp)
    FButtons.Exclude(ButtonFlag(Message.Button));
  TShiftState shift = Message.Keys;
  for (TShiftStateFlag f : {ssLeft, ssRight, ssMiddle})
    if (FButtons.Contains(f)) shift.Include(f);
  TControl* target = FCapture ? FCapture : hover;
  if (Message.Kind == mmMouseUp && FButtons.Empty()) FCapture = nullptr;
  if (target) DeliverTo(target, Message, shift);
}

void TDesktop::DeliverTo(TControl* target, const TMouseMessage& m, TShiftState shift) {
  const TPoint p = target->ScreenToClient(m.Screen);
  const bool clicks = target->ControlStyle() & csClickEvents;
  FDelivering = target;
  switch (m.Kind) {
  case mmMouseDown:
    if (target->ControlStyle() & csCaptureMouse) FCapture = target;
    FClickPending = m.Button == mbLeft && clicks ? target : nullptr;
    target->MouseDown(m.Button, shift, p.X, p.Y);
    break;
  case mmDblClick:
    if (target->ControlStyle() & csCaptureMouse) FCapture = target;
    FClickPending = nullptr;
    if (clicks) target->DblClick();
    shift.Include(ssDouble);
    if (Alive()) target->MouseDown(m.Button, shift, p.X, p.Y);
    break;
  case mmMouseMove:
    target->MouseMove(shift, p.X, p.Y);
    break;
  case mmMouseWheel:
    for (TControl* c = target; c && Alive(); c = c->Parent())
      if (c->DoMouseWheel(shift, m.WheelDelta, m.Screen)) break;
    break;
  case mmMouseUp:
    // The click comes before the release's own handler, as on the platform.
    if (m.Button == mbLeft && FClickPending == target) {
      FClickPending = nullptr;
      if (Contains(target->ClientRect(), p)) target->Click();
    }
    if (Alive()) target->MouseUp(m.Button, shift, p.X, p.Y);
    break;
  }
  FDelivering = nullptr;
}

void TDesktop::AddTopLevel(TControl* c) {
  if (std::find(FTopLevel.begin(), FTopLevel.end(), c) == FTopLevel.end()) FTopLevel.push_back(c);
}

void TDesktop::RemoveTopLevel(TControl* c) { Erase(FTopLevel, c); }

void TDesktop::Restack(TControl* c, bool toFront) {
  auto it = std::find(FTopLevel.begin(), FTopLevel.end(), c);
  if (it == FTopLevel.end()) return;
  FTopLevel.erase(it);
  FTopLevel.insert(toFront ? FTopLevel.end() : FTopLevel.begin(), c);
}

void TDesktop::Forget(TControl* c) {
  Erase(FTopLevel, c);
  Erase(FInvalidated, c);
  Erase(FPaintBatch, c);
  if (FCapture == c) FCapture = nullptr;
  if (FHover == c) FHover = nullptr;
  if (FClickPending == c) FClickPending = nullptr;
  if (FDelivering == c) FDelivering = nullptr;
}

void TDesktop::AddInvalidated(TControl* c) {
  if (std::find(FInvalidated.begin(), FInvalidated.end(), c) == FInvalidated.end())
    FInvalidated.push_back(c);
}

void TDesktop::PaintInvalidated() {
  // Painting may destroy controls (Forget takes them out of the batch) or
  // invalidate them again (they wait for the next round).
  FPaintBatch.swap(FInvalidated);
  while (!FPaintBatch.empty()) {
    TControl* c = FPaintBatch.front();
    FPaintBatch.erase(FPaintBatch.begin());
    c->Update();
  }
}

} // namespace fw
