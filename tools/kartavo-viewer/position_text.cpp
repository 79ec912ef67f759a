#include "position_text.h"

#include "kartavo/companion/tessaro.h"
#include "kartavo/geobasics/utm.h"

#include <cmath>
#include <cstdio>

namespace kartavo::viewer {

namespace {

std::string Angle(double value, bool dms, char positive, char negative) {
  const char hemisphere = value < 0 ? negative : positive;
  const double magnitude = std::fabs(value);
  std::string text;
  if (dms) {
    text = tessaro::DegreeToStr(magnitude, quillon::dfDegMinSec, 1);
  } else {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.5f", magnitude);
    text = buf;
  }
  return text + " " + hemisphere;
}

} // namespace

std::string LatLonText(double Lat, double Lon, bool Dms) {
  return Angle(Lat, Dms, 'N', 'S') + "  " + Angle(Lon, Dms, 'E', 'W');
}

std::string UtmText(double Lat, double Lon, TGeoEllipsoid Ellipsoid) {
  int zone = 0;
  double easting = 0, northing = 0;
  LatLongToUTM(Lat, Lon, Ellipsoid, zone, easting, northing);
  if (zone == 0) return "";
  const bool south = northing < 0;
  char buf[64];
  std::snprintf(buf, sizeof buf, "UTM %d%c %.0f %.0f", zone, south ? 's' : 'n', easting,
                south ? northing + 10000000.0 : northing);
  return buf;
}

} // namespace kartavo::viewer
