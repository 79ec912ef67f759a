// Flattening and eccentricity of reference ellipsoids, derived from the axes.
// Where the textbook form subtracts two nearly equal numbers (1 - b/a,
// 1 - sqrt(1 - e^2)) the algebraically equal form without the cancellation is
// used, so that the derived values keep full precision.
#include "kartavo/geobasics/ellipsoids.h"

#include "kartavo/package/exceptions.h"

#include <cmath>

namespace kartavo {
namespace {

const char* const kInvalidEccentricity = "invalid eccentricity";
const char* const kInvalidRecFlat = "invalid reciprocal flattening";

// 1 / (1 - b/a) written as a / (a - b): for axes of a real ellipsoid the
// difference is exact, so the result is correctly rounded.
double RecipFlatteningOfAxes(double a, double b) {
  if (a == b) return 0.0;
  return a / (a - b);
}

} // namespace

std::size_t EllipsoidIndex(TGeoEllipsoid Ellipsoid) {
  const auto index = static_cast<std::size_t>(Ellipsoid);
  if (index >= GeoEllipsoidCount) throw EORVGeoBasicsError("invalid ellipsoid");
  return index;
}

double GeoEllEccSquared(TGeoEllipsoid Ellipsoid) {
  const TEllipsoidAxes& axes = GeoEllipsoidData[EllipsoidIndex(Ellipsoid)];
  return GeoEllEccSquared(axes.MajAx, axes.MinAx);
}

double GeoEllEccSquared(double MajAx, double MinAx) {
  if (MajAx >= MinAx) return 1.0 - (MinAx * MinAx) / (MajAx * MajAx);
  return 1.0 - (MajAx * MajAx) / (MinAx * MinAx);
}

double GeoEllEccSquared(double RecFlat) {
  if (RecFlat == 0.0) return 0.0;
  const double f = 1.0 / RecFlat;
  return 2.0 * f - f * f;
}

double RecipFlattening(TGeoEllipsoid Ellipsoid) {
  const TEllipsoidAxes& axes = GeoEllipsoidData[EllipsoidIndex(Ellipsoid)];
  return RecipFlatteningOfAxes(axes.MajAx, axes.MinAx);
}

double RecipFlattening(double MajAx, double MinAx) { return RecipFlatteningOfAxes(MajAx, MinAx); }

double RecipFlattening(double EccSquared) {
  // Written so that a not-a-number is rejected as well.
  if (!(EccSquared >= 0.0 && EccSquared <= 1.0)) throw EORVGeoBasicsError(kInvalidEccentricity);
  if (EccSquared == 0.0) return 0.0;
  // 1 / (1 - sqrt(1 - e2)) == (1 + sqrt(1 - e2)) / e2
  return (1.0 + std::sqrt(1.0 - EccSquared)) / EccSquared;
}

double EllipsoidMinAxFlat(double MajAx, double RecFlat) {
  if (!(RecFlat >= 0.0)) throw EORVGeoBasicsError(kInvalidRecFlat);
  if (RecFlat == 0.0) return MajAx;
  return MajAx * (1.0 - 1.0 / RecFlat);
}

double EllipsoidMinAxEcc(double MajAx, double EccSquared) {
  // An eccentricity above 1 has no real semi-minor axis: rejected rather
  // than answered with a not-a-number.
  if (!(EccSquared >= 0.0 && EccSquared <= 1.0)) throw EORVGeoBasicsError(kInvalidEccentricity);
  return MajAx * std::sqrt(1.0 - EccSquared);
}

} // namespace kartavo
