// Mode 9: while the left button is held, every move scales the view by a
// factor from the pointer's offset to where the drag began: upwards (and,
// with a twentieth of the weight, rightwards) enlarges. The window's centre
// keeps showing the same map pixel.
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/geomap/interaction/detail/mouse_handlers.h"

namespace kartavo {
void TDragZoomHandler::Move(TMouseContext& Ctx, const TMouseInput& In) const {
  if (!DragStep(Ctx, In)) return;
  const int w = Ctx.Map.Width(), h = Ctx.Map.Height();
  if (w <= 0 || h <= 0) return;
  const double m = Ctx.View.Magnification();
  const double factor = 1 - 0.05 * (Ctx.Mouse.DragAnchor.X - In.X) / double(w) +
                        (Ctx.Mouse.DragAnchor.Y - In.Y) / double(h);
  // Dragging far down asks for no size at all: the smallest one it gets.
  Ctx.View.ZoomAboutCentre(factor > 0 ? m * factor : TMapView::MinMagnification, w, h);
  Ctx.Map.Paint();
  Ctx.Map.DoZoomPanEvent();
}

void TDragZoomHandler::Up(TMouseContext& Ctx, const TMouseInput&) const { EndDrag(Ctx); }

} // namespace kartavo
