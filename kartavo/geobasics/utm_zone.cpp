#include "kartavo/geobasics/utm_zone.h"

#include <cmath>

namespace kartavo {
namespace {

// Bands are 8 degrees high from 80 S, lettered from C and skipping I and O;
// everything from 72 N up to 84 N is the one band X.
char16_t BandLetter(double Lat) {
  int k = static_cast<int>(std::floor(Lat + 80.0)) / 8;
  if (k > 5) ++k;  // skips I
  if (k > 11) ++k; // skips O
  return k < 21 ? static_cast<char16_t>(u'C' + k) : u'X';
}

int ZoneNumber(double Long, char16_t letter) {
  if (letter == u'V' && Long >= 3.0 && Long < 12.0) return 32;
  if (letter == u'X' && Long >= 0.0 && Long < 42.0)
    return 2 * static_cast<int>(std::floor((Long + 3.0) / 12.0)) + 31;
  return static_cast<int>(std::floor((Long + 180.0) / 6.0)) + 1;
}

} // namespace

void GeoToUTMZone(double Lat, double Long, int& Zone, char16_t& Letter) {
  Zone = 0;
  Letter = u' ';
  // Written so that a not-a-number falls outside as well.
  if (!(Lat >= -80.0 && Lat <= 84.0 && Long >= -180.0 && Long < 180.0)) return;
  Letter = BandLetter(Lat);
  Zone = ZoneNumber(Long, Letter);
}

std::string GeoToUTMZone(double Lat, double Long) {
  int zone;
  char16_t letter;
  GeoToUTMZone(Lat, Long, zone, letter);
  if (zone == 0) return {};
  return std::to_string(zone) + static_cast<char>(letter);
}

} // namespace kartavo
