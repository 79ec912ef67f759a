#include "kartavo/geomap/render/overlay_painter.h"

#include "kartavo/framework/canvas.h"
#include "kartavo/geomap/render/calib_marker.h"
#include "kartavo/geomap/render/graticule_painter.h"
#include "kartavo/geomap/render/parabola_painter.h"
#include "kartavo/geomap/render/utm_grid_painter.h"

#include <optional>

namespace kartavo {
namespace {

struct TWanted {
  bool Lines, Points, Grid;
};

TWanted Wanted(TShowGrat show, TCalibModel model) {
  return {show == sgLines || show == sgPointsAndLines,
          show == sgPoints || show == sgPointsAndLines ||
              (model == cmUTM && show == sgPointsAndUTMGrid),
          show == sgUTMGrid || show == sgPointsAndUTMGrid};
}

// How the graticule of a point-based model is drawn, and how many
// calibration points it needs for that.
struct TModelGraticule {
  TGraticuleShape Shape;
  int MinPoints;
};

TModelGraticule GraticuleOf(TCalibModel model) {
  switch (model) {
  case cmBiquadraticPn:
    return {{100, 100}, 6};
  case cmConicConformal: // meridians of a conic projection are straight
    return {{100, 0}, 3};
  case cmEquiRect:
    return {{0, 0}, 3};
  case cmUTM:
    return {{10, 10}, 3};
  default:
    return {{100, 100}, 3};
  }
}

void DrawPointMarkers(fw::TCanvas& c, const TCalibData& cd, const TRenderView& view,
                      fw::TColor color) {
  for (int i = 1; i <= CalQuadCount(cd); ++i) {
    const quillon::TPoint p = view.ToControl(cd.CalQuads[i].MapX, cd.CalQuads[i].MapY);
    DrawCalibMarker(c, p.X, p.Y, color);
  }
}

} // namespace

void DrawOverlay(fw::TCanvas& Canvas, const TGeoRef& Ref, const TRenderView& View,
                 const TOverlayStyle& Style, int ImgWidth, int ImgHeight) {
  if (Ref.Model == cmUndefined || Style.Show == sgNone) return;
  const TWanted want = Wanted(Style.Show, Ref.Model);
  const TCalibData& cd = Ref.CalibData;
  if (Ref.Model == cmParabolicIp) {
    const bool curves = want.Lines && CalLineCount(cd) >= 1;
    DrawCalibLineParabolas(Canvas, cd, View,
                           curves ? std::optional(Style.GraticuleColor) : std::nullopt,
                           want.Points ? std::optional(Style.MarkerColor) : std::nullopt);
    return;
  }
  const TModelGraticule g = GraticuleOf(Ref.Model);
  const bool enough = CalQuadCount(cd) >= g.MinPoints;
  Canvas.Pen()->SetColor(Style.GraticuleColor);
  if (want.Lines && enough) DrawGraticule(Canvas, Ref, View, Style.GratLineDist, g.Shape);
  if (want.Grid && enough && Ref.Model == cmUTM)
    DrawUTMGrid(Canvas, Ref, View, Style.UTMGridDist, ImgWidth, ImgHeight);
  if (want.Points) DrawPointMarkers(Canvas, cd, View, Style.MarkerColor);
}

} // namespace kartavo
