// UTM zone number and latitude band of a geographic position, with the
// Norway (32V) and Svalbard (31X, 33X, 35X, 37X) exceptions, as the grid
// zone designations are defined in DMA TM 8358.1, "Datums, Ellipsoids, Grids
// and Grid Reference Systems" (1990). Exact: a boundary belongs to the zone
// east and the band north of it (84 N itself to band X).
#pragma once

#include "kartavo/framework/export.h"

#include <string>

namespace kartavo {

// Zone 1..60 and band letter C..X (without I and O; X spans 72..84 N) of a
// position in degrees. Outside latitude -80..84 or longitude -180..<180
// (or for a not-a-number) Zone is 0 and Letter a space.
KARTAVO_API void GeoToUTMZone(double Lat, double Long, int& Zone, char16_t& Letter);

// The zone in decimal followed by the band letter ("32U"); empty when out of range.
KARTAVO_API std::string GeoToUTMZone(double Lat, double Long);

} // namespace kartavo
