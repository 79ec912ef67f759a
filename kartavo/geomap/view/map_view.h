// The view of the map control: which map-image pixel shows at the control's
// top-left corner, the magnification (control pixels per map-image pixel),
// the zoom-box state, whether panning keeps the window filled by the image,
// the top-left where the current drag began, and the zoom stack.
#pragma once

#include "kartavo/companion/quillon.h"
#include "kartavo/framework/export.h"
#include "kartavo/geomap/view/zoom_stack.h"

#include <optional>

namespace kartavo {

class KARTAVO_API TMapView {
public:
  // A new view shows the image from (0, 0) at magnification 1, confined,
  // with the zoom stack cleared and that view pushed.
  TMapView();

  quillon::TPoint TopLeft() const { return FTopLeft; }
  void SetTopLeft(quillon::TPoint value) { FTopLeft = value; }
  double Magnification() const { return FMagnify; }
  // Stores the accepted value (AcceptedMagnification); false, and nothing
  // stored, when the value is not positive and finite.
  bool SetMagnification(double value);
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
  // Shows the view recorded at stack index k (-15 .. 0); false, and the view
  // unchanged, when k is out of range or the entry is empty. The stack
  // itself does not change.
  bool Restore(int k);

  // The magnifications a view takes: a map-image pixel spans from a
  // ten-thousandth of a control pixel up to a thousand control pixels, so
  // that the window's extent in map-image pixels stays well within the
  // pixel range and a pixel never grows past any screen.
  static constexpr double MinMagnification = 1e-4;
  static constexpr double MaxMagnification = 1e3;
  // The value clamped to that range; nothing when it is not positive and
  // finite, since every conversion divides by the magnification.
  static std::optional<double> AcceptedMagnification(double value);

  // Placement for a window of W x H control pixels over an image of
  // IW x IH map-image pixels:
  // Confine keeps the window filled by the image where it can: not past
  // the image's right and bottom edges, then not before its left and top.
  void Confine(int W, int H, int IW, int IH);
  // Puts map-image pixel P at the window's centre, then confines.
  void CenterOn(quillon::TPoint P, int W, int H, int IW, int IH);
  // Puts map-image pixel P at the window's centre, but no further right or
  // down than a bitmap of BW x BH allows and not before its corner.
  void CenterWithinBitmap(quillon::TPoint P, int W, int H, int BW, int BH);
  // Sets the magnification so that the window's centre keeps showing the
  // same map pixel; false, and the view unchanged, as SetMagnification.
  bool ZoomAboutCentre(double value, int W, int H);
  // Shows the whole image from its corner; false, and the view unchanged,
  // when the image or the window has no area.
  bool FitPage(int W, int H, int IW, int IH);

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
