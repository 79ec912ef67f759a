// Geographic coordinates on a catalogue ellipsoid to geocentric Cartesian
// coordinates (origin at the ellipsoid's centre, Z along the polar axis, X
// through longitude 0) and back.
#pragma once

#include "kartavo/geobasics/ellipsoids.h"

namespace kartavo {

// Lat, Long in degrees (any values), Height in metres above the ellipsoid;
// X, Y, Z in metres.
void GeoToCartesian(double Lat, double Long, double Height, TGeoEllipsoid Ellipsoid, double& X,
                    double& Y, double& Z);

// Closed form, no iteration. Long comes back in -180 ... 180. A point on the
// polar axis (X = Y = 0) gets latitude +90 or -90 by the sign of Z (+90 for
// the centre itself); spheres get the spherical solution.
void CartesianToGeo(double X, double Y, double Z, TGeoEllipsoid Ellipsoid, double& Lat,
                    double& Long, double& Height);

} // namespace kartavo
