#include "kartavo/companion/tessaro.h"

#include <cmath>
#include <cstdio>

namespace tessaro {
namespace {

using quillon::dfDegMin;
using quillon::dfDegMinSec;
using quillon::TDegreeFormat;

constexpr char kDegreeSign[] = "\xB0";
constexpr int kMaxDecimals = 9;
// Counts of the smallest unit up to which integer arithmetic in a double is exact.
constexpr double kExactLimit = 9007199254740992.0; // 2^53

std::string Digits(long long v, int width) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%0*lld", width, v);
  return buf;
}

// The integer part and, with decimals, the point and the fraction digits.
std::string WithFraction(long long whole, long long frac, int decimals, int width) {
  std::string s = Digits(whole, width);
  if (decimals > 0) s += "." + Digits(frac, decimals);
  return s;
}

// The angle in units of 1/unitsPerDegree degree, split into degrees,
// minutes, seconds and the fraction of the last part.
std::string Compose(long long total, TDegreeFormat format, long long scale, int decimals) {
  switch (format) {
  case dfDegMin: {
    const long long perDeg = 60 * scale;
    const long long rem = total % perDeg;
    return Digits(total / perDeg, 1) + kDegreeSign +
           WithFraction(rem / scale, rem % scale, decimals, 2) + "'";
  }
  case dfDegMinSec: {
    const long long perMin = 60 * scale, perDeg = 60 * perMin;
    const long long rem = total % perDeg;
    return Digits(total / perDeg, 1) + kDegreeSign + Digits(rem / perMin, 2) + "'" +
           WithFraction(rem % perMin / scale, rem % scale, decimals, 2) + "\"";
  }
  default:
    return WithFraction(total / scale, total % scale, decimals, 1) + kDegreeSign;
  }
}

} // namespace

std::string DegreeToStr(double Angle, quillon::TDegreeFormat Format, int Decimals) {
  if (std::isnan(Angle)) return "NaN";
  if (std::isinf(Angle)) return Angle < 0 ? "-INF" : "INF";
  const int decimals = Decimals < 0 ? 0 : Decimals > kMaxDecimals ? kMaxDecimals : Decimals;
  const long long scale = static_cast<long long>(std::pow(10.0, decimals));
  const long long unitsPerDegree = Format == dfDegMin      ? 60 * scale
                                   : Format == dfDegMinSec ? 3600 * scale
                                                           : scale;
  const double units = std::fabs(Angle) * static_cast<double>(unitsPerDegree);
  if (units >= kExactLimit) {
    // Beyond exact integer counts only whole degrees are meaningful.
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.0f", Angle);
    return std::string(buf) + kDegreeSign;
  }
  const long long total = std::llround(units);
  // A value that rounds to zero carries no sign.
  return (Angle < 0 && total != 0 ? "-" : "") + Compose(total, Format, scale, decimals);
}

} // namespace tessaro
