#include "kartavo/companion/tessaro.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tessaro {

void TSLine::LineFrom2Points(double X1, double Y1, double X2, double Y2) {
  FX1 = X1;
  FY1 = Y1;
  FX2 = X2;
  FY2 = Y2;
}

// Liang-Barsky on the unbounded parameter range: the line is P1 + t·(P2 − P1)
// for every t, and each box edge narrows the range of t that lies inside.
bool TSLine::ClipBox(double XLo, double YLo, double XHi, double YHi, double& Xa, double& Ya,
                     double& Xb, double& Yb) const {
  for (double v : {XLo, YLo, XHi, YHi, FX1, FY1, FX2, FY2})
    if (!std::isfinite(v)) return false;
  if (XLo > XHi) std::swap(XLo, XHi);
  if (YLo > YHi) std::swap(YLo, YHi);
  const double dx = FX2 - FX1, dy = FY2 - FY1;
  if (dx == 0 && dy == 0) return false;
  double tLo = -std::numeric_limits<double>::infinity();
  double tHi = std::numeric_limits<double>::infinity();
  // Each edge as p·t <= q.
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {FX1 - XLo, XHi - FX1, FY1 - YLo, YHi - FY1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0)
      tLo = std::max(tLo, t);
    else
      tHi = std::min(tHi, t);
  }
  if (tLo > tHi) return false;
  // Rounding may put an end a hair outside the box; the ends are clamped onto it.
  Xa = std::clamp(FX1 + tLo * dx, XLo, XHi);
  Ya = std::clamp(FY1 + tLo * dy, YLo, YHi);
  Xb = std::clamp(FX1 + tHi * dx, XLo, XHi);
  Yb = std::clamp(FY1 + tHi * dy, YLo, YHi);
  return true;
}

} // namespace tessaro
