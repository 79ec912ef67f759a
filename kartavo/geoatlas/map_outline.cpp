#include "kartavo/geoatlas/detail/map_outline.h"

#include <array>

namespace kartavo {

void DrawMapOutline(fw::TCanvas& Canvas, const TGeoMap& Map, const TCornerArray& Corners) {
  constexpr std::array<TCorners, 5> path = {gcoTopRight, gcoTopLeft, gcoBottomLeft, gcoBottomRight,
                                            gcoTopRight};
  bool started = false;
  for (TCorners corner : path) {
    int x = 0, y = 0;
    if (!Map.CalcPixelCoords(Corners[corner].Latit, Corners[corner].Longit, x, y)) continue;
    const quillon::TPoint p = Map.MapImageToControl({x, y});
    if (started)
      Canvas.LineTo(p.X, p.Y);
    else
      Canvas.MoveTo(p.X, p.Y);
    started = true;
  }
}

} // namespace kartavo
