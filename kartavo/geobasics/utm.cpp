#include "kartavo/geobasics/utm.h"

#include "kartavo/geobasics/detail/tm_series.h"
#include "kartavo/geobasics/ellipsoids.h"
#include "kartavo/geobasics/transverse_mercator.h"
#include "kartavo/geobasics/utm_zone.h"

#include <numbers>

namespace kartavo {
namespace {

constexpr double kScale = 0.9996;
constexpr double kFalseEasting = 500000.0;
constexpr double kFalseNorthingSouth = 10000000.0;
constexpr double kDegToRad = std::numbers::pi / 180.0;
constexpr double kRadToDeg = 180.0 / std::numbers::pi;

} // namespace

void LatLongToUTM(double Lat, double Long, TGeoEllipsoid Ellipsoid, int& Zone, double& Easting,
                  double& Northing) {
  char16_t letter;
  GeoToUTMZone(Lat, Long, Zone, letter);
  double x, y;
  tm_detail::ForwardTM(tm_detail::TMConstantTable[EllipsoidIndex(Ellipsoid)], Lat * kDegToRad,
                       Long * kDegToRad - UTMCentralMeridian(Zone), x, y);
  Easting = kScale * x + kFalseEasting;
  Northing = kScale * y;
  // y has the latitude's sign, but may round to zero for a latitude a
  // hair south of the equator: the latitude decides, so that the northing
  // always matches the hemisphere the caller derives from it.
  if (Lat < 0.0)
    Northing += kFalseNorthingSouth;
  else
    Northing += 0.0; // the equator's -0 from a latitude of -0 reads as 0
}

void UTMToLatLong(double Easting, double Northing, int Zone, bool SouthHemi,
                  TGeoEllipsoid Ellipsoid, double& Lat, double& Long) {
  const double x = (Easting - kFalseEasting) / kScale;
  const double y = (SouthHemi ? Northing - kFalseNorthingSouth : Northing) / kScale;
  double phi, l;
  tm_detail::InverseTM(tm_detail::TMConstantTable[EllipsoidIndex(Ellipsoid)], x, y, phi, l);
  Lat = phi * kRadToDeg;
  Long = (UTMCentralMeridian(Zone) + l) * kRadToDeg;
}

} // namespace kartavo
