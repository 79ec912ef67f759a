#include "kartavo/geomap/calib_fits.h"
#include "lsq_reference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

namespace kartavo {
namespace {

using testing::Design;

// A well-spread, noisy point set on a gently curved 2000 x 1500 map: one
// random point in each cell of a grid that covers the image.
TCalibData NoisyPoints(int n, unsigned seed) {
  std::mt19937 rng(seed);
  std::normal_distribution<double> noise(0, 2e-5);
  const int cols = int(std::ceil(std::sqrt(n * 4.0 / 3.0)));
  const int rows = (n + cols - 1) / cols;
  const int cw = 2000 / cols, ch = 1500 / rows;
  std::uniform_int_distribution<int> jx(0, cw - 1), jy(0, ch - 1);
  TCalibData cd;
  cd.NumCalQuads = n;
  for (int i = 1; i <= n; ++i) {
    TCalQuad& q = cd.CalQuads[i];
    const int cell = (i - 1) * cols * rows / n; // spread over all cells
    q.MapX = (cell % cols) * cw + jx(rng);
    q.MapY = (cell / cols) * ch + jy(rng);
    q.Latitude = 48 - 0.0012 * q.MapY + 2e-9 * q.MapX * q.MapX + noise(rng);
    q.Longitude = 9 + 0.0015 * q.MapX + 1e-7 * q.MapX * q.MapY / 100 + noise(rng);
  }
  return cd;
}

using Terms = std::function<std::vector<long double>(const TCalQuad&)>;

// The independent solution of one row: QR when the points determine every
// coefficient, the minimum-norm solution otherwise.
std::vector<long double> Reference(const TCalibData& cd, const Terms& terms,
                                   long double (*target)(const TCalQuad&)) {
  Design d;
  std::vector<long double> b;
  for (int i = 1; i <= cd.NumCalQuads; ++i) {
    d.push_back(terms(cd.CalQuads[i]));
    b.push_back(target(cd.CalQuads[i]));
  }
  return d.size() >= d[0].size() ? testing::QrSolve(d, b) : testing::MinNormSolve(d, b);
}

long double Lat(const TCalQuad& q) { return q.Latitude; }
long double Long(const TCalQuad& q) { return q.Longitude; }
long double X(const TCalQuad& q) { return q.MapX; }
long double Y(const TCalQuad& q) { return q.MapY; }

std::vector<long double> PixTerms6(const TCalQuad& q) {
  const long double x = q.MapX, y = q.MapY;
  return {1, x, y, x * x, x * y, y * y};
}
std::vector<long double> GeoTerms6(const TCalQuad& q) {
  const long double u = q.Latitude, v = q.Longitude;
  return {1, u, v, u * u, u * v, v * v};
}
std::vector<long double> PixTerms3(const TCalQuad& q) {
  return {1, (long double)q.MapX, (long double)q.MapY};
}
std::vector<long double> GeoTerms3(const TCalQuad& q) { return {1, q.Latitude, q.Longitude}; }

// Compares the coefficients and the predictions at every point (the
// converted positions). A coefficient agrees when it differs from the
// reference by at most tol relative to itself, or by so little that its term
// moves no prediction by more than tol relative to the targets' magnitude:
// terms such as x² span 10⁶ times the range of the constant, so their
// coefficients are only as exact as the targets they reproduce.
template <int N>
void ExpectRowMatches(const TParamSet<2, N>& set, int row, const TCalibData& cd, const Terms& terms,
                      long double (*target)(const TCalQuad&), double tol) {
  const auto ref = Reference(cd, terms, target);
  long double maxTarget = 0;
  std::vector<long double> maxTerm(N, 0);
  for (int i = 1; i <= cd.NumCalQuads; ++i) {
    maxTarget = std::max(maxTarget, std::fabs(target(cd.CalQuads[i])));
    const auto t = terms(cd.CalQuads[i]);
    for (size_t k = 0; k < N; ++k)
      maxTerm[k] = std::max(maxTerm[k], std::fabs(t[k]));
  }
  for (int k = 1; k <= N; ++k) {
    const double want = double(ref[size_t(k - 1)]);
    const double termScale = double(maxTarget / maxTerm[size_t(k - 1)]);
    EXPECT_NEAR(set(row, k), want, tol * std::max(std::fabs(want), termScale))
        << "n=" << cd.NumCalQuads << " row " << row << " term " << k;
  }
  for (int i = 1; i <= cd.NumCalQuads; ++i) {
    const auto t = terms(cd.CalQuads[i]);
    long double got = 0, want = 0;
    for (int k = 1; k <= N; ++k) {
      got += set(row, k) * t[size_t(k - 1)];
      want += ref[size_t(k - 1)] * t[size_t(k - 1)];
    }
    EXPECT_NEAR(double(got), double(want), tol * std::fabs(double(want)) + 1e-12);
  }
}

TEST(EquiRectFit, AgreesWithIndependentSolutionOnNoisyPointSets) {
  for (int n : {3, 4, 5, 7, 12, 25, 60, 120, 200}) {
    const TCalibData cd = NoisyPoints(n, unsigned(n));
    TModelParams p;
    CalcEquiRectCalibration(cd, p);
    ExpectRowMatches(p.EquRectPLSP, 1, cd, PixTerms3, Lat, 1e-9);
    ExpectRowMatches(p.EquRectPLSP, 2, cd, PixTerms3, Long, 1e-9);
    ExpectRowMatches(p.EquRectSPPL, 1, cd, GeoTerms3, X, 1e-9);
    ExpectRowMatches(p.EquRectSPPL, 2, cd, GeoTerms3, Y, 1e-9);
  }
}

TEST(BiquadraticFit, AgreesWithIndependentSolutionOnNoisyPointSets) {
  for (int n : {3, 4, 5, 6, 7, 9, 15, 40, 100, 200}) {
    const TCalibData cd = NoisyPoints(n, unsigned(100 + n));
    TModelParams p;
    CalcBiquadraticCalibration(cd, p);
    ExpectRowMatches(p.CalParsPLSP, 1, cd, PixTerms6, Lat, 1e-9);
    ExpectRowMatches(p.CalParsPLSP, 2, cd, PixTerms6, Long, 1e-9);
    ExpectRowMatches(p.CalParsSPPL, 1, cd, GeoTerms6, X, 1e-9);
    ExpectRowMatches(p.CalParsSPPL, 2, cd, GeoTerms6, Y, 1e-9);
  }
}

} // namespace
} // namespace kartavo
