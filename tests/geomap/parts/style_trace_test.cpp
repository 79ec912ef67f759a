#include "kartavo/geomap/render/map_style.h"
#include "kartavo/geomap/render/mouse_trace.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kartavo {
namespace {

TEST(MapStyle, SpacingsAreClampedToTheirRanges) {
  TMapStyle style;
  const std::pair<double, double> grat[] = {{-5, 0}, {75, 60}, {std::nan(""), 0}, {2.5, 2.5}};
  for (auto [in, out] : grat) {
    style.SetGratLineDist(in);
    EXPECT_EQ(style.GratLineDist(), out) << in;
  }
  const std::pair<int, int> utm[] = {{-1, 0}, {20000000, 10000000}, {1000, 1000}};
  for (auto [in, out] : utm) {
    style.SetUTMGridDist(in);
    EXPECT_EQ(style.UTMGridDist(), out) << in;
  }
}

TEST(MapStyle, FrameColoursTakePartInEquality) {
  TMapStyle a, b;
  EXPECT_EQ(a.FrameColors(), (TFrameColors{0x000000, 0x808080, 0xFFFFFF}));
  b.SetFrameColors({0x000000, 0x808081, 0xFFFFFF});
  EXPECT_NE(a, b);
}

TEST(MouseTrace, HoldsAtMostItsCapacityAndNeverGrows) {
  TMouseTrace trace;
  for (int i = 0; i < TMouseTrace::Capacity; ++i)
    ASSERT_TRUE(trace.Add({double(i), 1, 0, 0xFF}));
  const auto* storage = trace.Points().data();
  EXPECT_FALSE(trace.Add({1, 1, 0, 0}));
  EXPECT_EQ(trace.Count(), 5000);
  EXPECT_EQ(trace.Points().data(), storage);
  EXPECT_EQ(trace.Points().back().X, 4999.0);
  trace.Clear();
  EXPECT_EQ(trace.Count(), 0);
  EXPECT_TRUE(trace.Add({1, 1, 0, 0}));
}

} // namespace
} // namespace kartavo
