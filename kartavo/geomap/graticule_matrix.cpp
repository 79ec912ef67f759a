// RecalcGratMat: one parabola per graticule line, fitted through its points.
#include "kartavo/companion/tessaro.h"
#include "kartavo/geomap/geo_conversion.h"

#include <cmath>

namespace kartavo {
namespace {

// The curve of one line: for a parallel y over x, for a meridian x over y.
// A line with three or more points gets its least-squares parabola. Lines
// with fewer points, or whose points do not determine a parabola (all in
// one column of a parallel, say), get the best curve of lower order their
// points allow: a straight line through two, a constant through one. They
// then stand in the nearest-line searches where their points are, instead of
// as a curve along the image's top row or left column.
void FitLineCurve(const TCalibLine& line, double& a0, double& a1, double& a2) {
  a0 = a1 = a2 = 0;
  const int n = LinePointCount(line);
  if (n == 0) return;
  tessaro::TCurveFit fit;
  fit.Init();
  double sum = 0;
  for (int i = 1; i <= n; ++i) {
    const quillon::TPoint& p = line.CalPoints[i];
    const double along = line.LineType == gtlParallel ? p.X : p.Y;
    const double across = line.LineType == gtlParallel ? p.Y : p.X;
    fit.EnterStatValue(along, across);
    sum += across;
  }
  double quality = 0;
  if (n >= 3 && fit.CalcParabolFit(a0, a1, a2, quality) && std::isfinite(a0) && std::isfinite(a1) &&
      std::isfinite(a2))
    return;
  a2 = 0;
  if (n >= 2 && fit.CalcLinFit(a1, a0, quality) && std::isfinite(a0) && std::isfinite(a1)) return;
  a1 = 0;
  a0 = sum / n;
}

} // namespace

bool RecalcGratMat(const TCalibData& cd, tessaro::TMatrix& g) {
  const int lines = CalLineCount(cd);
  g.Resize(5, lines);
  int parallels = 0, meridians = 0;
  for (int k = 1; k <= lines; ++k) {
    const TCalibLine& line = cd.CalLines[k];
    const bool parallel = line.LineType == gtlParallel;
    g.SetVal(1, k, parallel ? 1.0 : 0.0);
    g.SetVal(2, k, line.LineValue);
    if (LinePointCount(line) >= 3) (parallel ? parallels : meridians) += 1;
    double a0 = 0, a1 = 0, a2 = 0;
    FitLineCurve(line, a0, a1, a2);
    g.SetVal(3, k, a0);
    g.SetVal(4, k, a1);
    g.SetVal(5, k, a2);
  }
  if (parallels >= 2 && meridians >= 2) return true;
  g.Resize(5, 1);
  g.Fill(0.0);
  return false;
}

} // namespace kartavo
