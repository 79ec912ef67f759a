// The Transverse Mercator core: unscaled projection coordinates relative to a
// central meridian, in radians and metres, on a catalogue ellipsoid.
//
// Method: the classical Gauss-Krueger series in powers of the longitude
// difference (easting to the 7th, northing to the 8th power) and, back, in
// powers of the easting (latitude to the 8th, longitude to the 7th), with
// Helmert's series in the third flattening n for the meridian arc and the
// footpoint latitude, in the form of B. Hofmann-Wellenhof, H. Lichtenegger and
// J. Collins, "GPS: Theory and Practice" (Springer, 1994). Evaluated from one
// sine/cosine pair of the latitude (Clenshaw sums, Horner form); the result
// equals the term-by-term evaluation up to rounding.
//
// Accuracy, measured against the exact projection (Krueger's series to sixth
// order in n, in long double) on latitudes -80 ... 84 and eight catalogue
// ellipsoids from the sphere to Everest:
//   |lambda - lambda0| <= 3 deg (a UTM zone): 0.016 mm forward, 0.004 mm back;
//                        <= 6 deg:            0.8 mm forward, 0.4 mm back;
//                        <= 9 deg:            11 mm forward, 14 mm back.
// The error grows quickly beyond that: the series are meant for a few degrees
// either side of the central meridian, not for the whole hemisphere.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/geobasics/ellipsoid_types.h"

namespace kartavo {

// Meridian arc length from the equator to latitude Phi (radians), metres,
// for any latitude -pi/2 ... pi/2. Within 0.05 micrometres of the numerically
// integrated meridian radius (terms of order n^5 sin 10 phi left out).
KARTAVO_API double ArcLengthOfMeridian(double Phi, TGeoEllipsoid Ellipsoid);

// Central meridian of a UTM zone in radians; 0 for a zone outside 1..60.
KARTAVO_API double UTMCentralMeridian(int Zone);

// Transverse Mercator coordinates of (Phi, Lambda) relative to the central
// meridian Lambda0 (radians), without scale factor and false origin.
KARTAVO_API void LatLongToTM(double Phi, double Lambda, double Lambda0, TGeoEllipsoid Ellipsoid,
                             double& X, double& Y);

// Inverse of LatLongToTM.
KARTAVO_API void TMToLatLong(double X, double Y, double Lambda0, TGeoEllipsoid Ellipsoid,
                             double& Phi, double& Lambda);

} // namespace kartavo
