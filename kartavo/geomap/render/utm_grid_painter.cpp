#include "kartavo/geomap/render/utm_grid_painter.h"

#include "kartavo/companion/tessaro.h"
#include "kartavo/framework/canvas.h"
#include "kartavo/geobasics/utm.h"
#include "kartavo/geomap/detail/pixel_round.h"
#include "kartavo/geomap/render/graticule_painter.h"

#include <cmath>

namespace kartavo {
namespace {

struct TUTMCorner {
  double Easting = 0, Northing = 0;
};

TUTMCorner CornerUTM(const TCalibData& cd, TCorners which) {
  TUTMCorner u;
  int zone = 0;
  LatLongToUTM(cd.Corners[which].Latit, cd.Corners[which].Longit, cd.Ellipsoid, zone, u.Easting,
               u.Northing);
  return u;
}

// The segment P0-P1 (control pixels) clipped to the map image on the
// control, drawn when any of it is left.
struct TBox {
  double XLo, YLo, XHi, YHi;
};

void DrawClipped(fw::TCanvas& c, quillon::TPoint p0, quillon::TPoint p1, const TBox& box) {
  tessaro::TSLine line;
  line.LineFrom2Points(p0.X, p0.Y, p1.X, p1.Y);
  double xa, ya, xb, yb;
  if (!line.ClipBox(box.XLo, box.YLo, box.XHi, box.YHi, xa, ya, xb, yb)) return;
  c.MoveTo(RoundPixel(xa), RoundPixel(ya));
  c.LineTo(RoundPixel(xb), RoundPixel(yb));
}

} // namespace

double UTMGridSpacing(int UTMGridDist, double NorthingExtent) {
  if (UTMGridDist > 0) return UTMGridDist;
  const double s = tessaro::Round125(std::fabs(NorthingExtent) / 10);
  return s < 1 || !std::isfinite(s) ? 1 : s;
}

void DrawUTMGrid(fw::TCanvas& Canvas, const TGeoRef& Ref, const TRenderView& View, int UTMGridDist,
                 int ImgWidth, int ImgHeight) {
  const TUTMCorner tl = CornerUTM(Ref.CalibData, gcoTopLeft);
  const TUTMCorner bl = CornerUTM(Ref.CalibData, gcoBottomLeft);
  const TUTMCorner br = CornerUTM(Ref.CalibData, gcoBottomRight);
  const double c = 1.0 / UTMGridSpacing(UTMGridDist, tl.Northing - bl.Northing);
  const TAffineParams& f = Ref.Pars.EquRectSPPL;
  // The map image as it lies on the control, however the view is panned:
  // the grid ends at its edges.
  const double m = View.Magnify;
  const TBox box{-View.TopLeft.X * m, -View.TopLeft.Y * m, (double(ImgWidth) - View.TopLeft.X) * m,
                 (double(ImgHeight) - View.TopLeft.Y) * m};

  // Lines of equal northing, up to the first one above the top-left corner.
  TLineSeries s = LinesBelow(bl.Northing, tl.Northing + 1 / c, c);
  double e = s.First;
  for (int i = 0; i < s.Count; ++i, e = s.Step + e) {
    const int y0 = CalcUTMyFromNorthingX(f, e, 0), y1 = CalcUTMyFromNorthingX(f, e, ImgWidth);
    DrawClipped(Canvas, View.ToControl(0, y0), View.ToControl(ImgWidth, y1), box);
  }
  // Lines of equal easting, from the bottom-left to the bottom-right corner.
  s = LinesBelow(bl.Easting, br.Easting, c);
  e = s.First;
  for (int i = 0; i < s.Count; ++i, e = s.Step + e) {
    const int x0 = CalcUTMxFromEastingY(f, e, 0), x1 = CalcUTMxFromEastingY(f, e, ImgHeight);
    DrawClipped(Canvas, View.ToControl(x0, 0), View.ToControl(x1, ImgHeight), box);
  }
}

} // namespace kartavo
