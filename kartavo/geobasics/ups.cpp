// The polar stereographic projection of the ellipsoid in the form
//   rho = 2 a k0 tan(z/2) exp(e artanh(e cos z)) / (sqrt(1 - e^2) exp(e artanh e))
// with z the angular distance from the pole; the inverse solves for z by
// Newton's method from the spherical solution.
#include "kartavo/geobasics/ups.h"

#include "kartavo/companion/quillon.h"
#include "kartavo/geobasics/ellipsoid_catalogue.h"

#include <array>
#include <cmath>
#include <numbers>

namespace kartavo {
namespace {

constexpr double kScale = 0.994;
constexpr double kFalseOrigin = 2000000.0;
constexpr double kDegToRad = std::numbers::pi / 180.0;
constexpr double kRadToDeg = 180.0 / std::numbers::pi;
constexpr int kMostCorrections = 6;

struct TUPSConstants {
  double E;    // first eccentricity
  double E2;   // its square
  double RhoK; // rho = RhoK * tan(z/2) * exp(e artanh(e cos z))
};

TUPSConstants MakeUPSConstants(const TEllipsoidAxes& axes) {
  const double a = axes.MajAx, b = axes.MinAx;
  const double e = std::sqrt(std::fabs(1.0 - b * b / (a * a)));
  return {e, e * e, a * kScale * 2.0 / (std::sqrt(1.0 - e * e) * std::exp(e * std::atanh(e)))};
}

// Built once on first use and constant from then on.
const TUPSConstants& UPSConstants(TGeoEllipsoid Ellipsoid) {
  static const auto table = [] {
    std::array<TUPSConstants, GeoEllipsoidCount> t{};
    for (std::size_t i = 0; i < GeoEllipsoidCount; ++i)
      t[i] = MakeUPSConstants(GeoEllipsoidData[i]);
    return t;
  }();
  return table[Ellipsoid];
}

// exp(e artanh(e cos z)): the ellipsoid's correction to the spherical radius.
double EllipsoidFactor(const TUPSConstants& k, double cosZ) {
  return std::exp(k.E * std::atanh(k.E * cosZ));
}

// Angular distance z from the pole with 2 tan(z/2) w(z) = g. With
// t = tan(z/2): cos z = (1 - t^2)/(1 + t^2) and cos^2(z/2) = 1/(1 + t^2),
// so each Newton step needs one tangent.
double ColatitudeOfScaledRadius(const TUPSConstants& k, double g) {
  const double threshold = 0.1 * std::sqrt(quillon::uc_MinDouble);
  double z = 2.0 * std::atan(g / 2.0);
  for (int i = 0; i < kMostCorrections; ++i) {
    const double t = std::tan(z / 2.0);
    const double t2p1 = 1.0 + t * t;
    const double cosZ = (1.0 - t * t) / t2p1;
    const double w = EllipsoidFactor(k, cosZ);
    const double delta =
        -(2.0 * t * w - g) * (1.0 - k.E2 * cosZ * cosZ) / ((1.0 - k.E2) * w * t2p1);
    z += delta;
    if (std::fabs(delta) < threshold) break;
  }
  return z;
}

} // namespace

void LatLongToUPS(double Lat, double Long, TGeoEllipsoid Ellipsoid, double& Easting,
                  double& Northing) {
  const TUPSConstants& k = UPSConstants(Ellipsoid);
  const double z = (Lat < 0.0 ? Lat + 90.0 : 90.0 - Lat) * kDegToRad;
  const double rho = k.RhoK * std::tan(z / 2.0) * EllipsoidFactor(k, std::cos(z));
  double lon = Long;
  if (lon >= 180.0)
    lon -= 360.0;
  else if (lon < -180.0)
    lon += 360.0;
  const double lambda = lon * kDegToRad;
  // The meridians along the grid axes get exact zeros, not sin(pi) residues.
  const double e = lon == -180.0 ? 0.0 : rho * std::sin(lambda);
  const double n = (lon == 90.0 || lon == -90.0) ? 0.0 : rho * std::cos(lambda);
  Easting = e + kFalseOrigin;
  Northing = (Lat >= 0.0 ? -n : n) + kFalseOrigin;
}

void UPSToLatLong(double Easting, double Northing, bool SouthHemi, TGeoEllipsoid Ellipsoid,
                  double& Lat, double& Long) {
  const TUPSConstants& k = UPSConstants(Ellipsoid);
  const double dx = Easting - kFalseOrigin;
  const double dy = Northing - kFalseOrigin;
  const double g = std::hypot(dx, dy) * 2.0 / k.RhoK;
  const double z = ColatitudeOfScaledRadius(k, g);
  Lat = 90.0 - z * kRadToDeg;
  if (SouthHemi) Lat = -Lat;
  Long = (SouthHemi ? std::atan2(dx, dy) : std::atan2(dx, -dy)) * kRadToDeg;
}

} // namespace kartavo
