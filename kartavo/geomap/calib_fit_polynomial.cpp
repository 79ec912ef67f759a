// The biquadratic and equirectangular fits: least-squares polynomials of
// the pixel position in the geographic position and back, solved through
// the module's SVD solver.
#include "kartavo/geomap/calib_fits.h"
#include "kartavo/geomap/lsq_solver.h"

#include <array>
#include <cstdint>

namespace kartavo {
namespace {

using tessaro::TMatrix;
using tessaro::TVector;

// The terms of one observation; pixel products are exact in 64 bits.
std::array<double, 6> BiquadTerms(int32_t x, int32_t y) {
  const int64_t lx = x, ly = y;
  return {1.0, double(x), double(y), double(lx * lx), double(lx * ly), double(ly * ly)};
}
std::array<double, 6> BiquadTerms(double u, double v) { return {1.0, u, v, u * u, u * v, v * v}; }
std::array<double, 3> AffineTerms(double u, double v) { return {1.0, u, v}; }

template <int Terms>
void SolveRow(TMatrix& a, const TVector& b, TParamSet<2, Terms>& set, int row) {
  TVector c;
  bool discarded = false;
  if (!SolveLinLeastSquares(a, b, c, discarded)) return;
  for (int k = 1; k <= Terms; ++k)
    set(row, k) = c.GetVal(k);
}

// Fits rows 1 and 2 of set to the targets t1, t2 over the design built from
// termsOf(point) for every calibration point.
template <int Terms, typename TermsOf, typename Target1, typename Target2>
void FitBothRows(const TCalibData& cd, TParamSet<2, Terms>& set, TermsOf termsOf, Target1 t1,
                 Target2 t2) {
  const int n = CalQuadCount(cd);
  TMatrix a(Terms, n);
  TVector b1(n), b2(n);
  for (int i = 1; i <= n; ++i) {
    const TCalQuad& q = cd.CalQuads[i];
    const auto terms = termsOf(q);
    for (int k = 1; k <= Terms; ++k)
      a.SetVal(k, i, terms[static_cast<size_t>(k - 1)]);
    b1.SetVal(i, t1(q));
    b2.SetVal(i, t2(q));
  }
  TMatrix copy;
  copy.Clone(a);
  SolveRow(a, b1, set, 1);
  SolveRow(copy, b2, set, 2);
}

double Lat(const TCalQuad& q) { return q.Latitude; }
double Long(const TCalQuad& q) { return q.Longitude; }
double PixX(const TCalQuad& q) { return q.MapX; }
double PixY(const TCalQuad& q) { return q.MapY; }

} // namespace

void CalcBiquadraticCalibration(const TCalibData& cd, TModelParams& pars) {
  pars.CalParsPLSP.Clear();
  pars.CalParsSPPL.Clear();
  if (CalQuadCount(cd) == 0) return;
  FitBothRows(
      cd, pars.CalParsPLSP, [](const TCalQuad& q) { return BiquadTerms(q.MapX, q.MapY); }, Lat,
      Long);
  FitBothRows(
      cd, pars.CalParsSPPL, [](const TCalQuad& q) { return BiquadTerms(q.Latitude, q.Longitude); },
      PixX, PixY);
}

void CalcEquiRectCalibration(const TCalibData& cd, TModelParams& pars) {
  pars.EquRectPLSP.Clear();
  pars.EquRectSPPL.Clear();
  if (CalQuadCount(cd) == 0) return;
  FitBothRows(
      cd, pars.EquRectPLSP,
      [](const TCalQuad& q) { return AffineTerms(double(q.MapX), double(q.MapY)); }, Lat, Long);
  FitBothRows(
      cd, pars.EquRectSPPL, [](const TCalQuad& q) { return AffineTerms(q.Latitude, q.Longitude); },
      PixX, PixY);
}

} // namespace kartavo
