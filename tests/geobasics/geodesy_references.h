// Independent references for the projection tests, in long double:
// - the Transverse Mercator series evaluated term by term exactly as printed
//   (the oracle for the rearranged evaluation of the library);
// - the exact (Gauss-Krueger) Transverse Mercator through the conformal
//   latitude and Krueger's complex series to sixth order in n, which is
//   accurate to nanometres within thousands of kilometres of the central
//   meridian;
// - the meridian arc by numerical integration of the meridian radius;
// - the polar stereographic projection in Snyder's closed form;
// - the UPS inverse iteration as printed (the oracle for the library's
//   faster start and stop).
#pragma once

#include "kartavo/geobasics/ellipsoid_catalogue.h"

#include <cfloat>
#include <cmath>
#include <complex>
#include <numbers>

namespace georef {

using Real = long double;
constexpr Real kPi = 3.141592653589793238462643383279502884L;

struct Axes {
  Real a, b;
  explicit Axes(kartavo::TGeoEllipsoid e)
      : a(kartavo::GeoEllipsoidData[e].MajAx), b(kartavo::GeoEllipsoidData[e].MinAx) {}
  Real n() const { return (a - b) / (a + b); }
  Real e2() const { return 1 - b * b / (a * a); }
};

// ---- the printed series, term by term ------------------------------------

inline Real PlainArc(const Axes& E, Real phi) {
  const Real n = E.n();
  const Real alpha = (E.a + E.b) / 2 * (1 + std::pow(n, 2) / 4 + std::pow(n, 4) / 64);
  const Real beta = -3 * n / 2 + 9 * std::pow(n, 3) / 16 - 3 * std::pow(n, 5) / 32;
  const Real gamma = 15 * std::pow(n, 2) / 16 - 15 * std::pow(n, 4) / 32;
  const Real delta = -35 * std::pow(n, 3) / 48 + 105 * std::pow(n, 5) / 256;
  const Real epsilon = 315 * std::pow(n, 4) / 512;
  return alpha * (phi + beta * std::sin(2 * phi) + gamma * std::sin(4 * phi) +
                  delta * std::sin(6 * phi) + epsilon * std::sin(8 * phi));
}

inline Real PlainFootpoint(const Axes& E, Real y) {
  const Real n = E.n();
  const Real alpha = (E.a + E.b) / 2 * (1 + std::pow(n, 2) / 4 + std::pow(n, 4) / 64);
  const Real yp = y / alpha;
  const Real beta = 3 * n / 2 - 27 * std::pow(n, 3) / 32 + 269 * std::pow(n, 5) / 512;
  const Real gamma = 21 * std::pow(n, 2) / 16 - 55 * std::pow(n, 4) / 32;
  const Real delta = 151 * std::pow(n, 3) / 96 - 417 * std::pow(n, 5) / 128;
  const Real epsilon = 1097 * std::pow(n, 4) / 512;
  return yp + beta * std::sin(2 * yp) + gamma * std::sin(4 * yp) + delta * std::sin(6 * yp) +
         epsilon * std::sin(8 * yp);
}

inline void PlainLatLongToTM(const Axes& E, Real phi, Real l, Real& x, Real& y) {
  const Real ep2 = (E.a * E.a - E.b * E.b) / (E.b * E.b);
  const Real c = std::cos(phi);
  const Real nu2 = ep2 * c * c;
  const Real N = E.a * E.a / (E.b * std::sqrt(1 + nu2));
  const Real t = std::tan(phi);
  const Real T = t * t;
  x = N * c * l + N / 6 * std::pow(c, 3) * (1 - T + nu2) * std::pow(l, 3) +
      N / 120 * std::pow(c, 5) * (5 - 18 * T + T * T + 14 * nu2 - 58 * T * nu2) * std::pow(l, 5) +
      N / 5040 * std::pow(c, 7) * (61 - 479 * T + 179 * T * T - T * T * T) * std::pow(l, 7);
  y = PlainArc(E, phi) + t / 2 * N * std::pow(c, 2) * std::pow(l, 2) +
      t / 24 * N * std::pow(c, 4) * (5 - T + 9 * nu2 + 4 * nu2 * nu2) * std::pow(l, 4) +
      t / 720 * N * std::pow(c, 6) * (61 - 58 * T + T * T + 270 * nu2 - 330 * T * nu2) *
          std::pow(l, 6) +
      t / 40320 * N * std::pow(c, 8) * (1385 - 3111 * T + 543 * T * T - T * T * T) * std::pow(l, 8);
}

inline void PlainTMToLatLong(const Axes& E, Real x, Real y, Real& phi, Real& l) {
  const Real ep2 = (E.a * E.a - E.b * E.b) / (E.b * E.b);
  const Real pf = PlainFootpoint(E, y);
  const Real cf = std::cos(pf);
  const Real nuf2 = ep2 * cf * cf;
  const Real Nf = E.a * E.a / (E.b * std::sqrt(1 + nuf2));
  const Real tf = std::tan(pf);
  const Real T = tf * tf, T2 = T * T;
  phi = pf + tf / (2 * std::pow(Nf, 2)) * (-1 - nuf2) * std::pow(x, 2) +
        tf / (24 * std::pow(Nf, 4)) *
            (5 + 3 * T + 6 * nuf2 - 6 * T * nuf2 - 3 * nuf2 * nuf2 - 9 * T * nuf2 * nuf2) *
            std::pow(x, 4) +
        tf / (720 * std::pow(Nf, 6)) * (-61 - 90 * T - 45 * T2 - 107 * nuf2 + 162 * T * nuf2) *
            std::pow(x, 6) +
        tf / (40320 * std::pow(Nf, 8)) * (1385 + 3633 * T + 4095 * T2 + 1575 * T2 * T) *
            std::pow(x, 8);
  l = x / (Nf * cf) + (-1 - 2 * T - nuf2) * std::pow(x, 3) / (6 * std::pow(Nf, 3) * cf) +
      (5 + 28 * T + 24 * T2 + 6 * nuf2 + 8 * T * nuf2) * std::pow(x, 5) /
          (120 * std::pow(Nf, 5) * cf) +
      (-61 - 662 * T - 1320 * T2 - 720 * T2 * T) * std::pow(x, 7) / (5040 * std::pow(Nf, 7) * cf);
}

// ---- exact Transverse Mercator --------------------------------------------

struct Krueger {
  Real A;        // rectifying radius
  Real alpha[7]; // forward coefficients, [1..6]
  Real beta[7];  // reverse coefficients, [1..6]
  Real e;

