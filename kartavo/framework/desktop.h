// What is on the screen: the controls that stand alone (no parent) in their
// stacking order, the mouse capture, the pointer, and the controls waiting
// to be painted. Backends hand their mouse input to Deliver; controls keep
// the lists up to date themselves.
#pragma once

#include "kartavo/framework/cursor.h"
#include "kartavo/framework/export.h"
#include "kartavo/framework/geometry.h"
#include "kartavo/framework/mouse.h"

#include <cstdint>
#include <vector>

namespace fw {

class TControl;

enum TMouseMessageKind : uint8_t { mmMouseDown, mmMouseMove, mmMouseUp, mmDblClick, mmMouseWheel };

// One piece of mouse input at a screen position. A double click is the
// second press of the pair: mmDblClick stands for that press. A wheel turn
// carries its distance in WheelDelta: 120 a notch, positive away from the user.
struct TMouseMessage {
  TMouseMessageKind Kind = mmMouseMove;
  TMouseButton Button = mbLeft;
  TShiftState Keys; // keyboard modifiers only; the held buttons are tracked here
  TPoint Screen;
  int WheelDelta = 0;
};

class KARTAVO_API TDesktop {
public:
  // Delivers the message to the control holding the capture, or else to the
  // topmost control under the pointer: MouseDown, MouseMove, MouseUp, Click
  // (a left press and release on the same control, released inside it) and
  // DblClick followed by MouseDown with ssDouble. A wheel turn goes to
  // DoMouseWheel of that control and up its parents until one handles it.
  void Deliver(const TMouseMessage& Message);

  // The topmost showing, enabled control at the screen position, or null.
  TControl* ControlAtPos(TPoint Screen) const;
  TControl* Capture() const { return FCapture; }
  void ReleaseCapture() { FCapture = nullptr; }
  // The control under the pointer after the last message.
  TControl* ControlUnderMouse() const { return FHover; }
  TPoint CursorPos() const { return FCursorPos; }
  // Mouse buttons held now, as shift flags.
  TShiftState HeldButtons() const { return FButtons; }

  // Controls without a parent, bottom first.
  const std::vector<TControl*>& TopLevelControls() const { return FTopLevel; }
  void AddTopLevel(TControl* c);
  void RemoveTopLevel(TControl* c);
  void Restack(TControl* c, bool toFront);
  // Drops every reference to a control that is going away.
  void Forget(TControl* c);

  void AddInvalidated(TControl* c);
  // Paints every control marked by Invalidate that is still marked.
  void PaintInvalidated();

private:
  void DeliverTo(TControl* target, const TMouseMessage& m, TShiftState shift);
  bool Alive() const { return FDelivering != nullptr; }

  std::vector<TControl*> FTopLevel;
  std::vector<TControl*> FInvalidated;
  std::vector<TControl*> FPaintBatch;
  TControl* FCapture = nullptr;
  TControl* FHover = nullptr;
  TControl* FClickPending = nullptr;
  TControl* FDelivering = nullptr;
  TShiftState FButtons;
  TPoint FCursorPos;
};

KARTAVO_API TDesktop& Desktop();

// The cursor shown over a control: its own, or, while that is crDefault,
// the first one set on its parents (a composite control's cursor shows over
// the parts that set none); crDefault when none is set.
KARTAVO_API TCursor ShownCursorOf(const TControl* Control);

} // namespace fw
