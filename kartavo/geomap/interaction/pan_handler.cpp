// Modes 1, 2 and 3: the map follows the pointer while the left button is
// held. Every step counts from where the drag began, so rounding never
// accumulates.
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/geomap/interaction/detail/mouse_handlers.h"
#include "kartavo/geomap/pixel_round.h"

namespace kartavo {
namespace {

int PannedAxis(int topLeftAnchor, int mouseAnchor, int pointer, double magnify) {
  return RoundPixel(double(topLeftAnchor) + RoundPixel((double(mouseAnchor) - pointer) / magnify));
}

} // namespace

void TPanHandler::Move(TMouseContext& Ctx, const TMouseInput& In) const {
  if (!In.LeftHeld()) {
    Ctx.Mouse.FLButtonWasDown = false;
    return;
  }
  if (!ContinueDrag(Ctx, In) || !InsideControl(Ctx, In)) return;
  TMapView& v = Ctx.View;
  const double m = v.FMagnify;
  if (FHorz) v.FTopLeft.X = PannedAxis(v.FTopLeftXAnchor, Ctx.Mouse.MouseAnchorX, In.X, m);
  if (FVert) v.FTopLeft.Y = PannedAxis(v.FTopLeftYAnchor, Ctx.Mouse.MouseAnchorY, In.Y, m);
  if (Ctx.Map.ConfinePanToMapImage()) Ctx.Map.PanMapToFillWindow();
  Ctx.Map.Paint();
  Ctx.Map.DoZoomPanEvent();
}

// The next press starts a new drag even when no move comes in between.
void TPanHandler::Up(TMouseContext& Ctx, const TMouseInput&) const {
  Ctx.Mouse.FLButtonWasDown = false;
  Ctx.Map.ZoomStateOnStack();
}

} // namespace kartavo
