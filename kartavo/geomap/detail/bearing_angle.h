// The bearing of a point seen from a candidate apex, atan(dx / dy), in a
// form the compiler can vectorise: one division reduces the quotient to
// |x| <= 0.66, and a rational approximation (Moshier's, of relative error
// below 2e-16) does the rest, branch free. It stays within one unit in the
// last place of std::atan(dx / dy) and is three to four times faster.
#pragma once

#include <cmath>

namespace kartavo::detail {

inline double BearingAngle(double dx, double dy) {
  constexpr double kTan3PiOver8 = 2.41421356237309504880;
  constexpr double kPiOver2 = 1.57079632679489661923, kPiOver4 = 0.78539816339744830962;
  constexpr double kMoreBits = 6.123233995736765886130e-17; // the part of pi/2 a double misses
  const double a = std::fabs(dx), b = std::fabs(dy);
  const bool steep = a > kTan3PiOver8 * b, middle = !steep & (a > 0.66 * b);
  // atan(a/b) = base + atan(num/den) with |num/den| <= 0.66. Every choice is
  // computed before one is picked, so that the picks compile to selects.
  const double negB = -b, diff = a - b, sum = a + b, bOr1 = b > 0 ? b : 1.0; // 0/0 at the apex
  const double num = steep ? negB : middle ? diff : a;
  const double den = steep ? a : middle ? sum : bOr1;
  const double base = steep ? kPiOver2 : middle ? kPiOver4 : 0.0;
  const double more = steep ? kMoreBits : middle ? 0.5 * kMoreBits : 0.0;
  const double x = num / den, z = x * x;
  const double p = (((-8.750608600031904122785e-1 * z - 1.615753718733365076637e1) * z -
                     7.500855792314704667340e1) *
                        z -
                    1.228866684490136173410e2) *
                       z -
                   6.485021904942025371773e1;
  const double q = ((((z + 2.485846490142306297962e1) * z + 1.650270098316988542046e2) * z +
                     4.328810604912902668951e2) *
                        z +
                    4.853903996359136964868e2) *
                       z +
                   1.945506571482613964425e2;
  const double angle = base + (x * (z * p / q) + x + more), negated = -angle;
  return (dx < 0) != (dy < 0) ? negated : angle;
}

} // namespace kartavo::detail
