#include "kartavo/geomap/render/parabola_painter.h"

#include "kartavo/companion/tessaro.h"
#include "kartavo/framework/canvas.h"
#include "kartavo/geomap/detail/pixel_round.h"
#include "kartavo/geomap/render/calib_marker.h"

#include <algorithm>
#include <cmath>

namespace kartavo {
namespace {

constexpr double MaxParabolaSteps = 1 << 20;

// Steps along the free coordinate t from Start while t < End, one map-image
// pixel each; the other coordinate is R(k0 + k1·t + k2·t²). Across means a
// meridian, whose free coordinate is the row.
void DrawParabola(fw::TCanvas& c, const TRenderView& view, const double k[3], double start,
                  double end, bool across) {
  auto at = [&](double t) {
    const int u = RoundPixel(k[0] + k[1] * t + k[2] * t * t);
    const int v = static_cast<int>(t);
    return across ? view.ToControl(u, v) : view.ToControl(v, u);
  };
  double t = start;
  quillon::TPoint p = at(t);
  c.MoveTo(p.X, p.Y);
  // A view so far zoomed out that it spans millions of map-image pixels
  // still ends: beyond that the steps would not show anyway.
  end = std::min(end, start + MaxParabolaSteps);
  while (t < end) {
    t = t + 1;
    p = at(t);
    c.LineTo(p.X, p.Y);
  }
}

} // namespace

void DrawCalibLineParabolas(fw::TCanvas& Canvas, const TCalibData& CalibData,
                            const TRenderView& View, std::optional<fw::TColor> LineColor,
                            std::optional<fw::TColor> MarkerColor) {
  // One step a map-image pixel: a view without a scale shows no curves.
  if (!(View.Magnify > 0) || !std::isfinite(View.Magnify)) LineColor.reset();
  tessaro::TCurveFit fit;
  for (int i = 1; i <= CalLineCount(CalibData); ++i) {
    const TCalibLine& line = CalibData.CalLines[i];
    const bool meridian = line.LineType == gtlMeridian;
    fit.Init();
    for (int j = 1; j <= LinePointCount(line); ++j) {
      const quillon::TPoint p = line.CalPoints[j];
      if (meridian)
        fit.EnterStatValue(p.Y, p.X);
      else
        fit.EnterStatValue(p.X, p.Y);
    }
    double k[3], quality;
    if (LineColor && fit.CalcParabolFit(k[0], k[1], k[2], quality)) {
      Canvas.Pen()->SetColor(*LineColor);
      if (meridian)
        DrawParabola(Canvas, View, k, View.TopLeft.Y, View.TopLeft.Y + View.Height / View.Magnify,
                     true);
      else
        DrawParabola(Canvas, View, k, View.TopLeft.X, View.TopLeft.X + View.Width / View.Magnify,
                     false);
    }
    if (!MarkerColor) continue;
    for (int j = 1; j <= LinePointCount(line); ++j) {
      const quillon::TPoint p = View.ToControl(line.CalPoints[j]);
      DrawCalibMarker(Canvas, p.X, p.Y, *MarkerColor);
    }
  }
}

} // namespace kartavo