  explicit Krueger(const Axes& E) : e(std::sqrt(E.e2())) {
    const Real n = E.n(), n2 = n * n, n3 = n2 * n, n4 = n3 * n, n5 = n4 * n, n6 = n5 * n;
    A = E.a / (1 + n) * (1 + n2 / 4 + n4 / 64 + n6 / 256);
    alpha[1] =
        n / 2 - 2 * n2 / 3 + 5 * n3 / 16 + 41 * n4 / 180 - 127 * n5 / 288 + 7891 * n6 / 37800;
    alpha[2] =
        13 * n2 / 48 - 3 * n3 / 5 + 557 * n4 / 1440 + 281 * n5 / 630 - 1983433 * n6 / 1935360;
    alpha[3] = 61 * n3 / 240 - 103 * n4 / 140 + 15061 * n5 / 26880 + 167603 * n6 / 181440;
    alpha[4] = 49561 * n4 / 161280 - 179 * n5 / 168 + 6601661 * n6 / 7257600;
    alpha[5] = 34729 * n5 / 80640 - 3418889 * n6 / 1995840;
    alpha[6] = 212378941 * n6 / 319334400;
    beta[1] = n / 2 - 2 * n2 / 3 + 37 * n3 / 96 - n4 / 360 - 81 * n5 / 512 + 96199 * n6 / 604800;
    beta[2] = n2 / 48 + n3 / 15 - 437 * n4 / 1440 + 46 * n5 / 105 - 1118711 * n6 / 3870720;
    beta[3] = 17 * n3 / 480 - 37 * n4 / 840 - 209 * n5 / 4480 + 5569 * n6 / 90720;
    beta[4] = 4397 * n4 / 161280 - 11 * n5 / 504 - 830251 * n6 / 7257600;
    beta[5] = 4583 * n5 / 161280 - 108847 * n6 / 3991680;
    beta[6] = 20648693 * n6 / 638668800;
  }

  // tan of the conformal latitude from tan of the geodetic latitude.
  Real ConformalTan(Real tau) const {
    const Real sigma = std::sinh(e * std::atanh(e * tau / std::sqrt(1 + tau * tau)));
    return tau * std::sqrt(1 + sigma * sigma) - sigma * std::sqrt(1 + tau * tau);
  }

  // Unscaled x (east) and y (north) of (phi, l) in radians.
  void Forward(Real phi, Real l, Real& x, Real& y) const {
    const Real tp = ConformalTan(std::tan(phi));
    const std::complex<Real> zeta(
        std::atan2(tp, std::cos(l)),
        std::asinh(std::sin(l) / std::sqrt(tp * tp + std::cos(l) * std::cos(l))));
    std::complex<Real> w = zeta;
    for (int j = 1; j <= 6; ++j)
      w += alpha[j] * std::sin(Real(2 * j) * zeta);
    y = A * w.real();
    x = A * w.imag();
  }

