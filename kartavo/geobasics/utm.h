// Universal Transverse Mercator: scale 0.9996 on the central meridian, false
// easting 500 km, false northing 10000 km in the southern hemisphere.
#pragma once

#include "kartavo/geobasics/ellipsoid_types.h"

namespace kartavo {

// UTM coordinates of a position in degrees, in the zone GeoToUTMZone gives.
// The hemisphere follows from the sign of the northing. Zone 0 marks a
// position outside the UTM system; the coordinates are then computed about
// the Greenwich meridian and mean nothing in UTM.
void LatLongToUTM(double Lat, double Long, TGeoEllipsoid Ellipsoid, int& Zone, double& Easting,
                  double& Northing);

// Position in degrees of UTM coordinates; a zone outside 1..60 is taken as
// central meridian 0.
void UTMToLatLong(double Easting, double Northing, int Zone, bool SouthHemi,
                  TGeoEllipsoid Ellipsoid, double& Lat, double& Long);

} // namespace kartavo
