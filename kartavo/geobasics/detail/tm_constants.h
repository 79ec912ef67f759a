// Per-ellipsoid constants of the Transverse Mercator series, derived at
// compile time from the catalogue axes so that the projection routines need
// no per-call set-up. Internal to geobasics.
#pragma once

#include "kartavo/geobasics/ellipsoid_catalogue.h"

#include <array>

namespace kartavo::tm_detail {

struct TTMConstants {
  double A2B;     // a^2 / b: radius of curvature N = A2B / sqrt(1 + nu^2)
  double EP2;     // second eccentricity squared (a^2 - b^2) / b^2
  double Alpha;   // meridian arc scale (a + b)/2 (1 + n^2/4 + n^4/64)
  double Arc[4];  // meridian arc: coefficients of sin 2phi .. sin 8phi
  double Foot[4]; // footpoint latitude: coefficients of sin 2y' .. sin 8y'
};

constexpr TTMConstants MakeTMConstants(const TEllipsoidAxes& axes) {
  const double a = axes.MajAx;
  const double b = axes.MinAx;
  const double n = (a - b) / (a + b);
  const double n2 = n * n, n3 = n2 * n, n4 = n3 * n, n5 = n4 * n;
  TTMConstants c{};
  c.A2B = a * a / b;
  c.EP2 = (a * a - b * b) / (b * b);
  c.Alpha = (a + b) / 2.0 * (1.0 + n2 / 4.0 + n4 / 64.0);
  c.Arc[0] = -3.0 * n / 2.0 + 9.0 * n3 / 16.0 - 3.0 * n5 / 32.0;
  c.Arc[1] = 15.0 * n2 / 16.0 - 15.0 * n4 / 32.0;
  c.Arc[2] = -35.0 * n3 / 48.0 + 105.0 * n5 / 256.0;
  c.Arc[3] = 315.0 * n4 / 512.0;
  c.Foot[0] = 3.0 * n / 2.0 - 27.0 * n3 / 32.0 + 269.0 * n5 / 512.0;
  c.Foot[1] = 21.0 * n2 / 16.0 - 55.0 * n4 / 32.0;
  c.Foot[2] = 151.0 * n3 / 96.0 - 417.0 * n5 / 128.0;
  c.Foot[3] = 1097.0 * n4 / 512.0;
  return c;
}

constexpr std::array<TTMConstants, GeoEllipsoidCount> MakeTMConstantTable() {
  std::array<TTMConstants, GeoEllipsoidCount> table{};
  for (std::size_t i = 0; i < GeoEllipsoidCount; ++i)
    table[i] = MakeTMConstants(GeoEllipsoidData[i]);
  return table;
}

inline constexpr std::array<TTMConstants, GeoEllipsoidCount> TMConstantTable =
    MakeTMConstantTable();

} // namespace kartavo::tm_detail
