#include "kartavo/companion/tessaro.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

TEST(CurveFit, LineThroughExactPointsIsRecovered) {
  tessaro::TCurveFit f;
  f.Init();
  for (double x : {-3.0, 0.5, 2.0, 10.0})
    f.EnterStatValue(x, 2.5 * x - 4.0);
  double k = 0, d = 0, q = 0;
  ASSERT_TRUE(f.CalcLinFit(k, d, q));
  EXPECT_NEAR(k, 2.5, 1e-12);
  EXPECT_NEAR(d, -4.0, 1e-12);
  EXPECT_NEAR(q, 1.0, 1e-12);
}

TEST(CurveFit, LineOfNoisyPointsMatchesTheTextbookAnswer) {
  // x = 1..5, y = 2, 4, 5, 4, 5: slope 0.6, intercept 2.2, r² = 0.6.
  tessaro::TCurveFit f;
  const double ys[] = {2, 4, 5, 4, 5};
  for (int i = 0; i < 5; ++i)
    f.EnterStatValue(i + 1, ys[i]);
  double k = 0, d = 0, q = 0;
  ASSERT_TRUE(f.CalcLinFit(k, d, q));
  EXPECT_NEAR(k, 0.6, 1e-12);
  EXPECT_NEAR(d, 2.2, 1e-12);
  EXPECT_NEAR(q, 0.6, 1e-12);
}

TEST(CurveFit, LineNeedsTwoDistinctX) {
  tessaro::TCurveFit f;
  double k = 9, d = 9, q = 9;
  EXPECT_FALSE(f.CalcLinFit(k, d, q));
  f.EnterStatValue(0.1, 1);
  f.EnterStatValue(0.1, 5);
  f.EnterStatValue(0.1, 3);
  EXPECT_FALSE(f.CalcLinFit(k, d, q));
  EXPECT_EQ(k, 0);
  EXPECT_EQ(d, 0);
  EXPECT_EQ(q, 0);
}

TEST(CurveFit, ParabolaThroughExactPointsIsRecoveredFarFromTheOrigin) {
  // Pixel columns of a large scan: x around 10^4, where the plain normal
  // equations lose most of their digits.
  tessaro::TCurveFit f;
  for (int i = 0; i < 12; ++i) {
    const double x = 10000.0 + 37.0 * i;
    f.EnterStatValue(x, 3.0 - 0.25 * x + 2e-5 * x * x);
  }
  double k0 = 0, k1 = 0, k2 = 0, q = 0;
  ASSERT_TRUE(f.CalcParabolFit(k0, k1, k2, q));
  EXPECT_NEAR(k2, 2e-5, 1e-14);
  EXPECT_NEAR(k1, -0.25, 1e-9);
  EXPECT_NEAR(k0, 3.0, 1e-4);
  EXPECT_NEAR(q, 1.0, 1e-12);
}

TEST(CurveFit, ParabolaOfNoisyPointsMatchesTheNormalEquations) {
  // x = -2..2, y = 4, 1, 0.5, 1.5, 5. Normal equations with n = 5, Σx² = 10,
  // Σx⁴ = 34 (odd sums 0), Σy = 12, Σxy = 2.5, Σx²y = 38.5:
  // 10·k1 = 2.5; 5·k0 + 10·k2 = 12; 10·k0 + 34·k2 = 38.5.
  tessaro::TCurveFit f;
  const double ys[] = {4, 1, 0.5, 1.5, 5};
  for (int i = 0; i < 5; ++i)
    f.EnterStatValue(i - 2, ys[i]);
  double k0 = 0, k1 = 0, k2 = 0, q = 0;
  ASSERT_TRUE(f.CalcParabolFit(k0, k1, k2, q));
  EXPECT_NEAR(k1, 0.25, 1e-12);
  EXPECT_NEAR(k2, 14.5 / 14.0, 1e-12);
  EXPECT_NEAR(k0, (12.0 - 10.0 * 14.5 / 14.0) / 5.0, 1e-12);
  EXPECT_GT(q, 0.9);
  EXPECT_LT(q, 1.0);
}

