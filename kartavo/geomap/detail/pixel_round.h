// Rounding of computed positions to pixels: to the nearest integer, a value
// exactly halfway going to the even neighbour, whatever the floating-point
// rounding mode of the host.
#pragma once

#include <climits>
#include <cmath>
#include <cstdint>

namespace kartavo {

// R(v). A value beyond the 32-bit range saturates at its limit; a value that
// is not finite gives 0. The result tells whether v was finite.
inline bool RoundPixel(double v, int& out) {
  if (!std::isfinite(v)) {
    out = 0;
    return false;
  }
  if (v >= double(INT_MAX)) {
    out = INT_MAX;
    return true;
  }
  if (v <= double(INT_MIN)) {
    out = INT_MIN;
    return true;
  }
  const double lo = std::floor(v);
  const double frac = v - lo;
  double r = lo;
  // lo lies inside the int range here, so its parity is that of its integer
  // (a halfway value is common: magnifications of 0.5 and 1.5).
  if (frac > 0.5 || (frac == 0.5 && (static_cast<int64_t>(lo) & 1) != 0)) r = lo + 1.0;
  out = static_cast<int>(r);
  return true;
}

inline int RoundPixel(double v) {
  int out = 0;
  RoundPixel(v, out);
  return out;
}

} // namespace kartavo
