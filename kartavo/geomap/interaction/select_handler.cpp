// Mode 16: the user drags a dotted box with the left button; on release the
// box is reported through OnSelectRect, in longitude and latitude where the
// calibration converts both corners, else in map-image pixels.
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/geomap/interaction/detail/mouse_handlers.h"
#include "kartavo/geomap/interaction/detail/xor_figures.h"

#include <array>

namespace kartavo {
namespace {

void XorSelectBox(TMouseContext& Ctx) {
  const TMouseState& m = Ctx.Mouse;
  XorBox(*Ctx.Map.Canvas(), m.WindAnchor, m.WindOldCorner, true);
}

// Longitude 1, latitude 1, longitude 2, latitude 2 of the map-image pixels
// p1 and p2; false at the first that does not convert.
bool ToGeographic(const TGeoMap& Map, quillon::TPoint p1, quillon::TPoint p2,
                  std::array<double, 4>& out) {
  bool valid = false;
  out[0] = Map.CalcLongitude(p1, valid);
  if (!valid) return false;
  out[1] = Map.CalcLatitude(p1, valid);
  if (!valid) return false;
  out[2] = Map.CalcLongitude(p2, valid);
  if (!valid) return false;
  out[3] = Map.CalcLatitude(p2, valid);
  return valid;
}

void ReportSelection(TMouseContext& Ctx, const TMouseInput& In) {
  const TMouseState& m = Ctx.Mouse;
  const quillon::TPoint p1 = Ctx.Map.ControlToMapImage(m.WindAnchor);
  const quillon::TPoint p2 = Ctx.Map.ControlToMapImage({In.X, In.Y});
  std::array<double, 4> geo{};
  if (ToGeographic(Ctx.Map, p1, p2, geo))
    Ctx.Map.DoSelectRectEvent(1, geo[0], geo[1], geo[2], geo[3]);
  else
    Ctx.Map.DoSelectRectEvent(0, p1.X, p1.Y, p2.X, p2.Y);
}

} // namespace

void TSelectHandler::Down(TMouseContext& Ctx, const TMouseInput& In) const {
  if (!In.IsLeft()) return;
  TMouseState& m = Ctx.Mouse;
  m.WindAnchor = m.WindOldCorner = In.Pos();
  m.SelectRectOn = true;
  if (Ctx.Map.OnBeginRubberBand) Ctx.Map.OnBeginRubberBand(&Ctx.Map, m.LastClick);
}

void TSelectHandler::Move(TMouseContext& Ctx, const TMouseInput& In) const {
  TMouseState& m = Ctx.Mouse;
  if (!m.SelectRectOn || !In.LeftHeld()) return;
  const TMouseInput c = ClampedToControl(Ctx, In);
  XorSelectBox(Ctx);
  m.WindOldCorner = c.Pos();
  XorSelectBox(Ctx);
}

// Only a selection that was begun ends: a release after the mode changed
// in mid-drag has no box to erase.
void TSelectHandler::Up(TMouseContext& Ctx, const TMouseInput& In) const {
  TMouseState& m = Ctx.Mouse;
  if (!In.IsLeft() || !m.SelectRectOn) return;
  m.SelectRectOn = false;
  XorSelectBox(Ctx);
  ReportSelection(Ctx, In);
}

} // namespace kartavo
