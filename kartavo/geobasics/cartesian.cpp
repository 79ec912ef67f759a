#include "kartavo/geobasics/cartesian.h"
#include "kartavo/geobasics/ellipsoids.h"

#include <cmath>
#include <numbers>

namespace kartavo {
namespace {

constexpr double DegToRad = std::numbers::pi / 180.0;
constexpr double RadToDeg = 180.0 / std::numbers::pi;

// The flattening; a reciprocal flattening of 0 stands for a sphere (f = 0).
double Flattening(TGeoEllipsoid Ellipsoid) {
  double recFlat = RecipFlattening(Ellipsoid);
  return recFlat == 0 ? 0.0 : 1.0 / recFlat;
}

} // namespace

void GeoToCartesian(double Lat, double Long, double Height, TGeoEllipsoid Ellipsoid, double& X,
                    double& Y, double& Z) {
  const double a = GeoEllipsoidData[EllipsoidIndex(Ellipsoid)].MajAx;
  const double e2 = GeoEllEccSquared(Ellipsoid);
  const double phi = Lat * DegToRad;
  const double lambda = Long * DegToRad;
  const double sinPhi = std::sin(phi);
  const double cosPhi = std::cos(phi);
  const double n = a / std::sqrt(1.0 - e2 * sinPhi * sinPhi);
  X = (n + Height) * cosPhi * std::cos(lambda);
  Y = (n + Height) * cosPhi * std::sin(lambda);
  Z = (n * (1.0 - e2) + Height) * sinPhi;
}

void CartesianToGeo(double X, double Y, double Z, TGeoEllipsoid Ellipsoid, double& Lat,
                    double& Long, double& Height) {
  const double a = GeoEllipsoidData[EllipsoidIndex(Ellipsoid)].MajAx;
  const double e2 = GeoEllEccSquared(Ellipsoid);
  const double f = Flattening(Ellipsoid);
  const double p = std::hypot(X, Y);
  Long = std::atan2(Y, X) * RadToDeg;
  if (p == 0) {
    // On the polar axis the latitude is a pole; the centre counts as north.
    const double sinPhi = Z < 0 ? -1.0 : 1.0;
    Lat = 90.0 * sinPhi;
    Height = Z * sinPhi - a * std::sqrt(1.0 - e2);
    return;
  }
  const double r = std::hypot(p, Z);
  // The parametric latitude u with tan u = (Z / p)(1 - f + e2 a / r). Its sine
  // and cosine come straight from that ratio rather than through arctan, so
  // that a point a hair off the axis keeps its pole instead of losing cos u to
  // the rounding of pi / 2.
  const double q = Z * (1.0 - f + e2 * a / r);
  const double w = std::hypot(p, q);
  const double sinU = q / w;
  const double cosU = p / w;
  const double phi = std::atan((Z * (1.0 - f) + e2 * a * sinU * sinU * sinU) /
                               ((1.0 - f) * (p - e2 * a * cosU * cosU * cosU)));
  const double sinPhi = std::sin(phi);
  Lat = phi * RadToDeg;
  Height = p * std::cos(phi) + Z * sinPhi - a * std::sqrt(1.0 - e2 * sinPhi * sinPhi);
}

} // namespace kartavo
