// The Transverse Mercator core: unscaled projection coordinates relative to a
// central meridian, in radians and metres, on a catalogue ellipsoid.
#pragma once

#include "kartavo/geobasics/ellipsoid_types.h"

namespace kartavo {

// Meridian arc length from the equator to latitude Phi (radians), metres.
double ArcLengthOfMeridian(double Phi, TGeoEllipsoid Ellipsoid);

// Central meridian of a UTM zone in radians; 0 for a zone outside 1..60.
double UTMCentralMeridian(int Zone);

// Transverse Mercator coordinates of (Phi, Lambda) relative to the central
// meridian Lambda0 (radians), without scale factor and false origin.
void LatLongToTM(double Phi, double Lambda, double Lambda0, TGeoEllipsoid Ellipsoid, double& X,
                 double& Y);

// Inverse of LatLongToTM.
void TMToLatLong(double X, double Y, double Lambda0, TGeoEllipsoid Ellipsoid, double& Phi,
                 double& Lambda);

} // namespace kartavo
