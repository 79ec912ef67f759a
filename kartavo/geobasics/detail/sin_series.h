// Sums of sines of multiple angles by Clenshaw's recurrence, from the sine
// and cosine of the double angle only. Internal to geobasics.
#pragma once

namespace kartavo::tm_detail {

// sum_{k=1..4} coef[k-1] * sin(2k theta), from sin 2theta and cos 2theta.
inline double SinSeries4(const double (&coef)[4], double sin2, double cos2) {
  const double twoCos = 2.0 * cos2;
  double b2 = 0.0, b1 = coef[3];
  for (int k = 2; k >= 0; --k) {
    const double b = coef[k] + twoCos * b1 - b2;
    b2 = b1;
    b1 = b;
  }
  return b1 * sin2;
}

} // namespace kartavo::tm_detail
