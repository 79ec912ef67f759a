#include "kartavo/framework/detail/polygon_raster.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace fw {

namespace {

using int128 = __int128;

int64_t CeilDiv(int128 num, int128 den) { // den > 0
  int128 q = num / den;
  if (num % den != 0 && num > 0) ++q;
  return static_cast<int64_t>(q);
}

struct Edge {
  int64_t x0, y0, x1, y1; // y0 < y1
};

} // namespace

void FillPolygonSpans(std::span<const TPoint> points, const TRect& clip, const TSpanSink& span) {
  if (points.size() < 3) return;
  std::vector<Edge> edges;
  int64_t yMin = INT64_MAX, yMax = INT64_MIN;
  for (size_t i = 0; i < points.size(); ++i) {
    const TPoint& p = points[i];
    const TPoint& q = points[(i + 1) % points.size()];
    if (p.Y == q.Y) continue;
    Edge e = p.Y < q.Y ? Edge{p.X, p.Y, q.X, q.Y} : Edge{q.X, q.Y, p.X, p.Y};
    edges.push_back(e);
    yMin = std::min(yMin, e.y0);
    yMax = std::max(yMax, e.y1);
  }
  if (edges.empty()) return;
  int64_t top = std::max<int64_t>(yMin, clip.Top), bottom = std::min<int64_t>(yMax, clip.Bottom);
  std::vector<int64_t> xs;
  for (int64_t y = top; y < bottom; ++y) {
    xs.clear();
    for (const Edge& e : edges) {
      if (y < e.y0 || y >= e.y1) continue;
      // First integer x at or right of the crossing.
      xs.push_back(e.x0 + CeilDiv(int128{y - e.y0} * (e.x1 - e.x0), e.y1 - e.y0));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t i = 0; i + 1 < xs.size(); i += 2) {
      int64_t a = std::max<int64_t>(xs[i], clip.Left), b = std::min<int64_t>(xs[i + 1], clip.Right);
      if (a < b) span(static_cast<int>(y), a, b);
    }
  }
}

namespace {

// Interval [lo, hi) of pixel columns of row y inside the ellipse centred at
// (cx, cy) with half-axes rx, ry; empty when lo >= hi.
void EllipseRow(double cx, double cy, double rx, double ry, int64_t y, int64_t& lo, int64_t& hi) {
  lo = hi = 0;
  if (rx <= 0 || ry <= 0) return;
  double t = (y + 0.5 - cy) / ry;
  double h = 1 - t * t;
  if (h <= 0) return;
  double w = rx * std::sqrt(h);
  // Centres x + 0.5 strictly inside (cx - w, cx + w).
  lo = static_cast<int64_t>(std::floor(cx - w - 0.5)) + 1;
  hi = static_cast<int64_t>(std::ceil(cx + w - 0.5));
}

struct EllipseShape {
  double cx, cy, rx, ry;
  void Row(int64_t y, int64_t& lo, int64_t& hi) const { EllipseRow(cx, cy, rx, ry, y, lo, hi); }
};

EllipseShape ShapeOf(const TRect& box, double grow) {
  double l = std::min(box.Left, box.Right), r = std::max(box.Left, box.Right);
  double t = std::min(box.Top, box.Bottom), b = std::max(box.Top, box.Bottom);
  return {(l + r) / 2, (t + b) / 2, (r - l) / 2 + grow, (b - t) / 2 + grow};
}

void EmitClipped(const TSpanSink& sink, const TRect& clip, int64_t y, int64_t a, int64_t b) {
  a = std::max<int64_t>(a, clip.Left);
  b = std::min<int64_t>(b, clip.Right);
  if (a < b) sink(static_cast<int>(y), a, b);
}

// Rows of shape clipped vertically to clip and to the shape's extent.
void RowRange(const EllipseShape& s, const TRect& clip, int64_t& top, int64_t& bottom) {
  top = std::max<int64_t>(clip.Top, static_cast<int64_t>(std::floor(s.cy - s.ry)) - 1);
  bottom = std::min<int64_t>(clip.Bottom, static_cast<int64_t>(std::ceil(s.cy + s.ry)) + 1);
}

} // namespace

void EllipseSpans(const TRect& box, const TRect& clip, const TSpanSink& outline,
                  const TSpanSink* interior) {
  EllipseShape s = ShapeOf(box, 0);
  int64_t top, bottom;
  RowRange(s, clip, top, bottom);
  for (int64_t y = top; y < bottom; ++y) {
    int64_t lo, hi;
    s.Row(y, lo, hi);
    if (lo >= hi) continue;
    if (!interior) {
      EmitClipped(outline, clip, y, lo, hi);
      continue;
    }
    int64_t ulo, uhi, dlo, dhi;
    s.Row(y - 1, ulo, uhi);
    s.Row(y + 1, dlo, dhi);
    // Interior: inside this row, and above and below, and not at the row's ends.
    int64_t ilo = std::max({lo + 1, ulo, dlo}), ihi = std::min({hi - 1, uhi, dhi});
    if (ulo >= uhi || dlo >= dhi || ilo >= ihi) {
      EmitClipped(outline, clip, y, lo, hi);
      continue;
    }
    EmitClipped(outline, clip, y, lo, ilo);
    EmitClipped(*interior, clip, y, ilo, ihi);
    EmitClipped(outline, clip, y, ihi, hi);
  }
}

void WideEllipseSpans(const TRect& box, int width, const TRect& clip, const TSpanSink& ring,
                      const TSpanSink* interior) {
  EllipseShape outer = ShapeOf(box, (width - 1) / 2.0);
  EllipseShape inner = ShapeOf(box, -(width + 1) / 2.0);
  int64_t top, bottom;
  RowRange(outer, clip, top, bottom);
  for (int64_t y = top; y < bottom; ++y) {
    int64_t lo, hi, ilo, ihi;
    outer.Row(y, lo, hi);
    if (lo >= hi) continue;
    inner.Row(y, ilo, ihi);
    if (ilo >= ihi) {
      EmitClipped(ring, clip, y, lo, hi);
      continue;
    }
    EmitClipped(ring, clip, y, lo, ilo);
    if (interior) EmitClipped(*interior, clip, y, ilo, ihi);
    EmitClipped(ring, clip, y, ihi, hi);
  }
}

} // namespace fw
