// The Transverse Mercator series, evaluated from one sine/cosine pair of the
// latitude: the multiple-angle sums of the meridian arc and the footpoint
// latitude by Clenshaw's recurrence, the powers of the longitude difference
// and of the easting in Horner form, tan(phi) replaced by sin/cos. The results
// equal a term-by-term evaluation up to rounding (far below a micrometre).
// Internal to geobasics; inline so that the UTM routines evaluate it without
// a call.
#pragma once

#include "kartavo/geobasics/detail/sin_series.h"
#include "kartavo/geobasics/detail/tm_constants.h"

#include <cmath>

namespace kartavo::tm_detail {

// Meridian arc from the equator to phi, given sin phi and cos phi.
inline double MeridianArc(const TTMConstants& k, double phi, double s, double c) {
  return k.Alpha * (phi + SinSeries4(k.Arc, 2.0 * s * c, (c - s) * (c + s)));
}

// Unscaled TM coordinates of (phi, l), l = lambda - lambda0 (radians).
inline void ForwardTM(const TTMConstants& k, double phi, double l, double& x, double& y) {
  const double s = std::sin(phi), c = std::cos(phi);
  const double C = c * c, S = s * s;
  const double nu2 = k.EP2 * C;
  const double N = k.A2B / std::sqrt(1.0 + nu2);
  const double L = l * l;
  // Each bracket is the printed coefficient multiplied by the cos^2k(phi)
  // that accompanies it, so tan(phi) appears only as S = C tan^2(phi).
  const double x3 = (C - S + nu2 * C) * (1.0 / 6.0);
  const double x5 =
      (C * (5.0 * C - 18.0 * S + 14.0 * nu2 * C - 58.0 * S * nu2) + S * S) * (1.0 / 120.0);
  const double x7 = (C * (C * (61.0 * C - 479.0 * S) + 179.0 * S * S) - S * S * S) * (1.0 / 5040.0);
  const double y4 = (5.0 * C - S + 9.0 * nu2 * C + 4.0 * nu2 * nu2 * C) * (1.0 / 12.0);
  const double y6 =
      (C * (61.0 * C - 58.0 * S + 270.0 * nu2 * C - 330.0 * S * nu2) + S * S) * (1.0 / 360.0);
  const double y8 =
      (C * (C * (1385.0 * C - 3111.0 * S) + 543.0 * S * S) - S * S * S) * (1.0 / 20160.0);
  x = N * c * l * (1.0 + L * (x3 + L * (x5 + L * x7)));
  y = MeridianArc(k, phi, s, c) + 0.5 * N * s * c * L * (1.0 + L * (y4 + L * (y6 + L * y8)));
}

// Latitude of the point on the central meridian whose meridian arc is y,
// with its sine and cosine. The footpoint differs from
// y' = y/alpha by a correction d below 0.003 (of order n), so its sine and
// cosine follow from those of y' and short Taylor series of d, saving a
// second sine/cosine evaluation; the series' remainders are below 1e-20.
inline double FootpointLatitude(const TTMConstants& k, double y, double& sinF, double& cosF) {
  const double yp = y / k.Alpha;
  const double s = std::sin(yp), c = std::cos(yp);
  const double d = SinSeries4(k.Foot, 2.0 * s * c, (c - s) * (c + s));
  const double d2 = d * d;
  const double sinD = d * (1.0 - d2 * (1.0 / 6.0) * (1.0 - d2 * (1.0 / 20.0)));
  const double cosD = 1.0 - d2 * 0.5 * (1.0 - d2 * (1.0 / 12.0) * (1.0 - d2 * (1.0 / 30.0)));
  sinF = s * cosD + c * sinD;
  cosF = c * cosD - s * sinD;
  return yp + d;
}

// Inverse of ForwardTM: latitude and longitude difference (radians).
inline void InverseTM(const TTMConstants& k, double x, double y, double& phi, double& l) {
  double sf, cf;
  const double phif = FootpointLatitude(k, y, sf, cf);
  const double tf = sf / cf;
  const double T = tf * tf, T2 = T * T;
  const double nu2 = k.EP2 * cf * cf;
  const double Nf = k.A2B / std::sqrt(1.0 + nu2);
  const double u = x / Nf;
  const double U = u * u;
  const double p2 = (-1.0 - nu2) * 0.5;
  const double p4 =
      (5.0 + 3.0 * T + 6.0 * nu2 - 6.0 * T * nu2 - 3.0 * nu2 * nu2 - 9.0 * T * nu2 * nu2) *
      (1.0 / 24.0);
  const double p6 = (-61.0 - 90.0 * T - 45.0 * T2 - 107.0 * nu2 + 162.0 * T * nu2) * (1.0 / 720.0);
  const double p8 = (1385.0 + 3633.0 * T + 4095.0 * T2 + 1575.0 * T2 * T) * (1.0 / 40320.0);
  const double l3 = (-1.0 - 2.0 * T - nu2) * (1.0 / 6.0);
  const double l5 = (5.0 + 28.0 * T + 24.0 * T2 + 6.0 * nu2 + 8.0 * T * nu2) * (1.0 / 120.0);
  const double l7 = (-61.0 - 662.0 * T - 1320.0 * T2 - 720.0 * T2 * T) * (1.0 / 5040.0);
  phi = phif + tf * U * (p2 + U * (p4 + U * (p6 + U * p8)));
  l = u / cf * (1.0 + U * (l3 + U * (l5 + U * l7)));
}

} // namespace kartavo::tm_detail
