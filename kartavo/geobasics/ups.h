// Universal Polar Stereographic: scale 0.994 at the pole, false easting and
// false northing 2000 km; grid north of the north-pole projection points
// along longitude 180, that of the south-pole projection along longitude 0.
#pragma once

#include "kartavo/geobasics/ellipsoid_types.h"

namespace kartavo {

// UPS coordinates of a position in degrees; the pole is the one nearer to
// the position (the north pole for latitude >= 0).
void LatLongToUPS(double Lat, double Long, TGeoEllipsoid Ellipsoid, double& Easting,
                  double& Northing);

// Position in degrees of UPS coordinates about the north or the south pole.
void UPSToLatLong(double Easting, double Northing, bool SouthHemi, TGeoEllipsoid Ellipsoid,
                  double& Lat, double& Long);

} // namespace kartavo
