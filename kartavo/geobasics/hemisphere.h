// The hemisphere of a UTM position. The projection routines take it as a
// Boolean SouthHemi; the map control keeps it as this enumeration.
#pragma once

#include <cstdint>

namespace kartavo {

enum THemisphere : uint8_t { hemiNorth, hemiSouth };

} // namespace kartavo
