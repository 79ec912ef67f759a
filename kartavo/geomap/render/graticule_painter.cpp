#include "kartavo/geomap/render/graticule_painter.h"

#include "kartavo/framework/canvas.h"

#include <algorithm>
#include <cmath>

namespace kartavo {
namespace {

// A parallel (Lat fixed) or a meridian (Long fixed) through the calibration.
struct TGeoPath {
  const TGeoRef& Ref;
  const TRenderView& View;
  fw::TCanvas& Canvas;

  quillon::TPoint Pixel(double lat, double lon) const {
    int x = 0, y = 0;
    CalcPixelCoords(Ref, lat, lon, x, y);
    return View.ToControl(x, y);
  }
  // From (lat0, lon0) to (lat1, lon1) in n equal steps, or straight for n = 0.
  void Draw(double lat0, double lon0, double lat1, double lon1, int n) const {
    const quillon::TPoint p = Pixel(lat0, lon0);
    Canvas.MoveTo(p.X, p.Y);
    if (n <= 0) {
      const quillon::TPoint q = Pixel(lat1, lon1);
      Canvas.LineTo(q.X, q.Y);
      return;
    }
    for (int i = 1; i <= n; ++i) {
      const quillon::TPoint q = Pixel(lat0 + i * (lat1 - lat0) / n, lon0 + i * (lon1 - lon0) / n);
      Canvas.LineTo(q.X, q.Y);
    }
  }
};

} // namespace

TGeoExtent ExtentOfCorners(const TCornerArray& c) {
  TGeoExtent e;
  e.LatLow = std::min(c[gcoBottomLeft].Latit, c[gcoBottomRight].Latit);
  e.LatHigh = std::max(c[gcoTopLeft].Latit, c[gcoTopRight].Latit);
  e.LongLow = std::min(c[gcoTopLeft].Longit, c[gcoBottomLeft].Longit);
  e.LongHigh = std::max(c[gcoTopRight].Longit, c[gcoBottomRight].Longit);
  return e;
}

double GraticuleDensity(double Extent, double GratLineDist) {
  if (GratLineDist > 0) return 1.0 / GratLineDist;
  double f = std::fabs(Extent);
  if (!std::isfinite(f) || f == 0) return 0;
  double c = 1;
  while (f < 1) {
    c *= 10;
    f *= 10;
  }
  return c;
}

TLineSeries LinesBelow(double Low, double High, double C) {
  TLineSeries s;
  if (!(C > 0) || !std::isfinite(C) || !std::isfinite(Low) || !std::isfinite(High)) return s;
  const double first = std::trunc(Low * C) / C, step = 1.0 / C;
  if (!std::isfinite(first) || !(step > 0) || (High - first) / step > MaxGridLines) return s;
  // Counted the way the lines are stepped, so that the last one is the
  // last value below High however the sums round.
  int n = 0;
  for (double e = first; e < High; e = step + e)
    if (++n > MaxGridLines) return s;
  s.First = first;
  s.Step = step;
  s.Count = n;
  return s;
}

void DrawGraticule(fw::TCanvas& Canvas, const TGeoRef& Ref, const TRenderView& View,
                   double GratLineDist, TGraticuleShape Shape) {
  const TGeoExtent x = ExtentOfCorners(Ref.CalibData.Corners);
  const TGeoPath path{Ref, View, Canvas};
  TLineSeries s =
      LinesBelow(x.LatLow, x.LatHigh, GraticuleDensity(x.LatHigh - x.LatLow, GratLineDist));
  double e = s.First;
  for (int i = 0; i < s.Count; ++i, e = s.Step + e)
    path.Draw(e, x.LongLow, e, x.LongHigh, Shape.ParallelSegments);
  s = LinesBelow(x.LongLow, x.LongHigh, GraticuleDensity(x.LongHigh - x.LongLow, GratLineDist));
  e = s.First;
  for (int i = 0; i < s.Count; ++i, e = s.Step + e)
    path.Draw(x.LatLow, e, x.LatHigh, e, Shape.MeridianSegments);
}

} // namespace kartavo
