#include "kartavo/framework/detail/stretch_axis.h"

#include <algorithm>

namespace fw {

namespace {

using int128 = __int128;

int64_t FloorDiv(int128 a, int128 b) { // b > 0
  int128 q = a / b;
  if (a % b != 0 && a < 0) --q;
  return static_cast<int64_t>(q);
}

// Appends the weights of the source pixels covering [a, b) (units of 1/dw
// source pixel): cumulative coverage rounded to 1/256, so they sum to 256.
void AppendWeights(TStretchAxis& axis, int128 a, int128 b, int64_t dw) {
  int64_t s0 = FloorDiv(a, dw), s1 = FloorDiv(b - 1, dw); // inclusive
  int128 len = b - a;
  auto cumulative = [&](int128 t) { return static_cast<int>((512 * (t - a) + len) / (2 * len)); };
  axis.TapFirst.push_back(static_cast<int>(s0));
  int prev = 0;
  for (int64_t s = s0; s <= s1; ++s) {
    int128 t = std::min<int128>(int128{s + 1} * dw, b);
    int c = cumulative(t);
    axis.Weights.push_back(static_cast<uint16_t>(c - prev));
    prev = c;
  }
  axis.TapOffset.push_back(static_cast<uint32_t>(axis.Weights.size()));
  axis.SourceLo = std::min<int>(axis.SourceLo, static_cast<int>(s0));
  axis.SourceHi = std::max<int>(axis.SourceHi, static_cast<int>(s1) + 1);
}

} // namespace

TStretchAxis BuildStretchAxis(int destA, int destB, int srcA, int srcB, int srcSize, int clipLo,
                              int clipHi, bool halftone) {
  TStretchAxis axis;
  bool mirror = (destB < destA) != (srcB < srcA);
  int64_t dl = std::min(destA, destB), dr = std::max(destA, destB);
  int64_t sl = std::min(srcA, srcB), sr = std::max(srcA, srcB);
  int64_t dw = dr - dl, sw = sr - sl;
  if (dw == 0 || sw == 0 || srcSize <= 0) return axis;
  int64_t lo = std::max<int64_t>(dl, clipLo), hi = std::min<int64_t>(dr, clipHi);
  axis.SourceLo = srcSize;
  axis.SourceHi = 0;
  axis.TapOffset.push_back(0);
  const int128 limit = int128{srcSize} * dw;
  for (int64_t d = lo; d < hi; ++d) {
    int64_t i = d - dl;
    if (mirror) i = dw - 1 - i;
    int128 a = int128{sl} * dw + int128{i} * sw, b = a + sw;
    int128 centre2 = a + b;
    if (centre2 < 0 || centre2 >= 2 * limit) {
      if (axis.Count > 0) break; // the written pixels are contiguous
      continue;
    }
    if (axis.Count == 0) axis.First = static_cast<int>(d);
    ++axis.Count;
    auto s = static_cast<int>(FloorDiv(centre2, 2 * int128{dw}));
    axis.Nearest.push_back(s);
    if (halftone) {
      AppendWeights(axis, std::max<int128>(a, 0), std::min<int128>(b, limit), dw);
    } else {
      axis.SourceLo = std::min(axis.SourceLo, s);
      axis.SourceHi = std::max(axis.SourceHi, s + 1);
    }
  }
  if (axis.Count == 0) axis.SourceLo = axis.SourceHi = 0;
  return axis;
}

} // namespace fw
