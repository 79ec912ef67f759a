// A constant table of countries and territories: standard codes, an
// approximate centre, and the capital's name, position and altitude. Hosts
// use it to label maps, centre a map on a country or look up a capital.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/framework/short_string.h"

#include <array>
#include <cstdint>

namespace kartavo {

struct TCountryData {
  fw::ShortString<40> Name;     // English short name; alternatives separated by ';'
  fw::ShortString<2> Fips10;    // FIPS 10-4 code, lower case
  fw::ShortString<2> ISO3166_2; // ISO 3166-1 alpha-2 code, lower case
  fw::ShortString<3> ISO3166_3; // ISO 3166-1 alpha-3 code, lower case
  double CLat, CLong;           // approximate centre, degrees (north, east positive)
  fw::ShortString<31> Capital;  // empty where there is none
  double CapLat, CapLong;       // capital, degrees
  int32_t CapAlt;               // capital's altitude, metres (may be negative)
};

inline constexpr size_t CountryCount = 231;

// Sorted by Name (byte order, ascending); addressed by position from 0.
extern KARTAVO_API const std::array<TCountryData, CountryCount> CountryData;

} // namespace kartavo
