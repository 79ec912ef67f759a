// The graticule model cmParabolicIp: each graticule line is a parabola in
// map-image pixels, and a position is interpolated linearly between the two
// nearest lines of each kind.
#include "kartavo/geomap/detail/pixel_round.h"
#include "kartavo/geomap/geo_conversion.h"

#include <cmath>
#include <cstdint>

namespace kartavo {
namespace {

using tessaro::TMatrix;

constexpr int ColKind = 1, ColValue = 2, ColA0 = 3;
constexpr double KindMeridian = 0.0, KindParallel = 1.0;
constexpr double FarAway = 1e20;
constexpr int IterationSteps = 15;
constexpr double DivergedBeyond = 50000;
constexpr double IterationStartX = 500;

struct Parabola {
  double a0 = 0, a1 = 0, a2 = 0;
  double At(double t) const { return a0 + a1 * t + a2 * t * t; }
  double At(int t) const {
    const int64_t lt = t;
    return a0 + a1 * t + a2 * double(lt * lt);
  }
};

Parabola RowParabola(const TMatrix& g, int row) {
  return {g.GetVal(ColA0, row), g.GetVal(ColA0 + 1, row), g.GetVal(ColA0 + 2, row)};
}

// The nearest and the second nearest row by some distance: a row strictly
// nearer than the nearest takes its place and pushes it to second place.
struct NearestTwo {
  int nearest = 0, second = 0;
  double dNearest = FarAway, dSecond = FarAway;
  void Offer(int row, double d) {
    if (d < dNearest) {
      second = nearest;
      dSecond = dNearest;
      nearest = row;
      dNearest = d;
    } else if (d < dSecond) {
      second = row;
      dSecond = d;
    }
  }
  bool Found() const { return nearest > 0 && second > 0; }
};

bool GraticuleUsable(const TMatrix& g) {
  int meridians = 0, parallels = 0;
  for (int r = 1; r <= g.NrOfRows(); ++r) {
    const double kind = std::nearbyint(g.GetVal(ColKind, r));
    meridians += kind == KindMeridian;
    parallels += kind == KindParallel;
  }
  return meridians >= 2 && parallels >= 2;
}

// Interpolates the line value at a pixel between the two nearest curves of
// one kind. `along` is the pixel coordinate the curves are functions of,
// `across` the one they give.
template <typename T>
double InterpolateValue(const TMatrix& g, double kind, T along, T across, bool& valid) {
  valid = false;
  if (!GraticuleUsable(g)) return 0.0;
  NearestTwo pick;
  for (int r = 1; r <= g.NrOfRows(); ++r)
    if (g.GetVal(ColKind, r) == kind)
      pick.Offer(r, std::fabs(across - RowParabola(g, r).At(along)));
  if (!pick.Found()) return 0.0;
  const double cN = RowParabola(g, pick.nearest).At(along);
  const double cS = RowParabola(g, pick.second).At(along);
  const double vN = g.GetVal(ColValue, pick.nearest);
  const double vS = g.GetVal(ColValue, pick.second);
  // Where the two curves meet, the pixel lies on the nearest one.
  const double value = cN == cS ? vN : vS + (vN - vS) * (across - cS) / (cN - cS);
  valid = std::isfinite(value);
  return valid ? value : 0.0;
}

// The curve of one kind at a line value, each coefficient interpolated
// linearly between the two nearest lines.
bool CurveAt(const TMatrix& g, double kind, double value, Parabola& out) {
  NearestTwo pick;
  for (int r = 1; r <= g.NrOfRows(); ++r)
    if (g.GetVal(ColKind, r) == kind) pick.Offer(r, std::fabs(value - g.GetVal(ColValue, r)));
  if (!pick.Found()) return false;
  const Parabola pN = RowParabola(g, pick.nearest), pS = RowParabola(g, pick.second);
  const double vN = g.GetVal(ColValue, pick.nearest), vS = g.GetVal(ColValue, pick.second);
  // Two lines of one value: take the nearest as it stands.
  const double f = vN == vS ? 1.0 : (value - vS) / (vN - vS);
  out = {pS.a0 + (pN.a0 - pS.a0) * f, pS.a1 + (pN.a1 - pS.a1) * f, pS.a2 + (pN.a2 - pS.a2) * f};
  return true;
}

} // namespace

double GraticuleLatitude(const TMatrix& g, int x, int y, bool& valid) {
  return InterpolateValue(g, KindParallel, x, y, valid);
}

double GraticuleLongitude(const TMatrix& g, int x, int y, bool& valid) {
  return InterpolateValue(g, KindMeridian, y, x, valid);
}

double GraticuleLatitude(const TMatrix& g, double x, double y, bool& valid) {
  return InterpolateValue(g, KindParallel, x, y, valid);
}

double GraticuleLongitude(const TMatrix& g, double x, double y, bool& valid) {
  return InterpolateValue(g, KindMeridian, y, x, valid);
}

namespace {

// Intersects the parallel y = p(x) with the meridian x = m(y) by fixed-point
// iteration from (500, 0); there is no convergence test. False when there
// are no curves to intersect; x and y hold where the iteration stopped.
bool IterateGraticule(const TMatrix& g, double Lat, double Long, double& x, double& y,
                      bool& diverged) {
  diverged = false;
  if (g.NrOfRows() < 4) return false;
  Parabola parallel, meridian;
  if (!CurveAt(g, KindParallel, Lat, parallel) || !CurveAt(g, KindMeridian, Long, meridian))
    return false;
  x = IterationStartX;
  y = 0;
  for (int step = 0; step < IterationSteps && !diverged; ++step) {
    y = parallel.At(x);
    x = meridian.At(y);
    diverged = std::fabs(x) > DivergedBeyond && std::fabs(y) > DivergedBeyond;
  }
  return true;
}

} // namespace

bool GraticulePixel(const TMatrix& g, double Lat, double Long, int& x, int& y) {
  double fx = 0, fy = 0;
  bool diverged = false;
  if (!IterateGraticule(g, Lat, Long, fx, fy, diverged)) return false;
  const bool okX = RoundPixel(fx, x);
  const bool okY = RoundPixel(fy, y);
  return !diverged && okX && okY;
}

bool GraticulePixelOf(const TMatrix& g, double Lat, double Long, double& x, double& y) {
  bool diverged = false;
  return IterateGraticule(g, Lat, Long, x, y, diverged) && !diverged;
}

} // namespace kartavo
