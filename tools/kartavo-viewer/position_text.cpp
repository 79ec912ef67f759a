#include "position_text.h"

#include "kartavo/companion/tessaro.h"
#include "kartavo/framework/codepage.h"
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
    // The math library writes its degree sign in the single-byte code page.
    text = fw::Cp1252ToUtf8(tessaro::DegreeToStr(magnitude, quillon::dfDegMinSec, 1));
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
  // Southern northings come with the false northing already added.
  char buf[64];
  std::snprintf(buf, sizeof buf, "UTM %d%c %.0f %.0f", zone, Lat < 0 ? 's' : 'n', easting,
                northing);
  return buf;
}

} // namespace kartavo::viewer
