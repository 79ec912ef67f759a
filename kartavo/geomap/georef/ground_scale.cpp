#include "kartavo/geomap/georef/detail/ground_scale.h"

#include "kartavo/geobasics/ellipsoid_catalogue.h"
#include "kartavo/geobasics/ellipsoids.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kartavo::georef {

TGroundScale GroundScaleAt(double Latitude) {
  const double a = GeoEllipsoidData[gelWGS84].MajAx;
  const double e2 = GeoEllEccSquared(gelWGS84);
  const double phi = std::clamp(Latitude, -90.0, 90.0) * std::numbers::pi / 180;
  const double w = std::sqrt(1 - e2 * std::sin(phi) * std::sin(phi));
  const double perRadian = std::numbers::pi / 180;
  return {a * (1 - e2) / (w * w * w) * perRadian, a / w * std::cos(phi) * perRadian};
}

} // namespace kartavo::georef
