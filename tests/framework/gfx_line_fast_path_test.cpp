// Lines whose ends both lie inside the clip skip the search for where the
// clip cuts them; checked against the closed form of every step on many
// random lines, and against the same line drawn with a clip that cuts it.
#include "kartavo/framework/detail/line_raster.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>
#include <vector>

namespace fw {
namespace {

using Pixels = std::vector<std::tuple<int, int, int64_t>>;

Pixels Drawn(TPoint a, TPoint b, const TRect& clip) {
  Pixels p;
  RasterizeThinLine(a, b, clip, [&](int x, int y, int64_t i) { p.emplace_back(x, y, i); });
  return p;
}

// Step i of A->B in closed form.
std::tuple<int, int, int64_t> Step(TPoint a, TPoint b, int64_t i) {
  const int64_t dx = int64_t{b.X} - a.X, dy = int64_t{b.Y} - a.Y;
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const int64_t n = xMajor ? std::abs(dx) : std::abs(dy);
  const int s = (xMajor ? dx : dy) > 0 ? 1 : -1;
  const int64_t minor = line_detail::MinorAt(i, xMajor ? dy : dx, n);
  return xMajor ? std::tuple(int(a.X + s * i), int(a.Y + minor), i)
                : std::tuple(int(a.X + minor), int(a.Y + s * i), i);
}

TEST(LineFastPath, LinesInsideTheClipFollowTheClosedForm) {
  std::mt19937 rng(11);
  const TRect clip = Rect(0, 0, 200, 120);
  for (int k = 0; k < 20000; ++k) {
    const int len = k % 4 == 0 ? 200 : 20; // long lines and symbol-sized ones
    const TPoint a = Point(int(rng() % 200), int(rng() % 120));
    const TPoint b = Point(std::clamp(a.X + int(rng() % (2 * len + 1)) - len, 0, 199),
                           std::clamp(a.Y + int(rng() % (2 * len + 1)) - len, 0, 119));
    const Pixels p = Drawn(a, b, clip);
    ASSERT_EQ(int64_t(p.size()), std::max(std::abs(b.X - a.X), std::abs(b.Y - a.Y)));
    for (size_t i = 0; i < p.size(); ++i)
      ASSERT_EQ(p[i], Step(a, b, int64_t(i))) << a.X << "," << a.Y << " -> " << b.X << "," << b.Y;
    // A clip one pixel larger on every side takes the searching path when
    // an end touches the inner clip's edge; a clip that leaves the ends
    // outside must give the same inner pixels.
    const Pixels cut = Drawn(a, b, Rect(a.X == b.X ? 0 : std::min(a.X, b.X) + 1, 0, 200, 120));
    for (const auto& px : cut)
      ASSERT_EQ(px, p[size_t(std::get<2>(px))]);
  }
}

} // namespace
} // namespace fw
