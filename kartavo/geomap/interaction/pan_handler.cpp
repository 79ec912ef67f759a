// Modes 1, 2 and 3: the map follows the pointer while the left button is
// held. Every step counts from where the drag began, so rounding never
// accumulates.
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/geomap/interaction/detail/mouse_handlers.h"
#include "kartavo/geomap/detail/pixel_round.h"

namespace kartavo {
namespace {

int PannedAxis(int topLeftAnchor, int mouseAnchor, int pointer, double magnify) {
  return RoundPixel(double(topLeftAnchor) + RoundPixel((double(mouseAnchor) - pointer) / magnify));
}

} // namespace

void TPanHandler::Move(TMouseContext& Ctx, const TMouseInput& In) const {
  if (!DragStep(Ctx, In)) return;
  TMapView& v = Ctx.View;
  const double m = v.Magnification();
  const quillon::TPoint anchor = v.TopLeftAnchor(), drag = Ctx.Mouse.DragAnchor;
  quillon::TPoint p = v.TopLeft();
  if (FHorz) p.X = PannedAxis(anchor.X, drag.X, In.X, m);
  if (FVert) p.Y = PannedAxis(anchor.Y, drag.Y, In.Y, m);
  v.SetTopLeft(p);
  if (Ctx.Map.ConfinePanToMapImage()) Ctx.Map.PanMapToFillWindow();
  Ctx.Map.Paint();
  Ctx.Map.DoZoomPanEvent();
}

void TPanHandler::Up(TMouseContext& Ctx, const TMouseInput&) const { EndDrag(Ctx); }

} // namespace kartavo
