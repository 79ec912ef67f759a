// The handlers of the single mouse modes, one file each.
#pragma once

#include "kartavo/geomap/interaction/detail/mouse_handler.h"

namespace kartavo {

// Modes 1, 2 and 3: dragging with the left button moves the map, in both
// directions or along one axis.
class TPanHandler : public TMouseHandler {
public:
  constexpr TPanHandler(bool Horizontal, bool Vertical) : FHorz(Horizontal), FVert(Vertical) {}
  void Move(TMouseContext& Ctx, const TMouseInput& In) const override;
  void Up(TMouseContext& Ctx, const TMouseInput& In) const override;

private:
  bool FHorz, FVert;
};

// Mode 7: a box dragged with the left button becomes the window.
class TZoomBoxHandler : public TMouseHandler {
public:
  void Down(TMouseContext& Ctx, const TMouseInput& In) const override;
  void Move(TMouseContext& Ctx, const TMouseInput& In) const override;
  void Up(TMouseContext& Ctx, const TMouseInput& In) const override;
};

// Mode 9: dragging up (and right) zooms in, down (and left) zooms out,
// around the window's centre.
class TDragZoomHandler : public TMouseHandler {
public:
  void Move(TMouseContext& Ctx, const TMouseInput& In) const override;
  void Up(TMouseContext& Ctx, const TMouseInput& In) const override;
};

// Mode 5: a line, or with the control key a chain of lines, from click to click.
class TRubberBandHandler : public TMouseHandler {
public:
  void Down(TMouseContext& Ctx, const TMouseInput& In) const override;
  void Move(TMouseContext& Ctx, const TMouseInput& In) const override;
};

// Mode 16: a dotted box whose corners are reported on release.
class TSelectHandler : public TMouseHandler {
public:
  void Down(TMouseContext& Ctx, const TMouseInput& In) const override;
  void Move(TMouseContext& Ctx, const TMouseInput& In) const override;
  void Up(TMouseContext& Ctx, const TMouseInput& In) const override;
};

// Mode 17: freehand strokes recorded into the mouse trace.
class TTraceHandler : public TMouseHandler {
public:
  void Move(TMouseContext& Ctx, const TMouseInput& In) const override;
  void Up(TMouseContext& Ctx, const TMouseInput& In) const override;
};

// Both coordinates of In within 0 … W and 0 … H, inclusive.
bool InsideControl(const TMouseContext& Ctx, const TMouseInput& In);
// In with X clamped to Lo … Width and Y to Lo … Height.
TMouseInput ClampedToControl(const TMouseContext& Ctx, const TMouseInput& In, int Lo = 0);
// The moves of a drag that pans or zooms: the first move with the left
// button held remembers the pointer and TopLeft; later ones inside the
// control return true, to be acted on. A move without the button ends the
// drag.
bool DragStep(TMouseContext& Ctx, const TMouseInput& In);
// A release ends the drag, so that the next press starts a new one even
// without a move between, and records the view on the zoom stack.
void EndDrag(TMouseContext& Ctx);

} // namespace kartavo