TEST(CurveFit, ParabolaNeedsThreeDistinctX) {
  tessaro::TCurveFit f;
  f.EnterStatValue(1, 1);
  f.EnterStatValue(2, 2);
  f.EnterStatValue(2, 3);
  f.EnterStatValue(1, 3);
  double k0 = 9, k1 = 9, k2 = 9, q = 9;
  EXPECT_FALSE(f.CalcParabolFit(k0, k1, k2, q));
  EXPECT_EQ(k0 + k1 + k2 + q, 0);
}

TEST(CurveFit, StatisticsReportTheResidualsInTheirFixedPositions) {
  tessaro::TCurveFit f;
  // Observed x, modelled y: differences 1, -1, 2, 0.
  const double xs[] = {10, 20, 30, 40};
  const double ys[] = {11, 19, 32, 40};
  for (int i = 0; i < 4; ++i)
    f.EnterStatValue(xs[i], ys[i]);
  int n = 0;
  double mx, my, sx, sy, meanDiff, rms, maxAbs;
  f.CalcStatistics(n, mx, my, sx, sy, meanDiff, rms, maxAbs);
  EXPECT_EQ(n, 4);
  EXPECT_DOUBLE_EQ(mx, 25);
  EXPECT_DOUBLE_EQ(my, 25.5);
  EXPECT_NEAR(sx, std::sqrt(500.0 / 3.0), 1e-12);
  EXPECT_NEAR(sy, std::sqrt((14.5 * 14.5 + 6.5 * 6.5 + 6.5 * 6.5 + 14.5 * 14.5) / 3.0), 1e-12);
  EXPECT_DOUBLE_EQ(meanDiff, 0.5);
  EXPECT_DOUBLE_EQ(rms, std::sqrt(6.0 / 4.0));
  EXPECT_DOUBLE_EQ(maxAbs, 2);
}

TEST(CurveFit, StatisticsOfAnEmptyOrSingleAccumulator) {
  tessaro::TCurveFit f;
  int n = -1;
  double v[7] = {9, 9, 9, 9, 9, 9, 9};
  f.CalcStatistics(n, v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
  EXPECT_EQ(n, 0);
  for (double x : v)
    EXPECT_EQ(x, 0);
  f.EnterStatValue(3, -1);
  f.CalcStatistics(n, v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
  EXPECT_EQ(n, 1);
  EXPECT_EQ(v[2], 0);
  EXPECT_EQ(v[3], 0);
  EXPECT_EQ(v[5], 4);
  f.Init();
  EXPECT_EQ(f.NumData(), 0);
}

TEST(CurveFit, CorrelationOfPerfectAndUndefinedData) {
  tessaro::TCurveFit f;
  for (int i = 0; i < 5; ++i)
    f.EnterStatValue(i, -3.0 * i + 1);
  EXPECT_NEAR(f.Correlation(), -1.0, 1e-12);
  f.Init();
  for (int i = 0; i < 5; ++i)
    f.EnterStatValue(i, 7);
  EXPECT_EQ(f.Correlation(), 0);
}

TEST(CurveFit, ParabolaAgreesWithPlainNormalEquationsOnRandomData) {
  std::mt19937 rng(11);
  std::uniform_real_distribution<double> u(-5, 5);
  for (int round = 0; round < 50; ++round) {
    tessaro::TCurveFit f;
    double s[5] = {}, t[3] = {};
    for (int i = 0; i < 8; ++i) {
      const double x = u(rng), y = u(rng);
      f.EnterStatValue(x, y);
      for (int p = 0; p < 5; ++p)
        s[p] += std::pow(x, p);
      for (int p = 0; p < 3; ++p)
        t[p] += y * std::pow(x, p);
    }
    double k[3], q;
    ASSERT_TRUE(f.CalcParabolFit(k[0], k[1], k[2], q));
    // The residual of the normal equations must vanish.
    for (int r = 0; r < 3; ++r) {
      const double lhs = s[r] * k[0] + s[r + 1] * k[1] + s[r + 2] * k[2];
      EXPECT_NEAR(lhs, t[r], 1e-9 * (1 + std::fabs(t[r])));
    }
  }
}

} // namespace
