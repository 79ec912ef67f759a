// Mode 7: the user drags a box with the left button; on release the box's
// map content fills the window, its centre at the window's centre. The
// right button cancels.
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/geomap/interaction/detail/mouse_handlers.h"
#include "kartavo/geomap/interaction/detail/xor_figures.h"
#include "kartavo/geomap/detail/pixel_round.h"

#include <algorithm>
#include <cstdlib>

namespace kartavo {
namespace {

void XorZoomBox(TMouseContext& Ctx) {
  const TMouseState& m = Ctx.Mouse;
  XorBox(*Ctx.Map.Canvas(), m.WindAnchor, m.WindOldCorner);
}

// Shows the map-image box (x1, y1) - (x2, y2), corners sorted; false when
// the box has no area in map-image pixels.
bool ZoomToMapBox(TMouseContext& Ctx, quillon::TPoint a, quillon::TPoint b) {
  if (a.X == b.X || a.Y == b.Y) return false;
  const double dx = std::abs(double(b.X) - a.X), dy = std::abs(double(b.Y) - a.Y);
  const double w = Ctx.Map.Width(), h = Ctx.Map.Height();
  TMapView& v = Ctx.View;
  if (!v.SetMagnification(dy < dx ? w / dx : h / dy)) return false;
  const double m = v.Magnification();
  v.SetTopLeft({RoundPixel(a.X + double(RoundPixel((dx - w / m) / 2))),
                RoundPixel(a.Y + double(RoundPixel((dy - h / m) / 2)))});
  Ctx.Map.Paint();
  Ctx.Map.DoZoomPanEvent();
  return true;
}

bool ZoomToControlBox(TMouseContext& Ctx, const TMouseInput& In) {
  const TMouseState& m = Ctx.Mouse;
  if (m.WindAnchor.X == m.WindOldCorner.X || m.WindAnchor.Y == m.WindOldCorner.Y) return false;
  const quillon::TPoint topLeft{std::min(m.WindAnchor.X, In.X), std::min(m.WindAnchor.Y, In.Y)};
  const quillon::TPoint bottomRight{std::max(m.WindAnchor.X, In.X), std::max(m.WindAnchor.Y, In.Y)};
  return ZoomToMapBox(Ctx, Ctx.Map.ControlToMapImage(topLeft),
                      Ctx.Map.ControlToMapImage(bottomRight));
}

} // namespace

void TZoomBoxHandler::Down(TMouseContext& Ctx, const TMouseInput& In) const {
  TMouseState& m = Ctx.Mouse;
  if (Ctx.View.ZoomState() != quillon::zsIdle || !In.IsLeft() || !InsideControl(Ctx, In)) return;
  Ctx.View.SetZoomState(quillon::zsZoomBox);
  m.WindAnchor = m.WindOldCorner = In.Pos();
}

void TZoomBoxHandler::Move(TMouseContext& Ctx, const TMouseInput& In) const {
  TMouseState& m = Ctx.Mouse;
  if (Ctx.View.ZoomState() != quillon::zsZoomBox) return;
  const TMouseInput c = ClampedToControl(Ctx, In);
  XorZoomBox(Ctx);
  m.WindOldCorner = c.Pos();
  XorZoomBox(Ctx);
}

// A zoom repaints over the box; a release that zooms nothing erases it, so
// that no stale box stays on the map.
void TZoomBoxHandler::Up(TMouseContext& Ctx, const TMouseInput& In) const {
  if (Ctx.View.ZoomState() != quillon::zsZoomBox || !(In.IsLeft() || In.IsRight())) return;
  if (In.IsRight() || !ZoomToControlBox(Ctx, In)) XorZoomBox(Ctx);
  Ctx.View.SetZoomState(quillon::zsIdle);
}

} // namespace kartavo
