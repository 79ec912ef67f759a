// Latitudes and longitudes as display text next to database entries.
#pragma once

#include "kartavo/companion/quillon.h"
#include "kartavo/framework/export.h"

#include <string>

namespace kartavo {

// The value clamped to -90..90, its absolute value formatted, then " S" or " N".
KARTAVO_API std::string GeoLatitude(double Latit, quillon::TDegreeFormat Format, int Decimals);
// The value clamped to -180..180, its absolute value formatted, then " W" or " E".
KARTAVO_API std::string GeoLongitude(double Longit, quillon::TDegreeFormat Format, int Decimals);

} // namespace kartavo
