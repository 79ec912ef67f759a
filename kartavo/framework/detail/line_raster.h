// Rasterisation of thin lines and of wide lines.
//
// A thin line from A to B covers A and not B. Along its major axis (the
// longer of |dx| and |dy|) it takes one pixel per step; the minor
// coordinate is the ideal line's value rounded to nearest, an exact half
// going to the smaller coordinate, so the inner pixels of A->B and B->A are
// the same. Pixels are computed in closed form, so a line with end points
// far outside the clip rectangle (+-1e9) costs only its visible steps and
// nothing overflows.
#pragma once

#include "kartavo/framework/geometry.h"

#include <algorithm>
#include <cstdint>

namespace fw {

namespace line_detail {

using int128 = __int128;

inline int64_t CeilDiv(int128 num, int64_t den) { // den > 0
  int128 q = num / den;
  if (num % den != 0 && num > 0) ++q;
  return static_cast<int64_t>(q);
}

// Minor offset at major step i: ceil((2*i*d - n) / (2*n)).
inline int64_t MinorAt(int64_t i, int64_t d, int64_t n) {
  return CeilDiv(int128{2} * i * d - n, 2 * n);
}

// First i in [lo, hi) for which pred(i) holds, pred monotone false..true; hi when none.
template <class Pred> int64_t FirstTrue(int64_t lo, int64_t hi, Pred pred) {
  while (lo < hi) {
    int64_t mid = lo + (hi - lo) / 2;
    if (pred(mid))
      hi = mid;
    else
      lo = mid + 1;
  }
  return lo;
}

// Range of steps [first, last) whose major coordinate m0 + s*i lies in [lo, hi).
inline void MajorRange(int64_t m0, int s, int64_t n, int64_t lo, int64_t hi, int64_t& first,
                       int64_t& last) {
  if (s > 0) {
    first = lo - m0;
    last = hi - m0;
  } else {
    first = m0 - hi + 1;
    last = m0 - lo + 1;
  }
  first = std::max<int64_t>(first, 0);
  last = std::min<int64_t>(last, n);
}

// Narrows the steps [first, last) to those inside the clip; false when none is.
inline bool ClipSteps(int64_t m0, int64_t k0, int s, int64_t d, int64_t n, int64_t mLo, int64_t mHi,
                      int64_t kLo, int64_t kHi, int64_t& first, int64_t& last) {
  MajorRange(m0, s, n, mLo, mHi, first, last);
  if (first >= last) return false;
  // The minor coordinate is monotone in the step: narrow the range to the clip.
  if (d >= 0) {
    first = FirstTrue(first, last, [&](int64_t i) { return k0 + MinorAt(i, d, n) >= kLo; });
    last = FirstTrue(first, last, [&](int64_t i) { return k0 + MinorAt(i, d, n) >= kHi; });
  } else {
    first = FirstTrue(first, last, [&](int64_t i) { return k0 + MinorAt(i, d, n) < kHi; });
    last = FirstTrue(first, last, [&](int64_t i) { return k0 + MinorAt(i, d, n) < kLo; });
  }
  return first < last;
}

} // namespace line_detail

// Calls plot(x, y, step) for each pixel of the thin line A->B inside clip,
// step counting from A (0) for dash patterns. Returns the number of steps of
// the whole line (its length in pixels).
template <class Plot> int64_t RasterizeThinLine(TPoint a, TPoint b, const TRect& clip, Plot plot) {
  using namespace line_detail;
  int64_t dx = int64_t{b.X} - a.X, dy = int64_t{b.Y} - a.Y;
  bool xMajor = std::abs(dx) >= std::abs(dy);
  int64_t n = xMajor ? std::abs(dx) : std::abs(dy); // steps
  if (n == 0) return 0;
  int64_t m0 = xMajor ? a.X : a.Y, k0 = xMajor ? a.Y : a.X;
  int64_t d = xMajor ? dy : dx; // signed minor delta
  int s = (xMajor ? dx : dy) > 0 ? 1 : -1;
  int64_t mLo = xMajor ? clip.Left : clip.Top, mHi = xMajor ? clip.Right : clip.Bottom;
  int64_t kLo = xMajor ? clip.Top : clip.Left, kHi = xMajor ? clip.Bottom : clip.Right;
  int64_t first = 0, last = n;
  // Every pixel lies in the box of A and B: with both inside the clip the
  // whole line is drawn, without searching where the clip cuts it.
  const bool inside = a.X >= clip.Left && a.X < clip.Right && a.Y >= clip.Top &&
                      a.Y < clip.Bottom && b.X >= clip.Left && b.X < clip.Right &&
                      b.Y >= clip.Top && b.Y < clip.Bottom;
  if (!inside && !ClipSteps(m0, k0, s, d, n, mLo, mHi, kLo, kHi, first, last)) return n;
  // Incremental walk: num = 2*i*d - n, minor = ceil(num / den), rem = num - minor*den in (-den, 0].
  const int64_t den = 2 * n;
  // At step 0 the minor offset is 0 and the remainder -n.
  int64_t minor = first == 0 ? 0 : MinorAt(first, d, n);
  int64_t rem =
      first == 0 ? -n : static_cast<int64_t>(int128{2} * first * d - n - int128{minor} * den);
  for (int64_t i = first; i < last; ++i) {
    int64_t m = m0 + s * i, k = k0 + minor;
    if (xMajor)
      plot(static_cast<int>(m), static_cast<int>(k), i);
    else
      plot(static_cast<int>(k), static_cast<int>(m), i);
    rem += 2 * d;
    if (rem > 0) {
      ++minor;
      rem -= den;
    } else if (rem <= -den) {
      --minor;
      rem += den;
    }
  }
  return n;
}

// Calls span(y, x0, x1) for the pixels [x0, x1) of each row of a line of the
// given width (> 1) from A to B with round ends: the pixels whose centres lie
// closer than width/2 to the segment. For even widths the segment moves half
// a pixel up and left, so a horizontal line of width w covers exactly w rows.
template <class Span>
void RasterizeWideLine(TPoint a, TPoint b, int width, const TRect& clip, Span span);

} // namespace fw

#include "kartavo/framework/detail/line_raster_wide.inl"
