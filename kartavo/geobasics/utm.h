// Universal Transverse Mercator: scale 0.9996 on the central meridian, false
// easting 500 km, false northing 10000 km in the southern hemisphere, as the
// grid is defined in DMA TM 8358.2, "The Universal Grids: Universal Transverse
// Mercator (UTM) and Universal Polar Stereographic (UPS)" (1989).
//
// Method: the Transverse Mercator series of transverse_mercator.h, scaled.
// Accuracy, measured against the exact projection: 0.016 mm forward and
// 0.004 mm back anywhere in the 60 standard zones (latitudes -80 ... 84,
// within 3 deg of the zone's meridian); 0.01 mm in the Norway and Svalbard
// zones, which reach up to 9 deg from their meridian at high latitudes.
// Valid range: latitudes -80 ... 84; the polar caps belong to UPS (ups.h).
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/geobasics/ellipsoid_types.h"

namespace kartavo {

// UTM coordinates of a position in degrees, in the zone GeoToUTMZone gives.
// Southern latitudes get the false northing of 10 000 km, so the northing is
// never negative and does not tell the hemisphere: that is the sign of Lat
// (the equator counts as north, northing 0), and UTMToLatLong takes it back
// as SouthHemi = Lat < 0. Zone 0 marks a
// position outside the UTM system; the coordinates are then computed about
// the Greenwich meridian and mean nothing in UTM.
KARTAVO_API void LatLongToUTM(double Lat, double Long, TGeoEllipsoid Ellipsoid, int& Zone,
                              double& Easting, double& Northing);

// Position in degrees of UTM coordinates; a zone outside 1..60 is taken as
// central meridian 0.
KARTAVO_API void UTMToLatLong(double Easting, double Northing, int Zone, bool SouthHemi,
                              TGeoEllipsoid Ellipsoid, double& Lat, double& Long);

} // namespace kartavo
