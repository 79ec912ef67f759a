// The map's corner positions, its resolution, the position test against the
// corners, and the view conversion between control and map-image pixels.
#include "kartavo/companion/tessaro.h"
#include "kartavo/geomap/detail/pixel_round.h"
#include "kartavo/geomap/geo_conversion.h"

#include <cmath>

namespace kartavo {
namespace {

constexpr double SphereRadius = 6378000;
constexpr double FullCircle = 40074155.889191404; // 2π · 6378000
constexpr double HalfCircle = 20037077.944595702; // π · 6378000

TCoords PositionOf(const TGeoRef& ref, int x, int y) {
  bool valid = false;
  TCoords c;
  c.Latit = CalcLatitude(ref, x, y, valid);
  c.Longit = CalcLongitude(ref, x, y, valid);
  return c;
}

// The edge test of corner a to corner b.
double Side(const TCoords& a, const TCoords& b, double lat, double lon) {
  return (b.Longit - lon) * (a.Latit - b.Latit) + (a.Longit - b.Longit) * (lat - b.Latit);
}

// Sums near the ends of the 32-bit range saturate instead of wrapping.
int SaturatedSum(int a, int b) { return RoundPixel(double(a) + double(b)); }

} // namespace

quillon::TPoint ControlToMapImage(quillon::TPoint P, quillon::TPoint TopLeft, double Magnify) {
  return {SaturatedSum(RoundPixel(P.X / Magnify), TopLeft.X),
          SaturatedSum(RoundPixel(P.Y / Magnify), TopLeft.Y)};
}

quillon::TPoint MapImageToControl(quillon::TPoint P, quillon::TPoint TopLeft, double Magnify) {
  return {RoundPixel((double(P.X) - TopLeft.X) * Magnify),
          RoundPixel((double(P.Y) - TopLeft.Y) * Magnify)};
}

bool PositionInMap(double Latit, double Longit, const TCornerArray& c) {
  const double ref = Side(c[gcoTopRight], c[gcoTopLeft], Latit, Longit);
  return Side(c[gcoTopLeft], c[gcoBottomLeft], Latit, Longit) * ref > 0 &&
         Side(c[gcoBottomLeft], c[gcoBottomRight], Latit, Longit) * ref > 0 &&
         Side(c[gcoBottomRight], c[gcoTopRight], Latit, Longit) * ref > 0;
}

void CalcExtentsAndResolution(const TGeoRef& ref, int W, int H, TCornerArray& Corners,
                              double& Resolution) {
  Corners[gcoTopLeft] = PositionOf(ref, 0, 0);
  Corners[gcoBottomLeft] = PositionOf(ref, 0, H);
  Corners[gcoBottomRight] = PositionOf(ref, W, H);
  Corners[gcoTopRight] = PositionOf(ref, W, 0);
  Resolution = 0;
  if (W < 1) return;
  const TCoords left = PositionOf(ref, 0, H / 2);
  const TCoords right = PositionOf(ref, W, H / 2);
  double dist = tessaro::SphereGreatCircleDist(SphereRadius, left.Latit, left.Longit, right.Latit,
                                               right.Longit);
  if (right.Longit - left.Longit > 360)
    dist += FullCircle;
  else if (right.Longit - left.Longit > 180)
    dist += HalfCircle;
  const double res = dist / W;
  Resolution = std::isfinite(res) ? res : 0.0;
}

} // namespace kartavo
