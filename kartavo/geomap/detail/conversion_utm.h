// The affine UTM relation of cmUTM maps, between map-image pixels and the
// northing and easting in the map's zone.
#pragma once

#include "kartavo/geomap/geo_conversion.h"

namespace kartavo {

// Position of a pixel: northing and easting from EquRectPLSP, then the
// inverse UTM projection in the map's zone, hemisphere and ellipsoid.
void UTMPixelToGeo(const TGeoRef& ref, double x, double y, double& Lat, double& Long);
// Unrounded pixel of a position: its UTM coordinates in the map's zone and
// hemisphere (in the zone the position falls in when the map has none),
// then EquRectSPPL.
void UTMGeoToPixel(const TGeoRef& ref, double Lat, double Long, double& x, double& y);

} // namespace kartavo
