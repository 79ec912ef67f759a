// The position under the pointer as the viewer's status bar shows it.
#pragma once

#include "kartavo/geobasics/ellipsoid_types.h"

#include <string>

namespace kartavo::viewer {

// "47.51234 N  8.25000 E", or in degrees, minutes and seconds (UTF-8).
std::string LatLonText(double Lat, double Lon, bool Dms);
// "UTM 32n 518850 5262061" on the ellipsoid, or "" outside the UTM zones.
std::string UtmText(double Lat, double Lon, TGeoEllipsoid Ellipsoid);

} // namespace kartavo::viewer