  void Reverse(Real x, Real y, Real& phi, Real& l) const {
    const std::complex<Real> w(y / A, x / A);
    std::complex<Real> zeta = w;
    for (int j = 1; j <= 6; ++j)
      zeta -= beta[j] * std::sin(Real(2 * j) * w);
    const Real xi = zeta.real(), eta = zeta.imag();
    const Real tp =
        std::sin(xi) / std::sqrt(std::sinh(eta) * std::sinh(eta) + std::cos(xi) * std::cos(xi));
    l = std::atan2(std::sinh(eta), std::cos(xi));
    Real tau = tp; // Newton on ConformalTan(tau) = tp
    const Real e2 = e * e;
    for (int i = 0; i < 30; ++i) {
      const Real tpi = ConformalTan(tau);
      const Real d = (tp - tpi) / std::sqrt(1 + tpi * tpi) * (1 + (1 - e2) * tau * tau) /
                     ((1 - e2) * std::sqrt(1 + tau * tau));
      tau += d;
      if (std::fabs(d) < 1e-19L * std::max(Real(1), std::fabs(tau))) break;
    }
    phi = std::atan(tau);
  }
};

// Meridian arc by composite Simpson integration (4000 panels, long double) of
// the meridian radius a(1-e^2)/(1-e^2 sin^2 phi)^1.5.
inline Real IntegratedArc(const Axes& E, Real phi) {
  const Real e2 = E.e2();
  const int panels = 4000;
  const Real h = phi / panels;
  auto f = [&](Real p) {
    const Real s = std::sin(p);
    return E.a * (1 - e2) / std::pow(1 - e2 * s * s, Real(1.5));
  };
  Real sum = f(0) + f(phi);
  for (int i = 1; i < panels; ++i)
    sum += f(i * h) * (i % 2 ? 4 : 2);
  return sum * h / 3;
}

// ---- polar stereographic (Snyder) ----------------------------------------

// Distance from the north pole of latitude phi (radians), scale k0 at the pole.
inline Real PolarRadius(const Axes& E, Real phi, Real k0) {
  const Real e = std::sqrt(E.e2());
  const Real s = std::sin(phi);
  const Real t = std::tan(kPi / 4 - phi / 2) / std::pow((1 - e * s) / (1 + e * s), e / 2);
  return 2 * E.a * k0 * t / std::sqrt(std::pow(1 + e, 1 + e) * std::pow(1 - e, 1 - e));
}

inline Real PolarLatitude(const Axes& E, Real rho, Real k0) {
  const Real e = std::sqrt(E.e2());
  const Real t = rho * std::sqrt(std::pow(1 + e, 1 + e) * std::pow(1 - e, 1 - e)) / (2 * E.a * k0);
  Real phi = kPi / 2 - 2 * std::atan(t);
  for (int i = 0; i < 60; ++i) {
    const Real s = std::sin(phi);
    phi = kPi / 2 - 2 * std::atan(t * std::pow((1 - e * s) / (1 + e * s), e / 2));
  }
  return phi;
}

// Latitude and longitude (degrees) of UPS coordinates: Newton's method in
// the colatitude from the spherical start, stopping after a correction below
// 0.1 sqrt(DBL_MIN) and in any case after six.
inline void PlainUPSToLatLong(const Axes& E, double easting, double northing, bool south,
                              double& lat, double& lon) {
  const double a = double(E.a), b = double(E.b);
  const double e = std::sqrt(std::fabs(1 - b * b / (a * a)));
  const double dx = easting - 2000000, dy = northing - 2000000;
  const double rho = std::hypot(dx, dy);
  const double g = rho * std::sqrt(1 - e * e) * std::exp(e * std::atanh(e)) / (a * 0.994);
  double z = 2 * std::atan(g / 2);
  for (int i = 0; i < 6; ++i) {
    const double w = std::exp(e * std::atanh(e * std::cos(z)));
    const double delta = -(2 * std::tan(z / 2) * w - g) /
                         ((1 - e * e) * w /
                          ((1 - e * e * std::cos(z) * std::cos(z)) * std::pow(std::cos(z / 2), 2)));
    z += delta;
    if (std::fabs(delta) < 0.1 * std::sqrt(DBL_MIN)) break;
  }
  lat = 90 - z * 180 / std::numbers::pi;
  if (south) lat = -lat;
  lon = (south ? std::atan2(dx, dy) : std::atan2(dx, -dy)) * 180 / std::numbers::pi;
}

} // namespace georef
