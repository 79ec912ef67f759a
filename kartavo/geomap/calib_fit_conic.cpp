// The conic fit: a coarse-to-fine search for the apex of the cone. For a
// candidate apex the latitude is a straight line in the distance from the
// apex and the longitude a straight line in the bearing around it; the
// candidate with the smallest squared error wins.
#include "kartavo/companion/tessaro.h"
#include "kartavo/geomap/calib_fits.h"
#include "kartavo/geomap/conic_apex.h"

#include <algorithm>
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

TConicApexEvaluator::TConicApexEvaluator(const TCalibData& cd)
    : FN(static_cast<size_t>(CalQuadCount(cd))) {
  for (int i = 1; i <= CalQuadCount(cd); ++i) {
    const TCalQuad& q = cd.CalQuads[i];
    FX.push_back(q.MapX);
    FY.push_back(q.MapY);
    FLat.push_back(q.Latitude);
    FLong.push_back(q.Longitude);
  }
  FDist.resize(FN);
  FBearing.resize(FN);
  FBearLong.resize(FN);
}

void TConicApexEvaluator::LineFit(const std::vector<double>& x, const std::vector<double>& y,
                                  size_t n, double sumX, double sumY, bool distinct, double& k,
                                  double& d) {
  k = d = 0;
  if (!distinct) return;
  const double mx = sumX / static_cast<double>(n), my = sumY / static_cast<double>(n);
  double sxx = 0, sxy = 0;
  for (size_t i = 0; i < n; ++i) {
    sxx += (x[i] - mx) * (x[i] - mx);
    sxy += (x[i] - mx) * (y[i] - my);
  }
  k = sxy / sxx;
  d = my - k * mx;
}

double TConicApexEvaluator::Error(double ax, double ay, TConicParams& c) {
  c[1] = ax;
  c[2] = ay;
  double sumDist = 0, sumLat = 0, sumBear = 0, sumLong = 0;
  bool distDistinct = false, bearDistinct = false;
  size_t nb = 0;
  for (size_t i = 0; i < FN; ++i) {
    const double dx = FX[i] - ax, dy = FY[i] - ay;
    const double dist = std::sqrt(dx * dx + dy * dy);
    FDist[i] = dist;
    sumDist += dist;
    sumLat += FLat[i];
    distDistinct = distDistinct || (i > 0 && dist != FDist[0]);
    // Points on the apex row have no bearing: they stay out of the fit but
    // count in the divisor of the error.
    if (FY[i] == ay) continue;
    const double bearing = std::atan(dx / dy);
    FBearing[nb] = bearing;
    FBearLong[nb] = FLong[i];
    sumBear += bearing;
    sumLong += FLong[i];
    bearDistinct = bearDistinct || (nb > 0 && bearing != FBearing[0]);
    ++nb;
  }
  LineFit(FDist, FLat, FN, sumDist, sumLat, distDistinct, c[3], c[4]);
  LineFit(FBearing, FBearLong, nb, sumBear, sumLong, bearDistinct, c[5], c[6]);
  double sqLat = 0, sqLong = 0;
  for (size_t i = 0; i < FN; ++i) {
    const double e = FLat[i] - FDist[i] * c[3] - c[4];
    sqLat += e * e;
  }
  for (size_t i = 0; i < nb; ++i) {
    const double e = FBearLong[i] - FBearing[i] * c[5] - c[6];
    sqLong += e * e;
  }
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

void CalcConicCalibration(const TCalibData& cd, int ImgWidth, int ImgHeight, TModelParams& pars) {
  if (CalQuadCount(cd) < 3) return;
  TConicApexEvaluator eval(cd);
  int cx = 0, cy = 0;
  PointsCentre(cd, ImgWidth, ImgHeight, cx, cy);
  double bestError = StartError;
  bool found = false;
  TConicParams best{};
  TConicParams trial{};
  for (int step = StartStep; step > 0; step /= 2) {
    for (int u = -2; u <= 2; ++u) {
      for (int v = -2; v <= 2; ++v) {
        // After the first pass the centre is the best so far (or the start,
        // already evaluated): evaluating it again cannot beat itself.
        if (u == 0 && v == 0 && step < StartStep) continue;
        const double err =
            eval.Error(double(cx) + double(u) * step, double(cy) + double(v) * step, trial);
        if (err < bestError) {
          bestError = err;
          best = trial;
          found = true;
        }
      }
    }
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

} // namespace kartavo
