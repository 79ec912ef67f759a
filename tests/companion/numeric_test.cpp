// Matrices, vectors and the small numeric helpers of the math library.
#include "kartavo/companion/tessaro.h"
#include "kartavo/framework/errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(Round125, PicksTheNearestMemberInRatio) {
  EXPECT_EQ(tessaro::Round125(370), 500);
  EXPECT_EQ(tessaro::Round125(300), 200);
  EXPECT_EQ(tessaro::Round125(1), 1);
  EXPECT_EQ(tessaro::Round125(1.41), 1);
  EXPECT_EQ(tessaro::Round125(1.42), 2);
  EXPECT_EQ(tessaro::Round125(3.16), 2);
  EXPECT_EQ(tessaro::Round125(3.17), 5);
  EXPECT_EQ(tessaro::Round125(7.07), 5);
  EXPECT_EQ(tessaro::Round125(7.08), 10);
  EXPECT_EQ(tessaro::Round125(1000), 1000);
  EXPECT_EQ(tessaro::Round125(999.9), 1000);
  EXPECT_EQ(tessaro::Round125(0.0031), 0.002);
  EXPECT_EQ(tessaro::Round125(0.04), 0.05);
  EXPECT_EQ(tessaro::Round125(2e-310), 2e-310);
  EXPECT_EQ(tessaro::Round125(4.5e25), 5e25);
}

TEST(Round125, ResultIsAlwaysAMemberWithinRatioSqrt2p5) {
  for (double v = 1e-6; v < 1e9; v *= 1.0173) {
    const double r = tessaro::Round125(v);
    const double mant = r / std::pow(10.0, std::floor(std::log10(r) + 1e-9));
    EXPECT_TRUE(std::fabs(mant - 1) < 1e-9 || std::fabs(mant - 2) < 1e-9 ||
                std::fabs(mant - 5) < 1e-9)
        << v;
    EXPECT_LE(std::max(r / v, v / r), std::sqrt(2.5) + 1e-9) << v;
  }
}

TEST(Round125, NonPositiveAndNonFiniteValues) {
  EXPECT_EQ(tessaro::Round125(0), 0);
  EXPECT_EQ(tessaro::Round125(-5), 0);
  EXPECT_TRUE(std::isnan(tessaro::Round125(std::nan(""))));
  EXPECT_EQ(tessaro::Round125(std::numeric_limits<double>::infinity()),
            std::numeric_limits<double>::infinity());
}

TEST(BRandom, CertainAndImpossibleAndRoughlyFair) {
  int yes = 0;
  for (int i = 0; i < 20000; ++i) {
    EXPECT_TRUE(tessaro::BRandom(1.0));
    EXPECT_FALSE(tessaro::BRandom(0.0));
    EXPECT_FALSE(tessaro::BRandom(-1.0));
    yes += tessaro::BRandom(0.25);
  }
  // Binomial(20000, 0.25): mean 5000, sd 61; ten sd either way.
  EXPECT_NEAR(yes, 5000, 610);
}

TEST(ExChange, SwapsIntegersAndDoubles) {
  int a = 1, b = 2;
  tessaro::ExChange(a, b);
  EXPECT_EQ(a, 2);
  EXPECT_EQ(b, 1);
  double x = 1.5, y = -2.5;
  tessaro::ExChange(x, y);
  EXPECT_EQ(x, -2.5);
  EXPECT_EQ(y, 1.5);
}

TEST(Matrix, ColumnsAndRowsCountFromOne) {
  tessaro::TMatrix m(3, 2);
  EXPECT_EQ(m.NrOfColumns(), 3);
  EXPECT_EQ(m.NrOfRows(), 2);
  for (int c = 1; c <= 3; ++c)
    for (int r = 1; r <= 2; ++r)
      m.SetVal(c, r, 10 * c + r);
  EXPECT_EQ(m.GetVal(3, 2), 32);
  EXPECT_EQ(m.GetVal(1, 2), 12);
  EXPECT_THROW(m.GetVal(0, 1), std::out_of_range);
  EXPECT_THROW(m.GetVal(4, 1), std::out_of_range);
  EXPECT_THROW(m.SetVal(1, 3, 0), std::out_of_range);
  m.Fill(7);
  EXPECT_EQ(m.GetVal(2, 1), 7);
  m.Resize(1, 1);
  EXPECT_EQ(m.GetVal(1, 1), 0);
  EXPECT_THROW(m.Resize(-1, 2), std::invalid_argument);
}

TEST(Matrix, CloneAndAssignCopyAndOtherClassesRefuse) {
  tessaro::TMatrix a(2, 2), b, c;
  a.SetVal(2, 1, 5);
  b.Clone(a);
  c.Assign(&a);
  a.SetVal(2, 1, 6);
  EXPECT_EQ(b.GetVal(2, 1), 5);
  EXPECT_EQ(c.GetVal(2, 1), 5);
  EXPECT_EQ(c.NrOfColumns(), 2);
  tessaro::TVector v(3);
  EXPECT_THROW(c.Assign(&v), fw::EConvertError);
  EXPECT_THROW(v.Assign(&c), fw::EConvertError);
}

TEST(Vector, ElementsCountFromOne) {
  tessaro::TVector v;
  v.SetVecSize(4);
  EXPECT_EQ(v.NrOfElem(), 4);
  v.SetVal(4, 2.5);
  EXPECT_EQ(v.GetVal(4), 2.5);
  EXPECT_EQ(v.GetVal(1), 0);
  EXPECT_THROW(v.GetVal(5), std::out_of_range);
  EXPECT_THROW(v.SetVal(0, 1), std::out_of_range);
  tessaro::TVector w;
  w.Assign(&v);
  EXPECT_EQ(w.GetVal(4), 2.5);
}

} // namespace
