// Universal Polar Stereographic: scale 0.994 at the pole, false easting and
// false northing 2000 km; grid north of the north-pole projection points
// along longitude 180, that of the south-pole projection along longitude 0
// (DMA TM 8358.2, 1989).
//
// Method: the ellipsoidal polar stereographic projection in closed form
// (J. P. Snyder, "Map Projections - A Working Manual", USGS Professional
// Paper 1395, 1987); the inverse solves for the distance from the pole by
// Newton's method from the conformal latitude's series.
// Accuracy, measured against Snyder's closed form in long double on latitudes
// 60 ... 90 and five ellipsoids (the sphere included): 2 nanometres forward
// and back. Valid range: the UPS caps are latitude 84 ... 90 north and
// 80 ... 90 south; the formulas hold, equally accurate, down to the equator.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/geobasics/ellipsoid_types.h"

namespace kartavo {

// UPS coordinates of a position in degrees; the pole is the one nearer to
// the position (the north pole for latitude >= 0).
KARTAVO_API void LatLongToUPS(double Lat, double Long, TGeoEllipsoid Ellipsoid, double& Easting,
                              double& Northing);

// Position in degrees of UPS coordinates about the north or the south pole.
KARTAVO_API void UPSToLatLong(double Easting, double Northing, bool SouthHemi,
                              TGeoEllipsoid Ellipsoid, double& Lat, double& Long);

} // namespace kartavo
