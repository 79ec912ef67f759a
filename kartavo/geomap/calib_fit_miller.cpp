// The Miller cylindrical fit: two straight lines, x against the longitude in
// radians and y against the Miller ordinate of the latitude (its factor 1.25
// is absorbed in the slope).
#include "kartavo/companion/tessaro.h"
#include "kartavo/geomap/calib_fits.h"

#include <cmath>
#include <numbers>

namespace kartavo {

void CalcMillerCylCalibration(const TCalibData& cd, TModelParams& pars) {
  const int n = CalQuadCount(cd);
  if (n < 3) return;
  constexpr double pi = std::numbers::pi;
  tessaro::TCurveFit fit;
  double kx = 0, dx = 0, ky = 0, dy = 0, quality = 0;
  fit.Init();
  for (int i = 1; i <= n; ++i)
    fit.EnterStatValue(cd.CalQuads[i].Longitude / 180 * pi, cd.CalQuads[i].MapX);
  fit.CalcLinFit(kx, dx, quality);
  fit.Init();
  for (int i = 1; i <= n; ++i) {
    const double phi = cd.CalQuads[i].Latitude;
    fit.EnterStatValue(std::log(std::tan(phi * 0.4 / 180 * pi + pi / 4)), cd.CalQuads[i].MapY);
  }
  fit.CalcLinFit(ky, dy, quality);
  if (!std::isfinite(kx) || !std::isfinite(dx) || !std::isfinite(ky) || !std::isfinite(dy)) return;
  pars.MillercylPar(2, 1) = kx;
  pars.MillercylPar(2, 2) = dx;
  pars.MillercylPar(1, 1) = ky;
  pars.MillercylPar(1, 2) = dy;
}

} // namespace kartavo
