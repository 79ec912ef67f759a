// TGeoMap: the view. TMapView computes; the control supplies its size and
// the image's, repaints, and raises OnZoomPan where the mouse zooms call for it.
#include "kartavo/geomap/geomap_control.h"

namespace kartavo {

void TGeoMap::SetMagnification(double x) {
  if (FView.SetMagnification(x)) Paint();
}

void TGeoMap::SetTopLeft(quillon::TPoint APoint) {
  FView.SetTopLeft(APoint);
  Paint();
}

void TGeoMap::BringMapPixelToCenter(quillon::TPoint APoint) {
  FView.CenterOn(APoint, Width(), Height(), MapImgWidth(), MapImgHeight());
  Paint();
}

void TGeoMap::BringLocationToCenter(double Latitude, double Longitude) {
  quillon::TPoint p;
  if (!CalcPixelCoords(Latitude, Longitude, p.X, p.Y)) return;
  FView.CenterWithinBitmap(p, Width(), Height(), FImage.Bitmap().Width(), FImage.Bitmap().Height());
  Paint();
}

void TGeoMap::PanMapToFillWindow() {
  FView.Confine(Width(), Height(), MapImgWidth(), MapImgHeight());
}

void TGeoMap::SetConfinePan(bool value) {
  FView.SetConfinePan(value);
  if (value) PanMapToFillWindow();
}

void TGeoMap::ZoomFitPage() {
  if (FView.FitPage(Width(), Height(), MapImgWidth(), MapImgHeight())) Paint();
}

// Views set while a form stream loads the control are not history.
void TGeoMap::ZoomStateOnStack() {
  if (ComponentState() & fw::csLoading) return;
  FView.ZoomStack().Push(FView.Current());
}

TgmZoomStackEntry TGeoMap::GetZoomStackEntry(int StackIx) const {
  return FView.ZoomStack().At(StackIx);
}

void TGeoMap::ZoomHistory(int Index) {
  if (FView.Restore(Index)) Paint();
}

void TGeoMap::ClearZoomHistory() { FView.ClearHistory(); }

void TGeoMap::DoZoomPanEvent() {
  if (OnZoomPan) OnZoomPan(this);
}

} // namespace kartavo
