#include "kartavo/framework/controls.h"

#include "kartavo/framework/backend.h"
#include "kartavo/framework/desktop.h"

#include <algorithm>
#include <stdexcept>

namespace fw {

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
  FSurface.SetPixelFormat(pf24bit);
  Desktop().AddTopLevel(this);
  Backend().CreateSurface(this);
  Invalidate();
}

TControl::~TControl() {
  if (FParent) FParent->RemoveControl(this);
  Desktop().Forget(this);
  Backend().DestroySurface(this);
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent) return;
  for (const TControl* p = AParent; p; p = p->Parent())
    if (p == this) throw std::invalid_argument("A control cannot be a parent of itself");
  if (FParent)
    FParent->RemoveControl(this);
  else
    Desktop().RemoveTopLevel(this);
  FParent = AParent;
  if (FParent)
    FParent->InsertControl(this);
  else
    Desktop().AddTopLevel(this);
  Backend().SurfaceChanged(this);
  Invalidate();
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  ApplyBounds(ALeft, ATop, AWidth, AHeight);
  if (FAlign != alNone) RealignParent();
}

void TControl::ApplyBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  AWidth = std::max(AWidth, 0);
  AHeight = std::max(AHeight, 0);
  const bool sized = AWidth != FWidth || AHeight != FHeight;
  if (!sized && ALeft == FLeft && ATop == FTop) return;
  if (sized) FSurface.SetSize(AWidth, AHeight); // refuses absurd sizes before anything changes
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  Backend().SurfaceChanged(this);
  if (!sized) return;
  if (auto* w = dynamic_cast<TWinControl*>(this)) w->Realign();
  Resize();
  Invalidate();
}

void TControl::RealignParent() {
  if (FParent) FParent->Realign();
}

TPoint TControl::ClientToScreen(TPoint P) const {
  for (const TControl* c = this; c; c = c->Parent()) {
    P.X += c->Left();
    P.Y += c->Top();
  }
  return P;
}

TPoint TControl::ScreenToClient(TPoint P) const {
  const TPoint origin = ClientToScreen(Point(0, 0));
  return Point(P.X - origin.X, P.Y - origin.Y);
}

namespace {

// A control that shows again shows its children with it: all of them are
// painted, also those whose paint was skipped while they were hidden.
void InvalidateWithChildren(TControl* c) {
  c->Invalidate();
  if (auto* parent = dynamic_cast<TWinControl*>(c))
    for (int i = 0; i < parent->ControlCount(); ++i)
      InvalidateWithChildren(parent->Controls(i));
}

} // namespace

void TControl::SetVisible(bool value) {
  if (value == FVisible) return;
  FVisible = value;
  Backend().SurfaceChanged(this);
  if (FAlign != alNone) RealignParent();
  if (value) InvalidateWithChildren(this);
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible()) return false;
  return true;
}

void TControl::SetAlign(TAlign value) {
  if (value == FAlign) return;
  FAlign = value;
  RealignParent();
}

void TControl::SetCursor(TCursor value) {
  if (value == FCursor) return;
  FCursor = value;
  Backend().CursorChanged(this);
}

void TControl::SetCaption(const std::string& value) {
  if (value == FCaption) return;
  FCaption = value;
  Invalidate();
}

void TControl::SetColor(TColor value) {
  if (value == FColor) return;
  FColor = value;
  Invalidate();
}

void TControl::BringToFront() {
  if (FParent)
    FParent->Restack(this, true);
  else
    Desktop().Restack(this, true);
  Invalidate();
}

void TControl::SendToBack() {
  if (FParent)
    FParent->Restack(this, false);
  else
    Desktop().Restack(this, false);
  Invalidate();
}

void TControl::Repaint() {
  if (!Showing() || (ComponentState() & csDestroying)) return;
  FInvalidated = false;
  Paint();
  Backend().Present(this, ClientRect());
}

void TControl::Invalidate() {
  FInvalidated = true;
  Desktop().AddInvalidated(this);
}

void TControl::Update() {
  if (FInvalidated) Repaint();
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  return handled;
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

TWinControl::~TWinControl() {
  FAligning = true; // no layout while the children go
  while (!FControls.empty())
    delete FControls.back();
}

void TWinControl::InsertControl(TControl* c) {
  FControls.push_back(c);
  if (c->Align() != alNone) Realign();
}

void TWinControl::RemoveControl(TControl* c) {
  FControls.erase(std::remove(FControls.begin(), FControls.end(), c), FControls.end());
  if (c->Align() != alNone) Realign();
}

void TWinControl::Restack(TControl* c, bool toFront) {
  auto it = std::find(FControls.begin(), FControls.end(), c);
  if (it == FControls.end()) return;
  FControls.erase(it);
  FControls.insert(toFront ? FControls.end() : FControls.begin(), c);
}

void TWinControl::Realign() {
  if (FAligning) return;
  struct TGuard {
    bool& Flag;
    ~TGuard() { Flag = false; }
  } guard{FAligning = true};
  TRect r = ClientRect();
  auto place = [&](TAlign which, auto&& bounds) {
    for (TControl* c : std::vector<TControl*>(FControls))
      if (c->Align() == which && c->Visible()) bounds(c);
  };
  place(alTop, [&](TControl* c) {
    c->ApplyBounds(r.Left, r.Top, r.Width(), c->Height());
    r.Top += c->Height();
  });
  place(alBottom, [&](TControl* c) {
    c->ApplyBounds(r.Left, r.Bottom - c->Height(), r.Width(), c->Height());
    r.Bottom -= c->Height();
  });
  place(alLeft, [&](TControl* c) {
    c->ApplyBounds(r.Left, r.Top, c->Width(), std::max(r.Height(), 0));
    r.Left += c->Width();
  });
  place(alRight, [&](TControl* c) {
    c->ApplyBounds(r.Right - c->Width(), r.Top, c->Width(), std::max(r.Height(), 0));
    r.Right -= c->Width();
  });
  place(alClient, [&](TControl* c) { c->ApplyBounds(r.Left, r.Top, r.Width(), r.Height()); });
}

} // namespace fw
