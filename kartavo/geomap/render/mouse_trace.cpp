#include "kartavo/geomap/render/mouse_trace.h"

#include "kartavo/geomap/detail/pixel_round.h"
#include "kartavo/geomap/render/trace_drawing.h"

namespace kartavo {

bool TMouseTrace::Record(quillon::TPoint MapPixel) {
  return Add({double(MapPixel.X), double(MapPixel.Y), FInvert ? mtfInvert : uint16_t{0}, FColor});
}

void TMouseTrace::EndStroke() {
  if (!FPoints.empty()) FPoints.back().Flags |= mtfEndsStroke;
}

void TMouseTrace::DrawLastSegment(fw::TCanvas& Canvas, const TRenderView& View) const {
  const size_t n = FPoints.size();
  if (n >= 2 && !(FPoints[n - 2].Flags & mtfEndsStroke))
    DrawTraceSegment(Canvas, FPoints[n - 2], FPoints[n - 1], View);
}

void TMouseTrace::Draw(fw::TCanvas& Canvas, const TRenderView& View) const {
  DrawTrace(Canvas, FPoints, View);
}

quillon::TColoredPoint TMouseTrace::GeoPoint(int Index, const TGeoRef& Ref) const {
  constexpr uint16_t Invalid = 0xFFFF;
  if (Index < 1 || Index > Count()) return {0, 0, Invalid, 0};
  quillon::TColoredPoint p = FPoints[size_t(Index - 1)];
  const int x = RoundPixel(p.X), y = RoundPixel(p.Y);
  bool validLat = false, validLong = false;
  const double lat = CalcLatitude(Ref, x, y, validLat);
  const double lon = CalcLongitude(Ref, x, y, validLong);
  if (!validLat || !validLong) {
    p.Flags = Invalid;
    return p;
  }
  p.X = lon;
  p.Y = lat;
  return p;
}

} // namespace kartavo
