#include "kartavo/geobasics/transverse_mercator.h"
#include "kartavo/geobasics/ellipsoids.h"

#include "kartavo/geobasics/detail/tm_series.h"

#include <numbers>

namespace kartavo {

using tm_detail::TMConstantTable;

double ArcLengthOfMeridian(double Phi, TGeoEllipsoid Ellipsoid) {
  return tm_detail::MeridianArc(TMConstantTable[EllipsoidIndex(Ellipsoid)], Phi, std::sin(Phi),
                                std::cos(Phi));
}

double UTMCentralMeridian(int Zone) {
  if (Zone < 1 || Zone > 60) return 0.0;
  return (6.0 * Zone - 183.0) * (std::numbers::pi / 180.0);
}

void LatLongToTM(double Phi, double Lambda, double Lambda0, TGeoEllipsoid Ellipsoid, double& X,
                 double& Y) {
  tm_detail::ForwardTM(TMConstantTable[EllipsoidIndex(Ellipsoid)], Phi, Lambda - Lambda0, X, Y);
}

void TMToLatLong(double X, double Y, double Lambda0, TGeoEllipsoid Ellipsoid, double& Phi,
                 double& Lambda) {
  double l;
  tm_detail::InverseTM(TMConstantTable[EllipsoidIndex(Ellipsoid)], X, Y, Phi, l);
  Lambda = Lambda0 + l;
}

} // namespace kartavo
