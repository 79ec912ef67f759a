#include "calib_report.h"

#include "kartavo/companion/tessaro.h"
#include "kartavo/geobasics/ellipsoid_catalogue.h"

#include <cstdio>
#include <ostream>
#include <string>

namespace kcli {
namespace {
using namespace kartavo;

std::string Fixed(double v, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  return buf;
}

} // namespace

CalibResidual CalibResiduals(const TGeoRef& ref) {
  CalibResidual r;
  if (ref.Model == cmParabolicIp || ref.Model == cmUndefined) return r;
  tessaro::TCurveFit fx, fy;
  fx.Init();
  fy.Init();
  for (int k = 1; k <= ref.CalibData.NumCalQuads; ++k) {
    const TCalQuad& q = ref.CalibData.CalQuads[k];
    int px = 0, py = 0;
    if (ref.Model == cmUTM)
      CalcPixelCoordsUTM(ref, q.Latitude, q.Longitude, px, py);
    else
      CalcPixelCoords(ref, q.Latitude, q.Longitude, px, py);
    fx.EnterStatValue(q.MapX, px);
    fy.EnterStatValue(q.MapY, py);
  }
  double mx, my, sx, sy, meanDiff, maxDiff;
  fx.CalcStatistics(r.Points, mx, my, sx, sy, meanDiff, r.RmsX, maxDiff);
  fy.CalcStatistics(r.Points, mx, my, sx, sy, meanDiff, r.RmsY, maxDiff);
  return r;
}

void PrintCalibReport(std::ostream& out, TCalibModel model, const TCalibData& cd,
                      const CalibResidual& residual) {
  static const char* const cornerNames[] = {"top-left", "bottom-left", "bottom-right", "top-right"};
  out << "model        " << CalibModelNames[model < CalibModelNames.size() ? model : cmUndefined]
      << '\n';
  out << "map          " << cd.MapFName << '\n';
  out << "caption      " << cd.Caption << '\n';
  for (int c = gcoTopLeft; c <= gcoTopRight; ++c) {
    const std::string name = cornerNames[c];
    out << name << std::string(13 - name.size(), ' ') << Fixed(cd.Corners[c].Latit, 7) << ' '
        << Fixed(cd.Corners[c].Longit, 7) << '\n';
  }
  out << "resolution   " << Fixed(cd.Resolution, 3) << " m/pixel\n";
  if (cd.UTMZone >= 1 && cd.UTMZone <= 60)
    out << "utm zone     " << cd.UTMZone << (cd.UTMSouth ? 'S' : 'N') << ' '
        << GeoEllipsoidId[cd.Ellipsoid < GeoEllipsoidId.size() ? cd.Ellipsoid : gelWGS84] << '\n';
  out << "points       " << cd.NumCalQuads << " calibration points, " << cd.NumCalLines
      << " graticule lines\n";
  if (residual.Points > 0)
    out << "rms residual x " << Fixed(residual.RmsX, 3) << " y " << Fixed(residual.RmsY, 3)
        << " pixels\n";
}

} // namespace kcli
