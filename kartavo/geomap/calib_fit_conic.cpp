// The conic fit: a coarse-to-fine search for the apex of the cone. For a
// candidate apex the latitude is a straight line in the distance from the
// apex and the longitude a straight line in the bearing around it; the
// candidate with the smallest squared error wins.

// The distance and bearing pass over the points vectorises at this level
// (see also the file's options in the build).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("O3")
#endif
#include "kartavo/companion/tessaro.h"
#include "kartavo/geomap/calib_fits.h"
#include "kartavo/geomap/detail/bearing_angle.h"
#include "kartavo/geomap/detail/conic_apex.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <vector>

namespace kartavo {
namespace {

constexpr double StartError = 1e10;
constexpr int StartStep = 1000000;

// Centre of the points' box, the box starting as the inverted image. Points
// lie on their image, so that the box is theirs alone; without an image (a
// calibration loaded while its image is missing) it starts from the points
// themselves, which gives the same centre and so the same fit.
void PointsCentre(const TCalibData& cd, int width, int height, int& cx, int& cy) {
  const bool noImage = width < 1 || height < 1;
  int xmin = noImage ? INT_MAX : width, xmax = noImage ? INT_MIN : 0;
  int ymin = noImage ? INT_MAX : height, ymax = noImage ? INT_MIN : 0;
  for (int i = 1; i <= CalQuadCount(cd); ++i) {
    xmin = std::min(xmin, cd.CalQuads[i].MapX);
    xmax = std::max(xmax, cd.CalQuads[i].MapX);
    ymin = std::min(ymin, cd.CalQuads[i].MapY);
    ymax = std::max(ymax, cd.CalQuads[i].MapY);
  }
  // In 64 bits: the sum of two extreme coordinates does not fit 32.
  cx = static_cast<int>((int64_t{xmin} + xmax) / 2);
  cy = static_cast<int>((int64_t{ymin} + ymax) / 2);
}

} // namespace

namespace {

// The helpers of an evaluation are compiled into each of its copies below.
#if defined(__GNUC__)
#define KARTAVO_INLINE [[gnu::always_inline]] inline
#else
#define KARTAVO_INLINE inline
#endif

// K running sums over i < n, each formed in four interleaved parts so that
// the additions do not wait on each other (and vectorise); the order differs
// from a plain running sum only in rounding. terms(i) gives the K terms of i.
template <size_t K, class TTerms>
KARTAVO_INLINE std::array<double, K> Sums(size_t n, TTerms terms) {
  std::array<std::array<double, 4>, K> parts{};
  size_t i = 0;
  for (; i + 4 <= n; i += 4)
    for (size_t l = 0; l < 4; ++l) {
      const std::array<double, K> t = terms(i + l);
      for (size_t k = 0; k < K; ++k)
        parts[k][l] += t[k];
    }
  for (; i < n; ++i) {
    const std::array<double, K> t = terms(i);
    for (size_t k = 0; k < K; ++k)
      parts[k][0] += t[k];
  }
  std::array<double, K> total;
  for (size_t k = 0; k < K; ++k)
    total[k] = (parts[k][0] + parts[k][1]) + (parts[k][2] + parts[k][3]);
  return total;
}

// A least-squares line through n points whose coordinates sum to sumX and
// sumY, as the curve fit computes it: zero slope and intercept without two
// distinct x. Returns the sum of squared residuals.
KARTAVO_INLINE double LineFit(const double* x, const double* y, size_t n, double sumX, double sumY,
                              double& k, double& d) {
  k = d = 0;
  if (!std::all_of(x, x + n, [x](double v) { return v == x[0]; })) {
    const double mx = sumX / static_cast<double>(n), my = sumY / static_cast<double>(n);
    const auto moment = Sums<2>(n, [&](size_t i) {
      return std::array<double, 2>{(x[i] - mx) * (x[i] - mx), (x[i] - mx) * (y[i] - my)};
    });
    k = moment[1] / moment[0];
    d = my - k * mx;
  }
  return Sums<1>(n, [&](size_t i) {
    const double e = y[i] - x[i] * k - d;
    return std::array<double, 1>{e * e};
  })[0];
}

} // namespace

TConicApexEvaluator::TConicApexEvaluator(const TCalibData& cd)
    : FN(static_cast<size_t>(CalQuadCount(cd))) {
  for (int i = 1; i <= CalQuadCount(cd); ++i) {
    const TCalQuad& q = cd.CalQuads[i];
    FX.push_back(q.MapX);
    FY.push_back(q.MapY);
    FLat.push_back(q.Latitude);
    FLong.push_back(q.Longitude);
  }
  const auto sums = Sums<2>(FN, [&](size_t i) { return std::array<double, 2>{FLat[i], FLong[i]}; });
  FSumLat = sums[0];
  FSumLong = sums[1];
  FDist.resize(FN);
  FAngle.resize(FN);
  FBearing.resize(FN);
  FBearLong.resize(FN);
}

// Where the processor has 256-bit vectors, a second copy of the evaluation
// uses them.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
__attribute__((target_clones("avx2", "default")))
#endif
double
TConicApexEvaluator::Error(double ax, double ay, TConicParams& c) {
  c[1] = ax;
  c[2] = ay;
  const auto sums = Sums<3>(FN, [&](size_t i) {
    const double dx = FX[i] - ax, dy = FY[i] - ay;
    FDist[i] = std::sqrt(dx * dx + dy * dy);
    FAngle[i] = detail::BearingAngle(dx, dy);
    return std::array<double, 3>{FDist[i], FAngle[i], FY[i] == ay ? 1.0 : 0.0};
  });
  const double sqLat = LineFit(FDist.data(), FLat.data(), FN, sums[0], FSumLat, c[3], c[4]);
  // Points on the apex row have no bearing: they stay out of the fit but
  // count in the divisor of the error.
  const double* bearing = FAngle.data();
  const double* longitude = FLong.data();
  size_t nb = FN;
  double sumBearing = sums[1], sumLong = FSumLong;
  if (sums[2] > 0) {
    nb = 0;
    for (size_t i = 0; i < FN; ++i) {
      if (FY[i] == ay) continue;
      FBearing[nb] = FAngle[i];
      FBearLong[nb] = FLong[i];
      ++nb;
    }
    const auto off = Sums<2>(nb, [&](size_t i) {
      return std::array<double, 2>{FBearing[i], FBearLong[i]};
    });
    bearing = FBearing.data();
    longitude = FBearLong.data();
    sumBearing = off[0];
    sumLong = off[1];
  }
  const double sqLong = LineFit(bearing, longitude, nb, sumBearing, sumLong, c[5], c[6]);
  const double errLat = std::sqrt(sqLat / static_cast<double>(FN));
  const double errLong = std::sqrt(sqLong / static_cast<double>(FN));
  return errLat * errLat + errLong * errLong;
}

double ConicApexError(const TCalibData& cd, double ApexX, double ApexY, TConicParams& c) {
  const int n = CalQuadCount(cd);
  c[1] = ApexX;
  c[2] = ApexY;
  tessaro::TCurveFit fit;
  double quality = 0;
  fit.Init();
  for (int i = 1; i <= n; ++i) {
    const TCalQuad& q = cd.CalQuads[i];
    const double dx = q.MapX - ApexX, dy = q.MapY - ApexY;
    fit.EnterStatValue(std::sqrt(dx * dx + dy * dy), q.Latitude);
  }
  fit.CalcLinFit(c[3], c[4], quality);
  double sumLat = 0;
  for (int i = 1; i <= n; ++i) {
    const TCalQuad& q = cd.CalQuads[i];
    const double dx = q.MapX - ApexX, dy = q.MapY - ApexY;
    const double e = q.Latitude - std::sqrt(dx * dx + dy * dy) * c[3] - c[4];
    sumLat += e * e;
  }
  fit.Init();
  for (int i = 1; i <= n; ++i) {
    const TCalQuad& q = cd.CalQuads[i];
    if (q.MapY != ApexY)
      fit.EnterStatValue(std::atan((q.MapX - ApexX) / (q.MapY - ApexY)), q.Longitude);
  }
  fit.CalcLinFit(c[5], c[6], quality);
  double sumLong = 0;
  for (int i = 1; i <= n; ++i) {
    const TCalQuad& q = cd.CalQuads[i];
    if (q.MapY == ApexY) continue;
    const double e = q.Longitude - std::atan((q.MapX - ApexX) / (q.MapY - ApexY)) * c[5] - c[6];
    sumLong += e * e;
  }
  const double errLat = std::sqrt(sumLat / n);
  const double errLong = std::sqrt(sumLong / n);
  return errLat * errLat + errLong * errLong;
}

namespace {

// One evaluated candidate of the search.
struct TCandidate {
  double X = 0, Y = 0, Error = 0;
  TConicParams Params{};
};

using TPass = std::array<TCandidate, 25>;

const TCandidate* FindCandidate(const TPass& pass, size_t n, double x, double y) {
  for (size_t i = 0; i < n; ++i)
    if (pass[i].X == x && pass[i].Y == y) return &pass[i];
  return nullptr;
}

// The coarse-to-fine search. Evaluate(x, y, params) gives a candidate's
// error. With reuse, a candidate at exactly the place of one of the previous
// pass takes that one's result instead of being evaluated again.
template <class TEvaluate>
void SearchApex(const TCalibData& cd, int ImgWidth, int ImgHeight, TModelParams& pars,
                TEvaluate evaluate, bool reuse) {
  int cx = 0, cy = 0;
  PointsCentre(cd, ImgWidth, ImgHeight, cx, cy);
  double bestError = StartError;
  bool found = false;
  TConicParams best{};
  TPass previous, current;
  size_t nPrevious = 0;
  for (int step = StartStep; step > 0; step /= 2) {
    size_t nCurrent = 0;
    for (int u = -2; u <= 2; ++u) {
      for (int v = -2; v <= 2; ++v) {
        // After the first pass the centre is the best so far (or the start,
        // already evaluated): evaluating it again cannot beat itself.
        if (u == 0 && v == 0 && step < StartStep) continue;
        TCandidate& c = current[nCurrent++];
        c.X = double(cx) + double(u) * step;
        c.Y = double(cy) + double(v) * step;
        const TCandidate* seen = reuse ? FindCandidate(previous, nPrevious, c.X, c.Y) : nullptr;
        if (seen)
          c = *seen;
        else
          c.Error = evaluate(c.X, c.Y, c.Params);
        if (c.Error < bestError) {
          bestError = c.Error;
          best = c.Params;
          found = true;
        }
      }
    }
    std::swap(previous, current);
    nPrevious = nCurrent;
    if (found) {
      cx = static_cast<int>(std::nearbyint(best[1]));
      cy = static_cast<int>(std::nearbyint(best[2]));
    }
  }
  if (!found) return;
  for (double p : best)
    if (!std::isfinite(p)) return;
  pars.ConicPars = best;
}

} // namespace

void CalcConicCalibration(const TCalibData& cd, int ImgWidth, int ImgHeight, TModelParams& pars) {
  if (CalQuadCount(cd) < 3) return;
  TConicApexEvaluator eval(cd);
  SearchApex(
      cd, ImgWidth, ImgHeight, pars,
      [&eval](double x, double y, TConicParams& c) { return eval.Error(x, y, c); }, true);
}

void CalcConicCalibrationPlain(const TCalibData& cd, int ImgWidth, int ImgHeight,
                               TModelParams& pars) {
  if (CalQuadCount(cd) < 3) return;
  SearchApex(
      cd, ImgWidth, ImgHeight, pars,
      [&cd](double x, double y, TConicParams& c) { return ConicApexError(cd, x, y, c); }, false);
}

} // namespace kartavo
