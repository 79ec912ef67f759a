// Controls: rectangles on the screen that draw themselves and take mouse input.
//
// Every control draws on its own window surface, a bitmap of the control's
// size that its Canvas paints on; the backend shows it. A control without a
// parent stands alone on the screen at (Left, Top); a child's position counts
// from its parent's top-left corner.
//
// Painting: Repaint calls Paint at once and hands the surface to the backend.
// Invalidate only marks the control; the next Application().ProcessMessages()
// paints every marked control that is showing, as a window system's paint
// message would. Creating, showing, resizing and re-parenting invalidate.
//
// Mouse input arrives at the topmost showing, enabled control under the
// pointer (children before their parent, later siblings before earlier
// ones). A pressed button captures the mouse: moves and the release go to
// the control that took the press until every button is up, with
// coordinates relative to that control even outside it.
#pragma once

#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/color.h"
#include "kartavo/framework/cursor.h"
#include "kartavo/framework/export.h"
#include "kartavo/framework/geometry.h"
#include "kartavo/framework/mouse.h"
#include "kartavo/framework/object.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fw {

class TWinControl;

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
// A wheel turn at MousePos (screen pixels); set Handled to keep it from the parent.
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta,
                                            TPoint MousePos, bool& Handled)>;

// How a control places itself in its parent's client area.
enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

// What a control does; a set of flags.
enum TControlStyleFlag : uint32_t {
  csAcceptsControls = 1u << 0,
  csCaptureMouse = 1u << 1,
  csClickEvents = 1u << 3,
  csFramed = 1u << 4,
  csSetCaption = 1u << 5,
  csOpaque = 1u << 6,
  csDoubleClicks = 1u << 7,
};
using TControlStyle = uint32_t;

class KARTAVO_API TControl : public TComponent {
public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
  void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
  void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
  void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
  // Negative sizes become 0. An aligned control keeps the place its
  // alignment gives it.
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  int ClientWidth() const { return FWidth; }
  int ClientHeight() const { return FHeight; }
  TRect ClientRect() const { return Rect(0, 0, FWidth, FHeight); }
  TPoint ClientToScreen(TPoint P) const;
  TPoint ScreenToClient(TPoint P) const;

  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so is every parent.
  bool Showing() const;
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value) { FEnabled = value; }
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign value);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor value);
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle value) { FControlStyle = value; }
  // Moves the control above, or below, its siblings.
  void BringToFront();
  void SendToBack();

  // The window surface and the canvas that paints on it.
  TCanvas* Canvas() { return FSurface.Canvas(); }
  TBitmap* Surface() { return &FSurface; }
  const TBitmap* Surface() const { return &FSurface; }
  // Paints now (when showing) and presents the surface.
  void Repaint();
  void Refresh() { Repaint(); }
  // Marks the control for painting at the next ProcessMessages.
  void Invalidate();
  // Paints now if the control is marked.
  void Update();
  bool Invalidated() const { return FInvalidated; }

  // Input handlers: each raises its event; descendants override and call them.
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void Click();
  virtual void DblClick();
  // A wheel turn over the control: raises OnMouseWheel; true when handled.
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnResize;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TMouseWheelEvent OnMouseWheel;

protected:
  // Draws the control on its canvas; the plain control draws nothing.
  virtual void Paint() {}
  // Raised after the size changed; raises OnResize.
  virtual void Resize();

private:
  friend class TWinControl;
  // Sets the bounds without asking the parent's alignment.
  void ApplyBounds(int ALeft, int ATop, int AWidth, int AHeight);
  void RealignParent();

  TWinControl* FParent = nullptr;
  int FLeft = 0;
  int FTop = 0;
  int FWidth = 0;
  int FHeight = 0;
  bool FVisible = true;
  bool FEnabled = true;
  bool FInvalidated = false;
  TAlign FAlign = alNone;
  TCursor FCursor = crDefault;
  std::string FCaption;
  TColor FColor = clBtnFace;
  TControlStyle FControlStyle = csCaptureMouse | csClickEvents | csDoubleClicks;
  TBitmap FSurface;
};

// A control that holds other controls and lays out the aligned ones.
class KARTAVO_API TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* AOwner) : TControl(AOwner) {}
  // Destroys the child controls first, as their window parent goes away.
  ~TWinControl() override;

  int ControlCount() const { return static_cast<int>(FControls.size()); }
  // Children from the bottom of the stacking order up, counted from 0.
  TControl* Controls(int Index) const { return FControls.at(static_cast<size_t>(Index)); }
  // Places the aligned children: top, bottom, left and right ones in their
  // stacking order at the edges, client-aligned ones in what is left.
  void Realign();

private:
  friend class TControl;
  void InsertControl(TControl* c);
  void RemoveControl(TControl* c);
  void Restack(TControl* c, bool toFront);

  std::vector<TControl*> FControls;
  bool FAligning = false;
};

// A windowed control that paints itself: derive and override Paint.
class KARTAVO_API TCustomControl : public TWinControl {
public:
  explicit TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}
};

// A control without a window of its own that cannot hold children.
class KARTAVO_API TGraphicControl : public TControl {
public:
  explicit TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}
};

} // namespace fw
