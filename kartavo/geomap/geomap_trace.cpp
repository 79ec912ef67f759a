// TGeoMap: the mouse trace, recorded in map-image pixels so that it stays
// on the map when the view zooms or pans, and handed out in geographic
// coordinates.
#include "kartavo/geomap/geomap_control.h"

#include <algorithm>

namespace kartavo {

void TGeoMap::ClearMouseTrace() {
  FTrace.Clear();
  Paint();
}

quillon::TColoredPoint TGeoMap::GetMTracePoint(int idx) const {
  return FTrace.GeoPoint(idx, GeoRef());
}

void TGeoMap::DrawMouseTrace(int, int, fw::TBitmap* Bitmap) {
  if (Bitmap) FTrace.Draw(*Bitmap->Canvas(), RenderView());
}

bool TGeoMap::RecordMouseTrace(int X, int Y) {
  const quillon::TPoint p{std::clamp(X, 0, Width()), std::clamp(Y, 0, Height())};
  if (!FTrace.Record(ControlToMapImage(p))) return false;
  FTrace.DrawLastSegment(*Canvas(), RenderView());
  return true;
}

} // namespace kartavo
