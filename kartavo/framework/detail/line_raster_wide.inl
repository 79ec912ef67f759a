// Wide-line rasterisation, included from line_raster.h.
#pragma once

#include <cmath>

namespace fw {

namespace line_detail {

// Interval of x where the row at height py meets the capsule around
// segment (ax, ay)-(bx, by) of radius r; false when it does not.
inline bool CapsuleRow(double ax, double ay, double bx, double by, double r, double py, double& lo,
                       double& hi) {
  lo = INFINITY;
  hi = -INFINITY;
  auto disc = [&](double cx, double cy) {
    double h = r * r - (py - cy) * (py - cy);
    if (h <= 0) return;
    double w = std::sqrt(h);
    lo = std::min(lo, cx - w);
    hi = std::max(hi, cx + w);
  };
  disc(ax, ay);
  disc(bx, by);
  double ux = bx - ax, uy = by - ay, len = std::hypot(ux, uy);
  if (len > 0 && uy != 0) {
    ux /= len;
    uy /= len;
    // Strip: |(x-ax)*uy - (py-ay)*ux| < r; projection 0 <= (x-ax)*ux + (py-ay)*uy <= len.
    double c = (py - ay) * ux;
    double s0 = (c - r) / uy + ax, s1 = (c + r) / uy + ax;
    double sLo = std::min(s0, s1), sHi = std::max(s0, s1);
    double pLo = -INFINITY, pHi = INFINITY;
    if (ux != 0) {
      double q0 = (0 - (py - ay) * uy) / ux + ax, q1 = (len - (py - ay) * uy) / ux + ax;
      pLo = std::min(q0, q1);
      pHi = std::max(q0, q1);
    } else if ((py - ay) * uy < 0 || (py - ay) * uy > len) {
      pLo = INFINITY;
    }
    double l = std::max(sLo, pLo), h = std::min(sHi, pHi);
    if (l < h) {
      lo = std::min(lo, l);
      hi = std::max(hi, h);
    }
  } else if (len > 0 && std::abs(py - ay) < r) { // horizontal segment
    lo = std::min(lo, std::min(ax, bx));
    hi = std::max(hi, std::max(ax, bx));
  }
  return lo < hi;
}

} // namespace line_detail

template <class Span>
void RasterizeWideLine(TPoint a, TPoint b, int width, const TRect& clip, Span span) {
  double shift = (width % 2 == 0) ? -0.5 : 0.0;
  double r = width / 2.0;
  double ax = a.X + shift, ay = a.Y + shift, bx = b.X + shift, by = b.Y + shift;
  double top = std::max<double>(clip.Top, std::floor(std::min(ay, by) - r));
  double bottom = std::min<double>(clip.Bottom, std::ceil(std::max(ay, by) + r) + 1);
  for (int y = static_cast<int>(top); y < bottom; ++y) {
    double lo, hi;
    if (!line_detail::CapsuleRow(ax, ay, bx, by, r, y, lo, hi)) continue;
    // Pixels strictly inside: x > lo and x < hi.
    double x0 = std::floor(lo) + 1, x1 = std::ceil(hi);
    x0 = std::max<double>(x0, clip.Left);
    x1 = std::min<double>(x1, clip.Right);
    if (x0 < x1) span(y, static_cast<int64_t>(x0), static_cast<int64_t>(x1));
  }
}

} // namespace fw
