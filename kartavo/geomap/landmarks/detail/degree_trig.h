// Sine and cosine of angles in degrees, exact where the exact value is a
// double (multiples of 30° and 90°). Symbol corners land on half pixels at
// such angles (a triangle's lower corners at 120°), and rounding halves to
// even is only meaningful when the half comes out exactly.
#pragma once

#include <cmath>
#include <numbers>
#include <utility>

namespace kartavo::detail {

// Sine of an angle from 0 to 90 degrees.
inline double SinQuadrant(double deg) {
  if (deg == 0) return 0;
  if (deg == 30) return 0.5;
  if (deg == 45) return std::numbers::sqrt2 / 2;
  if (deg == 90) return 1;
  return std::sin(deg * std::numbers::pi / 180.0);
}

// {sin, cos} of deg; NaN for an angle that is not finite.
inline std::pair<double, double> SinCosDeg(double deg) {
  if (!std::isfinite(deg)) return {std::nan(""), std::nan("")};
  double a = std::fmod(deg, 360.0);
  if (a < 0) a += 360.0;
  const int quadrant = static_cast<int>(a / 90.0) % 4;
  const double r = a - 90.0 * quadrant;
  const double s = SinQuadrant(r), c = SinQuadrant(90.0 - r);
  switch (quadrant) {
  case 0:
    return {s, c};
  case 1:
    return {c, -s};
  case 2:
    return {-s, -c};
  default:
    return {-c, s};
  }
}

} // namespace kartavo::detail
