#include "kartavo/geomap/lsq_solver.h"
#include "lsq_reference.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace kartavo {
namespace {

using tessaro::TMatrix;
using tessaro::TVector;
using testing::Design;

TMatrix ToMatrix(const Design& d) {
  TMatrix a(static_cast<int>(d[0].size()), static_cast<int>(d.size()));
  for (size_t i = 0; i < d.size(); ++i)
    for (size_t j = 0; j < d[i].size(); ++j)
      a.SetVal(int(j) + 1, int(i) + 1, static_cast<double>(d[i][j]));
  return a;
}

TVector ToVector(const std::vector<long double>& v) {
  TVector t(static_cast<int>(v.size()));
  for (size_t i = 0; i < v.size(); ++i)
    t.SetVal(int(i) + 1, static_cast<double>(v[i]));
  return t;
}

Design RandomDesign(std::mt19937& rng, int rows, int cols) {
  std::uniform_real_distribution<double> u(-10, 10);
  Design d(static_cast<size_t>(rows), std::vector<long double>(static_cast<size_t>(cols)));
  for (auto& r : d)
    for (auto& v : r)
      v = u(rng);
  return d;
}

// Solves with the module's solver; returns the coefficients.
std::vector<double> Solve(const Design& d, const std::vector<long double>& b, bool& discarded,
                          bool expectOk = true) {
  TMatrix a = ToMatrix(d);
  TVector c;
  EXPECT_EQ(SolveLinLeastSquares(a, ToVector(b), c, discarded), expectOk);
  std::vector<double> out;
  for (int j = 1; j <= c.NrOfElem(); ++j)
    out.push_back(c.GetVal(j));
  return out;
}

void ExpectClose(const std::vector<double>& got, const std::vector<long double>& want, double tol) {
  ASSERT_EQ(got.size(), want.size());
  long double norm = 0;
  for (long double w : want)
    norm = std::max(norm, std::fabs(w));
  for (size_t j = 0; j < got.size(); ++j)
    EXPECT_NEAR(got[j], double(want[j]), tol * double(norm)) << "coefficient " << j + 1;
}

TEST(SingValDecomp, ReconstructsTheMatrixWithOrthogonalFactors) {
  std::mt19937 rng(7);
  for (auto [rows, cols] : {std::pair{200, 6}, {6, 6}, {7, 3}, {2, 3}, {1, 4}, {5, 1}}) {
    const Design d = RandomDesign(rng, rows, cols);
    TMatrix u = ToMatrix(d), v;
    TVector w;
    ASSERT_TRUE(SingValDecomp(u, w, v));
    for (int j = 1; j <= cols; ++j)
      EXPECT_GE(w.GetVal(j), 0.0);
    for (int i = 1; i <= rows; ++i)
      for (int j = 1; j <= cols; ++j) {
        double s = 0;
        for (int k = 1; k <= cols; ++k)
          s += u.GetVal(k, i) * w.GetVal(k) * v.GetVal(k, j);
        EXPECT_NEAR(s, double(d[size_t(i - 1)][size_t(j - 1)]), 1e-12) << rows << "x" << cols;
      }
    for (int a = 1; a <= cols; ++a)
      for (int b = 1; b <= cols; ++b) {
        double s = 0;
        for (int k = 1; k <= cols; ++k)
          s += v.GetVal(a, k) * v.GetVal(b, k);
        EXPECT_NEAR(s, a == b ? 1.0 : 0.0, 1e-13);
      }
  }
}

TEST(SingValDecomp, ReportsProgressAndStopsWhenAborted) {
  std::mt19937 rng(3);
  const Design d = RandomDesign(rng, 20, 4);
  quillon::ProcStat = 0;
  int calls = 0;
  quillon::MathFeedBackProc = [&](double v) {
    ++calls;
    EXPECT_EQ(v, quillon::ProcStat);
  };
  TMatrix a = ToMatrix(d), v;
  TVector w;
  ASSERT_TRUE(SingValDecomp(a, w, v));
  // Four outer loops of one step per column each.
  EXPECT_EQ(quillon::ProcStat, 16.0);
  EXPECT_EQ(calls, 16);

  quillon::AbortMathProc = true;
  a = ToMatrix(d);
  TVector c;
  bool discarded = true;
  EXPECT_FALSE(SolveLinLeastSquares(a, ToVector(std::vector<long double>(20, 1)), c, discarded));
  EXPECT_EQ(quillon::ProcStat, 17.0); // stopped after the first step
  quillon::AbortMathProc = false;
  quillon::MathFeedBackProc = nullptr;
}

TEST(SolveLinLeastSquares, AgreesWithQrOnOverdeterminedSystems) {
  std::mt19937 rng(11);
  std::normal_distribution<double> noise(0, 0.1);
  for (int rows : {6, 7, 20, 200}) {
    const Design d = RandomDesign(rng, rows, 6);
    std::vector<long double> b;
    for (const auto& r : d)
      b.push_back(r[0] - 2 * r[3] + 0.5 * r[5] + noise(rng));
    bool discarded = true;
    ExpectClose(Solve(d, b, discarded), testing::QrSolve(d, b), 1e-12);
    EXPECT_FALSE(discarded);
  }
}

TEST(SolveLinLeastSquares, GivesTheMinimumNormSolutionOfUnderdeterminedSystems) {
  std::mt19937 rng(5);
  for (int rows : {1, 2, 5}) {
    const Design d = RandomDesign(rng, rows, 6);
    std::vector<long double> b;
    for (const auto& r : d)
      b.push_back(r[1] + 3);
    bool discarded = false;
    const auto c = Solve(d, b, discarded);
    ExpectClose(c, testing::MinNormSolve(d, b), 1e-12);
    EXPECT_TRUE(discarded); // the missing directions have zero singular values
  }
}

TEST(SolveLinLeastSquares, RankDeficientDesignLosesTheDependentDirection) {
  // Column 3 is twice column 2: the solution has no component along the
  // null vector (0, 2, -1) and still fits in the least-squares sense.
  std::mt19937 rng(9);
  Design d = RandomDesign(rng, 30, 3);
  for (auto& r : d)
    r[2] = 2 * r[1];
  std::vector<long double> b;
  for (const auto& r : d)
    b.push_back(1 + r[0] + r[1]);
  bool discarded = false;
  const auto c = Solve(d, b, discarded);
  EXPECT_TRUE(discarded);
  EXPECT_NEAR(2 * c[1] - c[2], 0.0, 1e-12);
  // Equivalent to the reduced full-rank problem in columns 1, 2 with the
  // combined coefficient c2 + 2 c3.
  Design reduced;
  for (const auto& r : d)
    reduced.push_back({r[0], r[1]});
  const auto ref = testing::QrSolve(reduced, b);
  EXPECT_NEAR(c[0], double(ref[0]), 1e-12);
  EXPECT_NEAR(c[1] + 2 * c[2], double(ref[1]), 1e-12);
}

TEST(SolveLinLeastSquares, ZeroDesignGivesZeroAndMismatchedSizesFail) {
  Design zero(4, std::vector<long double>(3, 0));
  bool discarded = true;
  const auto c = Solve(zero, {1, 2, 3, 4}, discarded);
  EXPECT_EQ(c, std::vector<double>(3, 0.0));

  TMatrix a(3, 4);
  TVector shortB(2), out;
  EXPECT_FALSE(SolveLinLeastSquares(a, shortB, out, discarded));
}

} // namespace
} // namespace kartavo
