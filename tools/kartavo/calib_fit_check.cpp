#include "calib_fit_check.h"

#include <algorithm>
#include <cmath>

namespace kcli {
using namespace kartavo;

std::string UntrustedFitReason(const TCalibData& cd, const CalibResidual& residual, int width,
                               int height) {
  if (!(cd.Resolution > 0) || !std::isfinite(cd.Resolution))
    return "the fitted model gives no resolution: it maps the image to a point";
  const double limit = std::max(width, height) / 20.0;
  const double worst = std::max(residual.RmsX, residual.RmsY);
  if (!(worst <= limit))
    return "the fit misses its own points by " + std::to_string(static_cast<long long>(worst)) +
           " pixels (rms), more than a twentieth of the image: the points do not fit this model";
  return {};
}

} // namespace kcli
