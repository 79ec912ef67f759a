#include "kartavo/framework/detail/stretch_axis.h"

#include <algorithm>
#include <utility>

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

// An axis's destination range [dl, dl + dw) showing [sl, sl + sw) of
// srcSize source pixels, in units of 1/dw source pixel.
struct TAxisMap {
  int64_t dl = 0, dw = 0, sl = 0, sw = 0;
  bool mirror = false;
  int128 limit = 0; // the source's end
  TAxisMap(int destA, int destB, int srcA, int srcB, int srcSize)
      : dl(std::min(destA, destB)), dw(int64_t{std::max(destA, destB)} - dl),
        sl(std::min(srcA, srcB)), sw(int64_t{std::max(srcA, srcB)} - sl),
        mirror((destB < destA) != (srcB < srcA)), limit(int128{srcSize} * dw) {}
  bool Empty(int srcSize) const { return dw == 0 || sw == 0 || srcSize <= 0; }
  // The source interval [a, a + sw) destination pixel d covers.
  int128 Start(int64_t d) const {
    int64_t i = d - dl;
    if (mirror) i = dw - 1 - i;
    return int128{sl} * dw + int128{i} * sw;
  }
  // Twice the source position of d's centre lies inside the source.
  bool Inside(int64_t d) const {
    const int128 centre2 = 2 * Start(d) + sw;
    return centre2 >= 0 && centre2 < 2 * limit;
  }
};

// The first d in [lo, hi) with pred(d), pred being false up to some d and
// true from there; hi when there is none.
template <class Pred> int64_t FirstTrue(int64_t lo, int64_t hi, Pred pred) {
  while (lo < hi) {
    const int64_t mid = lo + (hi - lo) / 2;
    if (pred(mid))
      hi = mid;
    else
      lo = mid + 1;
  }
  return lo;
}

// The destination pixels in [clipLo, clipHi) whose centre maps inside the
// source: one range, as the centre moves steadily along the axis.
std::pair<int64_t, int64_t> InsideRange(const TAxisMap& m, int clipLo, int clipHi) {
  const int64_t lo = std::max<int64_t>(m.dl, clipLo), hi = std::min<int64_t>(m.dl + m.dw, clipHi);
  if (lo >= hi) return {0, 0};
  // Going along d the centre passes before the source, inside it, beyond it
  // (reversed when mirrored).
  auto before = [&](int64_t d) { return 2 * m.Start(d) + m.sw < 0; };
  auto beyond = [&](int64_t d) { return 2 * m.Start(d) + m.sw >= 2 * m.limit; };
  int64_t first, last;
  if (!m.mirror) {
    first = FirstTrue(lo, hi, [&](int64_t d) { return !before(d); });
    last = FirstTrue(first, hi, beyond);
  } else {
    first = FirstTrue(lo, hi, [&](int64_t d) { return !beyond(d); });
    last = FirstTrue(first, hi, before);
  }
  return {first, last};
}

} // namespace

TAxisSpan StretchAxisSpan(int destA, int destB, int srcA, int srcB, int srcSize, int clipLo,
                          int clipHi) {
  const TAxisMap m(destA, destB, srcA, srcB, srcSize);
  if (m.Empty(srcSize)) return {};
  const auto [first, last] = InsideRange(m, clipLo, clipHi);
  return {static_cast<int>(first), static_cast<int>(last - first)};
}

TStretchAxis BuildStretchAxis(int destA, int destB, int srcA, int srcB, int srcSize, int clipLo,
                              int clipHi, bool halftone) {
  TStretchAxis axis;
  const TAxisMap m(destA, destB, srcA, srcB, srcSize);
  if (m.Empty(srcSize)) return axis;
  const auto [first, last] = InsideRange(m, clipLo, clipHi);
  if (first >= last) return axis;
  axis.First = static_cast<int>(first);
  axis.Count = static_cast<int>(last - first);
  axis.SourceLo = srcSize;
  axis.SourceHi = 0;
  axis.TapOffset.push_back(0);
  axis.Nearest.reserve(static_cast<size_t>(axis.Count));
  for (int64_t d = first; d < last; ++d) {
    const int128 a = m.Start(d), b = a + m.sw;
    const auto s = static_cast<int>(FloorDiv(a + b, 2 * int128{m.dw}));
    axis.Nearest.push_back(s);
    if (halftone) {
      AppendWeights(axis, std::max<int128>(a, 0), std::min<int128>(b, m.limit), m.dw);
    } else {
      axis.SourceLo = std::min(axis.SourceLo, s);
      axis.SourceHi = std::max(axis.SourceHi, s + 1);
    }
  }
  return axis;
}

} // namespace fw
