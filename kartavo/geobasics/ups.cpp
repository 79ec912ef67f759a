// The polar stereographic projection of the ellipsoid in the form
//   rho = 2 a k0 tan(z/2) exp(e artanh(e cos z)) / (sqrt(1 - e^2) exp(e artanh e))
// with z the angular distance from the pole; the inverse solves
// 2 tan(z/2) exp(e artanh(e cos z)) = g for z by Newton's method.
#include "kartavo/geobasics/ups.h"
#include "kartavo/geobasics/ellipsoids.h"

#include "kartavo/geobasics/detail/sin_series.h"
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
// Newton converges quadratically here: once a correction is below this, the
// next would be below 1e-19, under the rounding of z.
constexpr double kConverged = 1e-10;

struct TUPSConstants {
  double E;       // first eccentricity
  double E2;      // its square
  double RhoK;    // rho = RhoK * tan(z/2) * exp(e artanh(e cos z))
  double Conf[4]; // geodetic minus conformal latitude: coefficients of sin 2chi .. sin 8chi
};

TUPSConstants MakeUPSConstants(const TEllipsoidAxes& axes) {
  const double a = axes.MajAx, b = axes.MinAx;
  const double e = std::sqrt(std::fabs(1.0 - b * b / (a * a)));
  const double e2 = e * e, e4 = e2 * e2, e6 = e4 * e2, e8 = e6 * e2;
  TUPSConstants k{};
  k.E = e;
  k.E2 = e2;
  k.RhoK = a * kScale * 2.0 / (std::sqrt(1.0 - e2) * std::exp(e * std::atanh(e)));
  k.Conf[0] = e2 / 2.0 + 5.0 * e4 / 24.0 + e6 / 12.0 + 13.0 * e8 / 360.0;
  k.Conf[1] = 7.0 * e4 / 48.0 + 29.0 * e6 / 240.0 + 811.0 * e8 / 11520.0;
  k.Conf[2] = 7.0 * e6 / 120.0 + 81.0 * e8 / 1120.0;
  k.Conf[3] = 4279.0 * e8 / 161280.0;
  return k;
}

// Built once on first use and constant from then on.
const TUPSConstants& UPSConstants(TGeoEllipsoid Ellipsoid) {
  static const auto table = [] {
    std::array<TUPSConstants, GeoEllipsoidCount> t{};
    for (std::size_t i = 0; i < GeoEllipsoidCount; ++i)
      t[i] = MakeUPSConstants(GeoEllipsoidData[i]);
    return t;
  }();
  return table[EllipsoidIndex(Ellipsoid)];
}

// exp(e artanh(e cos z)): the ellipsoid's correction to the spherical radius.
double EllipsoidFactor(const TUPSConstants& k, double cosZ) {
  return std::exp(k.E * std::atanh(k.E * cosZ));
}

// Starting value: 2 atan(g/2) is the conformal colatitude; the series from
// conformal to geodetic latitude (to e^8) brings it within about 1e-11 of
// the root, so that one Newton correction reaches the rounding of z.
double StartColatitude(const TUPSConstants& k, double g) {
  const double q = g / 2.0; // tan of half the conformal colatitude
  const double sinZ = 2.0 * q / (1.0 + q * q), cosZ = (1.0 - q * q) / (1.0 + q * q);
  // The conformal latitude chi = pi/2 - z0: sin 2chi = sin 2z0, cos 2chi = -cos 2z0.
  const double sin2Chi = 2.0 * sinZ * cosZ, cos2Chi = (sinZ - cosZ) * (sinZ + cosZ);
  return 2.0 * std::atan(q) - tm_detail::SinSeries4(k.Conf, sin2Chi, cos2Chi);
}

// Angular distance z from the pole with 2 tan(z/2) w(z) = g, at most six
// Newton corrections. With t = tan(z/2): cos z = (1 - t^2)/(1 + t^2) and
// cos^2(z/2) = 1/(1 + t^2), so each correction needs one tangent.
double ColatitudeOfScaledRadius(const TUPSConstants& k, double g) {
  double z = StartColatitude(k, g);
  for (int i = 0; i < kMostCorrections; ++i) {
    const double t = std::tan(z / 2.0);
    const double t2p1 = 1.0 + t * t;
    const double cosZ = (1.0 - t * t) / t2p1;
    const double w = EllipsoidFactor(k, cosZ);
    const double delta =
        -(2.0 * t * w - g) * (1.0 - k.E2 * cosZ * cosZ) / ((1.0 - k.E2) * w * t2p1);
    z += delta;
    if (std::fabs(delta) < kConverged) break;
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
