#include "kartavo/geodb/geo_text.h"

#include "kartavo/companion/tessaro.h"
#include "kartavo/framework/codepage.h"

#include <algorithm>
#include <cmath>

namespace kartavo {
namespace {
std::string Hemisphere(double value, double limit, quillon::TDegreeFormat format, int decimals,
                       const char* negative, const char* positive) {
  // NaN has no hemisphere; it is shown as the positive one of whatever the formatter makes of it.
  const double v = std::isnan(value) ? value : std::clamp(value, -limit, limit);
  // The formatter writes single-byte text (its degree sign); the interface speaks UTF-8.
  return fw::Cp1252ToUtf8(tessaro::DegreeToStr(std::fabs(v), format, decimals)) +
         (v < 0 ? negative : positive);
}
} // namespace

std::string GeoLatitude(double Latit, quillon::TDegreeFormat Format, int Decimals) {
  return Hemisphere(Latit, 90, Format, Decimals, " S", " N");
}

std::string GeoLongitude(double Longit, quillon::TDegreeFormat Format, int Decimals) {
  return Hemisphere(Longit, 180, Format, Decimals, " W", " E");
}

} // namespace kartavo
