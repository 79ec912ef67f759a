// TMapView: magnification, the return to a recorded view, confinement,
// centring and fitting.
#include "kartavo/geomap/view/map_view.h"

#include "kartavo/geomap/detail/pixel_round.h"

#include <algorithm>
#include <cmath>

namespace kartavo {
namespace {

// Half the window's extent in map-image pixels, rounded.
int HalfSpan(int extent, double magnify) { return RoundPixel(extent / magnify / 2); }

// a - b without leaving the 32-bit range.
int SaturatedDiff(int a, int b) { return RoundPixel(double(a) - double(b)); }

int ConfineAxis(int origin, int window, int image, double magnify) {
  const double lastOrigin = image - window / magnify;
  if (origin > lastOrigin) origin = RoundPixel(lastOrigin);
  return std::max(origin, 0);
}

} // namespace

std::optional<double> TMapView::AcceptedMagnification(double value) {
  if (!std::isfinite(value) || value <= 0) return std::nullopt;
  return std::clamp(value, MinMagnification, MaxMagnification);
}

bool TMapView::SetMagnification(double value) {
  const std::optional<double> m = AcceptedMagnification(value);
  if (!m) return false;
  FMagnify = *m;
  return true;
}

bool TMapView::Restore(int k) {
  const TgmZoomStackEntry e = FZoomStack.At(k);
  if (e == TgmZoomStackEntry{} || !SetMagnification(e.MagF)) return false;
  FTopLeft = {e.Left, e.Top};
  return true;
}

void TMapView::Confine(int W, int H, int IW, int IH) {
  FTopLeft = {ConfineAxis(FTopLeft.X, W, IW, FMagnify), ConfineAxis(FTopLeft.Y, H, IH, FMagnify)};
}

void TMapView::CenterOn(quillon::TPoint P, int W, int H, int IW, int IH) {
  FTopLeft = {SaturatedDiff(P.X, HalfSpan(W, FMagnify)), SaturatedDiff(P.Y, HalfSpan(H, FMagnify))};
  Confine(W, H, IW, IH);
}

void TMapView::CenterWithinBitmap(quillon::TPoint P, int W, int H, int BW, int BH) {
  const int a = HalfSpan(W, FMagnify), b = HalfSpan(H, FMagnify);
  const int x = std::min(SaturatedDiff(P.X, a), SaturatedDiff(BW, 2 * a));
  const int y = std::min(SaturatedDiff(P.Y, b), SaturatedDiff(BH, 2 * b));
  FTopLeft = {std::max(x, 0), std::max(y, 0)};
}

bool TMapView::ZoomAboutCentre(double value, int W, int H) {
  const int hx = HalfSpan(W, FMagnify), hy = HalfSpan(H, FMagnify);
  if (!SetMagnification(value)) return false;
  FTopLeft = {RoundPixel(double(FTopLeft.X) + hx - HalfSpan(W, FMagnify)),
              RoundPixel(double(FTopLeft.Y) + hy - HalfSpan(H, FMagnify))};
  return true;
}

bool TMapView::FitPage(int W, int H, int IW, int IH) {
  if (W <= 0 || H <= 0 || IW <= 0 || IH <= 0) return false;
  if (!SetMagnification(std::min(double(H) / IH, double(W) / IW))) return false;
  FTopLeft = {0, 0};
  return true;
}

} // namespace kartavo
