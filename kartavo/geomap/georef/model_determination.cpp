#include "kartavo/geomap/georef/model_determination.h"

#include "kartavo/companion/tessaro.h"
#include "kartavo/geomap/lsq_solver.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace kartavo {
namespace {

// Below this ratio of the smallest to the largest singular value the terms
// are taken as dependent: the points then fix the model only through
// rounding noise.
constexpr double Dependent = 1e-9;

using Terms = std::function<std::vector<double>(double u, double v)>;

// How independent the terms are over the points, given as (u, v) pairs: the
// smallest singular value of the design matrix over the largest, after the
// coordinates are centred and scaled and every column scaled to length 1.
double Independence(const std::vector<std::pair<double, double>>& uv, const Terms& terms) {
  double mu = 0, mv = 0, su = 0, sv = 0;
  for (auto [u, v] : uv) {
    mu += u / double(uv.size());
    mv += v / double(uv.size());
  }
  for (auto [u, v] : uv) {
    su = std::max(su, std::fabs(u - mu));
    sv = std::max(sv, std::fabs(v - mv));
  }
  const int cols = static_cast<int>(terms(0, 0).size()), rows = static_cast<int>(uv.size());
  if (rows < cols) return 0;
  tessaro::TMatrix a(cols, rows), vm;
  for (int r = 1; r <= rows; ++r) {
    const auto [u, v] = uv[static_cast<size_t>(r - 1)];
    const auto t = terms(su > 0 ? (u - mu) / su : 0, sv > 0 ? (v - mv) / sv : 0);
    for (int c = 1; c <= cols; ++c)
      a.SetVal(c, r, t[static_cast<size_t>(c - 1)]);
  }
  for (int c = 1; c <= cols; ++c) {
    double norm = 0;
    for (int r = 1; r <= rows; ++r)
      norm += a.GetVal(c, r) * a.GetVal(c, r);
    if (norm == 0) return 0;
    for (int r = 1; r <= rows; ++r)
      a.SetVal(c, r, a.GetVal(c, r) / std::sqrt(norm));
  }
  tessaro::TVector w;
  if (!SingValDecomp(a, w, vm)) return 0;
  double lo = INFINITY, hi = 0;
  for (int i = 1; i <= w.NrOfElem(); ++i) {
    lo = std::min(lo, w.GetVal(i));
    hi = std::max(hi, w.GetVal(i));
  }
  return hi > 0 ? lo / hi : 0;
}

const Terms Affine = [](double u, double v) { return std::vector<double>{1, u, v}; };
const Terms Quadratic = [](double u, double v) {
  return std::vector<double>{1, u, v, u * u, u * v, v * v};
};
const Terms LineInU = [](double u, double) { return std::vector<double>{1, u}; };
const Terms LineInV = [](double, double v) { return std::vector<double>{1, v}; };

struct Need {
  int Points;
  Terms Pixels, Positions; // the terms each side must keep independent
  const char* What;
};

Need NeedOf(TCalibModel model) {
  switch (model) {
  case cmBiquadraticPn:
    return {6, Quadratic, Quadratic, "six points, not all on one conic section"};
  case cmConicConformal:
    return {6, Affine, Affine, "six points, not all on one line"};
  case cmMillerCylindrical:
    return {3, LineInU, LineInU, "three points with different columns and longitudes"};
  default:
    return {3, Affine, Affine, "three points, not all on one line"};
  }
}

} // namespace

std::string UndeterminedReason(TCalibModel model, const TCalibData& cd) {
  const Need need = NeedOf(model);
  std::vector<std::pair<double, double>> pixels, positions;
  for (int i = 1; i <= cd.NumCalQuads; ++i) {
    const TCalQuad& q = cd.CalQuads[i];
    pixels.emplace_back(q.MapX, q.MapY);
    positions.emplace_back(q.Latitude, q.Longitude);
  }
  const bool enough = static_cast<int>(pixels.size()) >= need.Points;
  bool independent = enough && Independence(pixels, need.Pixels) > Dependent &&
                     Independence(positions, need.Positions) > Dependent;
  // Miller fits rows against latitudes as a second, separate line.
  if (independent && model == cmMillerCylindrical)
    independent =
        Independence(pixels, LineInV) > Dependent && Independence(positions, LineInV) > Dependent;
  if (independent) return {};
  return std::string("the points cannot determine the model: it needs ") + need.What + ", got " +
         std::to_string(pixels.size()) + (enough ? " that do not" : "");
}

int MinCalibPoints(TCalibModel Model) {
  return Model >= cmBiquadraticPn && Model <= cmUTM ? NeedOf(Model).Points : 0;
}

int ModelTermsPerCoordinate(TCalibModel Model) {
  switch (Model) {
  case cmBiquadraticPn:
    return 6;
  case cmMillerCylindrical:
    return 2;
  case cmConicConformal:
  case cmEquiRect:
  case cmUTM:
    return 3;
  default:
    return 0;
  }
}

} // namespace kartavo
