// The view of the map control: which map-image pixel shows at the control's
// top-left corner, the magnification (control pixels per map-image pixel),
// the zoom-box state, whether panning keeps the window filled by the image,
// the top-left where the current drag began, and the zoom stack.
#pragma once

#include "kartavo/companion/quillon.h"
#include "kartavo/framework/export.h"
#include "kartavo/geomap/view/zoom_stack.h"

namespace kartavo {

class KARTAVO_API TMapView {
public:
  // A new view shows the image from (0, 0) at magnification 1, confined,
  // with the zoom stack cleared and that view pushed.
  TMapView();

  quillon::TPoint TopLeft() const { return FTopLeft; }
  void SetTopLeft(quillon::TPoint value) { FTopLeft = value; }
  double Magnification() const { return FMagnify; }
  void SetMagnification(double value) { FMagnify = value; }
  quillon::TZoomState ZoomState() const { return FZoomState; }
  void SetZoomState(quillon::TZoomState value) { FZoomState = value; }
  bool ConfinePan() const { return FConfinePan; }
  void SetConfinePan(bool value) { FConfinePan = value; }
  // TopLeft when the current drag began.
  quillon::TPoint TopLeftAnchor() const { return FTopLeftAnchor; }
  void SetTopLeftAnchor(quillon::TPoint value) { FTopLeftAnchor = value; }

  const TZoomStack& ZoomStack() const { return FZoomStack; }
  TZoomStack& ZoomStack() { return FZoomStack; }
  // The view as a zoom stack entry.
  TgmZoomStackEntry Current() const { return {FTopLeft.X, FTopLeft.Y, FMagnify}; }
  // Empties the zoom stack and pushes the current view.
  void ClearHistory();

  friend bool operator==(const TMapView&, const TMapView&) = default;

private:
  quillon::TPoint FTopLeft;
  double FMagnify = 1.0;
  quillon::TZoomState FZoomState = quillon::zsIdle;
  bool FConfinePan = true;
  quillon::TPoint FTopLeftAnchor;
  TZoomStack FZoomStack;
};

} // namespace kartavo
