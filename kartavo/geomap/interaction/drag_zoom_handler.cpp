// Mode 9: while the left button is held, every move scales the view by a
// factor from the pointer's offset to where the drag began: upwards (and,
// with a twentieth of the weight, rightwards) enlarges. The window's centre
// keeps showing the same map pixel.
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/geomap/interaction/detail/mouse_handlers.h"
#include "kartavo/geomap/pixel_round.h"

namespace kartavo {
namespace {

int HalfSpan(int extent, double magnify) { return RoundPixel(extent / magnify / 2); }

} // namespace

void TDragZoomHandler::Move(TMouseContext& Ctx, const TMouseInput& In) const {
  if (!In.LeftHeld()) {
    Ctx.Mouse.LButtonWasDown = false;
    return;
  }
  if (!ContinueDrag(Ctx, In) || !InsideControl(Ctx, In)) return;
  const int w = Ctx.Map.Width(), h = Ctx.Map.Height();
  if (w <= 0 || h <= 0) return;
  TMapView& v = Ctx.View;
  const double m = v.Magnification();
  const int hx = HalfSpan(w, m), hy = HalfSpan(h, m);
  const double factor = 1 - 0.05 * (Ctx.Mouse.DragAnchor.X - In.X) / double(w) +
                        (Ctx.Mouse.DragAnchor.Y - In.Y) / double(h);
  // Dragging far down asks for no size at all: the smallest one it gets.
  v.SetMagnification(factor > 0 ? m * factor : TMapView::MinMagnification);
  const double m2 = v.Magnification();
  v.SetTopLeft({RoundPixel(double(v.TopLeft().X) + hx - HalfSpan(w, m2)),
                RoundPixel(double(v.TopLeft().Y) + hy - HalfSpan(h, m2))});
  Ctx.Map.Paint();
  Ctx.Map.DoZoomPanEvent();
}

void TDragZoomHandler::Up(TMouseContext& Ctx, const TMouseInput&) const {
  Ctx.Mouse.LButtonWasDown = false;
  Ctx.Map.ZoomStateOnStack();
}

} // namespace kartavo
