// Line clipping and great-circle distances.
#include "kartavo/companion/tessaro.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct Clip {
  bool Hit;
  double Xa, Ya, Xb, Yb;
};

Clip ClipLine(double x1, double y1, double x2, double y2, double xlo, double ylo, double xhi,
              double yhi) {
  tessaro::TSLine line;
  line.LineFrom2Points(x1, y1, x2, y2);
  Clip c{false, 0, 0, 0, 0};
  c.Hit = line.ClipBox(xlo, ylo, xhi, yhi, c.Xa, c.Ya, c.Xb, c.Yb);
  return c;
}

TEST(ClipBox, TheInfiniteLineIsCutAtTheBoxEdges) {
  // Both points inside: the line still runs to the edges.
  auto c = ClipLine(2, 2, 3, 3, 0, 0, 10, 10);
  ASSERT_TRUE(c.Hit);
  EXPECT_DOUBLE_EQ(c.Xa, 0);
  EXPECT_DOUBLE_EQ(c.Ya, 0);
  EXPECT_DOUBLE_EQ(c.Xb, 10);
  EXPECT_DOUBLE_EQ(c.Yb, 10);
  // Both points outside on the same side: the line crosses anyway.
  c = ClipLine(-20, 5, -10, 5, 0, 0, 10, 10);
  ASSERT_TRUE(c.Hit);
  EXPECT_DOUBLE_EQ(c.Xa, 0);
  EXPECT_DOUBLE_EQ(c.Xb, 10);
  EXPECT_DOUBLE_EQ(c.Ya, 5);
  // Slanted: y = x/2 + 4 crosses x = 0 at y = 4 and y = 10 at x = 12 > 10.
  c = ClipLine(0, 4, 2, 5, 0, 0, 10, 10);
  ASSERT_TRUE(c.Hit);
  EXPECT_DOUBLE_EQ(c.Xa, 0);
  EXPECT_DOUBLE_EQ(c.Ya, 4);
  EXPECT_DOUBLE_EQ(c.Xb, 10);
  EXPECT_DOUBLE_EQ(c.Yb, 9);
}

TEST(ClipBox, EndsFollowTheDirectionFromFirstToSecondPoint) {
  auto c = ClipLine(5, 8, 5, 2, 0, 0, 10, 10);
  ASSERT_TRUE(c.Hit);
  EXPECT_DOUBLE_EQ(c.Ya, 10);
  EXPECT_DOUBLE_EQ(c.Yb, 0);
}

TEST(ClipBox, MissesTouchesAndDegenerateLines) {
  EXPECT_FALSE(ClipLine(0, 20, 1, 21, 0, 0, 10, 10).Hit);
  EXPECT_FALSE(ClipLine(-1, 11, 1, 11, 0, 0, 10, 10).Hit);
  EXPECT_FALSE(ClipLine(3, 3, 3, 3, 0, 0, 10, 10).Hit);
  EXPECT_FALSE(ClipLine(0, std::nan(""), 1, 1, 0, 0, 10, 10).Hit);
  // On the edge of the closed box.
  auto edge = ClipLine(-5, 10, 5, 10, 0, 0, 10, 10);
  ASSERT_TRUE(edge.Hit);
  EXPECT_DOUBLE_EQ(edge.Ya, 10);
  // Through one corner only.
  auto corner = ClipLine(-1, 9, 1, 11, 0, 0, 10, 10);
  ASSERT_TRUE(corner.Hit);
  EXPECT_DOUBLE_EQ(corner.Xa, 0);
  EXPECT_DOUBLE_EQ(corner.Ya, 10);
  EXPECT_DOUBLE_EQ(corner.Xb, 0);
  EXPECT_DOUBLE_EQ(corner.Yb, 10);
}

TEST(ClipBox, BoxCornersMayComeInEitherOrder) {
  auto a = ClipLine(1, 1, 2, 3, 0, 0, 10, 10);
  auto b = ClipLine(1, 1, 2, 3, 10, 10, 0, 0);
  ASSERT_TRUE(a.Hit && b.Hit);
  EXPECT_DOUBLE_EQ(a.Xa, b.Xa);
  EXPECT_DOUBLE_EQ(a.Yb, b.Yb);
}

TEST(ClipBox, EndsStayInsideTheBoxForNearlyAxisParallelLines) {
  for (int i = 1; i < 200; ++i) {
    const double slope = std::pow(10.0, -i / 10.0);
    auto c = ClipLine(0.3, 5, 1.3, 5 + slope, 0, 0, 800, 600);
    ASSERT_TRUE(c.Hit);
    for (double x : {c.Xa, c.Xb})
      EXPECT_TRUE(x >= 0 && x <= 800);
    for (double y : {c.Ya, c.Yb})
      EXPECT_TRUE(y >= 0 && y <= 600);
  }
}

constexpr double kR = 6371000.0;

TEST(GreatCircle, KnownDistances) {
  EXPECT_NEAR(tessaro::SphereGreatCircleDist(kR, 0, 0, 0, 90), kR * M_PI / 2, 1e-6);
  EXPECT_NEAR(tessaro::SphereGreatCircleDist(kR, 90, 0, -90, 0), kR * M_PI, 1e-6);
  EXPECT_NEAR(tessaro::SphereGreatCircleDist(1, 0, 0, 0, 180), M_PI, 1e-15);
  // Longitudes wrap: 179 E to 179 W is two degrees.
  EXPECT_NEAR(tessaro::SphereGreatCircleDist(1, 0, 179, 0, -179), 2 * M_PI / 180, 1e-15);
  // Vienna to Paris on a sphere of 6371 km: about 1034 km.
  EXPECT_NEAR(tessaro::SphereGreatCircleDist(6371, 48.2082, 16.3738, 48.8566, 2.3522), 1034, 2);
  EXPECT_EQ(tessaro::SphereGreatCircleDist(kR, 12.5, -33, 12.5, -33), 0);
}

TEST(GreatCircle, NearlyEqualPointsKeepTheirSmallDistance) {
  // One millimetre apart along a meridian and along the equator.
  const double d = 0.001 / kR * 180 / M_PI;
  EXPECT_NEAR(tessaro::SphereGreatCircleDist(kR, 47, 11, 47 + d, 11), 0.001, 1e-9);
  EXPECT_NEAR(tessaro::SphereGreatCircleDist(kR, 0, 11, 0, 11 + d), 0.001, 1e-9);
}

TEST(GreatCircle, NearlyAntipodalPointsKeepTheirDistanceShortOfHalfTheCircle) {
  // One millimetre short of the antipode: the arccosine form would give π·R.
  const double d = 0.001 / kR * 180 / M_PI;
  const double half = kR * M_PI;
  EXPECT_NEAR(tessaro::SphereGreatCircleDist(kR, 0, 0, 0, 180 - d), half - 0.001, 1e-6);
  EXPECT_NEAR(tessaro::SphereGreatCircleDist(kR, 30, 20, -30 + d, -160), half - 0.001, 1e-6);
}

} // namespace
