#include "kartavo/geomap/calib_fits.h"
#include "kartavo/geomap/detail/bearing_angle.h"
#include "kartavo/geomap/detail/conic_apex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace kartavo {
namespace {

struct P {
  double lat, lon;
  int x, y;
};

TCalibData Points(const std::vector<P>& pts) {
  TCalibData cd;
  for (const P& p : pts)
    cd.CalQuads[++cd.NumCalQuads] = {p.lat, p.lon, p.x, p.y};
  return cd;
}

double Affine(const TAffineParams& a, int row, double u, double v) {
  return a(row, 1) + a(row, 2) * u + a(row, 3) * v;
}

double Biquad(const TBiquadParams& b, int row, double u, double v) {
  return b(row, 1) + b(row, 2) * u + b(row, 3) * v + b(row, 4) * u * u + b(row, 5) * u * v +
         b(row, 6) * v * v;
}

TEST(EquiRectFit, ThreeAffinePointsAreReproducedExactlyBothWays) {
  const TCalibData cd =
      Points({{47.5, 8.0, 100, 200}, {47.0, 9.5, 1300, 600}, {46.2, 8.3, 340, 1240}});
  TModelParams p;
  CalcEquiRectCalibration(cd, p);
  for (int i = 1; i <= 3; ++i) {
    const TCalQuad& q = cd.CalQuads[i];
    EXPECT_NEAR(Affine(p.EquRectPLSP, 1, q.MapX, q.MapY), q.Latitude, 1e-10);
    EXPECT_NEAR(Affine(p.EquRectPLSP, 2, q.MapX, q.MapY), q.Longitude, 1e-10);
    EXPECT_NEAR(Affine(p.EquRectSPPL, 1, q.Latitude, q.Longitude), q.MapX, 1e-7);
    EXPECT_NEAR(Affine(p.EquRectSPPL, 2, q.Latitude, q.Longitude), q.MapY, 1e-7);
  }
}

TEST(EquiRectFit, TwoPointsGiveTheMinimumNormSolution) {
  const TCalibData cd = Points({{47.5, 8.0, 100, 200}, {47.0, 9.5, 1300, 600}});
  TModelParams p;
  CalcEquiRectCalibration(cd, p);
  // Both points are reproduced and the coefficients are orthogonal to the
  // null space of the 2 x 3 design: c ⟂ (x1 y2 - x2 y1, y1 - y2, x2 - x1).
  const double n1 = 100.0 * 600 - 1300.0 * 200, n2 = 200.0 - 600, n3 = 1300.0 - 100;
  for (int row = 1; row <= 2; ++row) {
    EXPECT_NEAR(p.EquRectPLSP(row, 1) * n1 + p.EquRectPLSP(row, 2) * n2 +
                    p.EquRectPLSP(row, 3) * n3,
                0.0, 1e-6);
    for (int i = 1; i <= 2; ++i) {
      const TCalQuad& q = cd.CalQuads[i];
      EXPECT_NEAR(Affine(p.EquRectPLSP, row, q.MapX, q.MapY), row == 1 ? q.Latitude : q.Longitude,
                  1e-9);
    }
  }
}

TEST(EquiRectFit, NoPointsZeroTheSets) {
  TModelParams p;
  p.EquRectPLSP(1, 1) = 5;
  p.EquRectSPPL(2, 3) = 7;
  CalcEquiRectCalibration(TCalibData{}, p);
  EXPECT_EQ(p.EquRectPLSP, TAffineParams{});
  EXPECT_EQ(p.EquRectSPPL, TAffineParams{});
}

TEST(EquiRectFit, PointsOnOneImageRowStillFitAlongTheRow) {
  // The y column is a multiple of the constant column: that direction is
  // dropped, and latitude and longitude still follow x.
  std::vector<P> pts;
  for (int i = 0; i < 8; ++i)
    pts.push_back({47 + 0.001 * i, 8 + 0.002 * i * 100 / 100.0, 100 * i, 500});
  TModelParams p;
  CalcEquiRectCalibration(Points(pts), p);
  for (const P& q : pts)
    EXPECT_NEAR(Affine(p.EquRectPLSP, 2, q.x, q.y), q.lon, 1e-9);
  // Minimum norm: no component along the null vector (500, 0, -1).
  EXPECT_NEAR(500 * p.EquRectPLSP(1, 1) - p.EquRectPLSP(1, 3), 0.0, 1e-9);
}

TEST(EquiRectFit, DuplicatedPointsGiveTheSameSolutionAsTheDistinctOnes) {
  const std::vector<P> distinct = {{47.5, 8.0, 100, 200}, {47.0, 9.5, 1300, 600}};
  std::vector<P> tripled;
  for (int k = 0; k < 3; ++k)
    tripled.insert(tripled.end(), distinct.begin(), distinct.end());
  TModelParams a, b;
  CalcEquiRectCalibration(Points(distinct), a);
  CalcEquiRectCalibration(Points(tripled), b);
  for (int r = 1; r <= 2; ++r)
    for (int k = 1; k <= 3; ++k) {
      EXPECT_NEAR(a.EquRectPLSP(r, k), b.EquRectPLSP(r, k),
                  1e-12 + 1e-9 * std::fabs(a.EquRectPLSP(r, k)));
      EXPECT_NEAR(a.EquRectSPPL(r, k), b.EquRectSPPL(r, k),
                  1e-9 + 1e-9 * std::fabs(a.EquRectSPPL(r, k)));
    }
}

TEST(BiquadraticFit, SixPointsAreReproducedFiveStillGiveParameters) {
  std::vector<P> pts = {{47.5, 8.0, 100, 200}, {47.0, 9.5, 1300, 600},  {46.2, 8.3, 340, 1240},
                        {46.9, 8.9, 800, 700}, {46.4, 9.7, 1500, 1100}, {47.3, 9.2, 1000, 300}};
  TModelParams p;
  CalcBiquadraticCalibration(Points(pts), p);
  for (const P& q : pts) {
    EXPECT_NEAR(Biquad(p.CalParsPLSP, 1, q.x, q.y), q.lat, 1e-8);
    EXPECT_NEAR(Biquad(p.CalParsPLSP, 2, q.x, q.y), q.lon, 1e-8);
    EXPECT_NEAR(Biquad(p.CalParsSPPL, 1, q.lat, q.lon), q.x, 1e-4);
    EXPECT_NEAR(Biquad(p.CalParsSPPL, 2, q.lat, q.lon), q.y, 1e-4);
  }
  pts.pop_back();
  TModelParams five;
  CalcBiquadraticCalibration(Points(pts), five);
  EXPECT_NE(five.CalParsPLSP, TBiquadParams{});
  for (const P& q : pts)
    EXPECT_NEAR(Biquad(five.CalParsPLSP, 1, q.x, q.y), q.lat, 1e-8);
}

TEST(BiquadraticFit, AbortedSolvesLeaveZeroRows) {
  const TCalibData cd =
      Points({{47.5, 8.0, 100, 200}, {47.0, 9.5, 1300, 600}, {46.2, 8.3, 340, 1240}});
  TModelParams p;
  p.CalParsPLSP(1, 1) = 3;
  quillon::AbortMathProc = true;
  CalcBiquadraticCalibration(cd, p);
  quillon::AbortMathProc = false;
  EXPECT_EQ(p.CalParsPLSP, TBiquadParams{});
  EXPECT_EQ(p.CalParsSPPL, TBiquadParams{});
}

TEST(MillerFit, TwoPointsKeepThePreviousParametersTheThirdFits) {
  TModelParams p;
  p.MillercylPar(1, 1) = 11;
  std::vector<P> pts = {{40, -5, 100, 900}, {50, 5, 700, 200}};
  CalcMillerCylCalibration(Points(pts), p);
  EXPECT_EQ(p.MillercylPar(1, 1), 11.0);
  // Miller map: x = 1000·λ(rad) + 400, y = -2000·ordinate + 2200.
  auto ord = [](double lat) { return std::log(std::tan(lat * 0.4 / 180 * M_PI + M_PI / 4)); };
  pts.clear();
  for (double lat : {40.0, 45.0, 52.0})
    for (double lon : {-5.0, 6.0})
      pts.push_back({lat, lon, int(std::lround(1000 * lon / 180 * M_PI + 400)),
                     int(std::lround(-2000 * ord(lat) + 2200))});
  CalcMillerCylCalibration(Points(pts), p);
  EXPECT_NEAR(p.MillercylPar(2, 1), 1000, 1);
  EXPECT_NEAR(p.MillercylPar(2, 2), 400, 0.5);
  EXPECT_NEAR(p.MillercylPar(1, 1), -2000, 10);
  EXPECT_NEAR(p.MillercylPar(1, 2), 2200, 3);
}

TEST(MillerFit, LatitudesBeyondThePolesKeepThePreviousParameters) {
  TModelParams p;
  p.MillercylPar(1, 2) = 4;
  CalcMillerCylCalibration(Points({{40, 1, 1, 1}, {300, 2, 2, 2}, {50, 3, 3, 3}}), p);
  EXPECT_EQ(p.MillercylPar(1, 2), 4.0);
}

// A synthetic conic map: parallels are circles around the apex, meridians rays.
TCalibData ConicMap(double ax, double ay, int perSide) {
  std::vector<P> pts;
  for (int i = 0; i < perSide; ++i)
    for (int j = 0; j < perSide; ++j) {
      const int x = 50 + i * 1900 / (perSide - 1), y = 40 + j * 1400 / (perSide - 1);
      const double r = std::hypot(x - ax, y - ay);
      const double theta = std::atan((x - ax) / (y - ay));
      pts.push_back({70 - 0.002 * r, 12 + 25 * theta, x, y});
    }
  return Points(pts);
}

TEST(ConicFit, RecoversTheApexOfASyntheticConicMap) {
  for (auto [ax, ay] : {std::pair{900.0, -6000.0}, {1100.0, -5500.0}}) {
    const TCalibData cd = ConicMap(ax, ay, 6);
    TModelParams p;
    CalcConicCalibration(cd, 2000, 1500, p);
    EXPECT_NEAR(p.ConicPars[1], ax, 1.0) << ay;
    EXPECT_NEAR(p.ConicPars[2], ay, 1.0) << ay;
    EXPECT_NEAR(p.ConicPars[3], -0.002, 1e-6);
    EXPECT_NEAR(p.ConicPars[4], 70, 1e-2);
    EXPECT_NEAR(p.ConicPars[5], 25, 1e-2);
    EXPECT_NEAR(p.ConicPars[6], 12, 1e-3);
  }
}

TEST(ConicFit, PointsOnTheApexRowCountOnlyInTheDivisor) {
  // Three points fit the bearing exactly; a fourth on the apex row has no
  // bearing, so the longitude error stays 0 while the divisor is 4.
  const TCalibData cd = Points({{10, 1, 10, 20}, {10, 2, 20, 20}, {10, 3, 30, 20}, {10, 9, 40, 0}});
  TConicParams c{};
  const double err = ConicApexError(cd, 0, 0, c);
  EXPECT_EQ(c[1], 0.0);
  EXPECT_EQ(c[2], 0.0);
  const double t1 = std::atan(0.5), t2 = std::atan(1.0), t3 = std::atan(1.5);
  // Longitude line through (θ, λ) of the three points with a bearing.
  const double mt = (t1 + t2 + t3) / 3, ml = 2;
  const double k = ((t1 - mt) * -1 + (t3 - mt) * 1) /
                   ((t1 - mt) * (t1 - mt) + (t2 - mt) * (t2 - mt) + (t3 - mt) * (t3 - mt));
  EXPECT_NEAR(c[5], k, 1e-12);
  EXPECT_NEAR(c[6], ml - k * mt, 1e-12);
  double sum = 0;
  for (auto [t, l] : {std::pair{t1, 1.0}, {t2, 2.0}, {t3, 3.0}})
    sum += std::pow(l - t * c[5] - c[6], 2);
  // Latitude is constant: its line fits exactly; the error is the longitude part over n = 4.
  EXPECT_NEAR(err, sum / 4, 1e-12);
}

// The fast evaluation differs from the curve-fit reference only by rounding
// (its arc tangent is within one unit in the last place, its sums are formed
// in four parts): errors and parameters agree to 1e-9 relative, with an
// absolute floor of 1e-12 for values near zero.
bool Close(double a, double b) {
  return std::fabs(a - b) <= 1e-9 * std::max(std::fabs(a), std::fabs(b)) + 1e-12;
}

TEST(ConicFit, FastEvaluationMatchesTheCurveFitReferenceToRounding) {
  std::mt19937 rng(17);
  std::uniform_int_distribution<int> px(0, 3000), count(3, 60);
  std::uniform_real_distribution<double> lat(-60, 70), lon(-20, 40), apex(-3e6, 3e6);
  for (int round = 0; round < 200; ++round) {
    TCalibData cd;
    const int n = count(rng);
    for (int i = 1; i <= n; ++i)
      cd.CalQuads[++cd.NumCalQuads] = {lat(rng), lon(rng), px(rng), px(rng) % 40};
    TConicApexEvaluator fast(cd);
    // Apexes far away, near, on a point's row and on a point itself.
    const double ax[] = {apex(rng), double(px(rng)), double(cd.CalQuads[1].MapX)};
    const double ay[] = {apex(rng), double(cd.CalQuads[2].MapY), double(cd.CalQuads[1].MapY)};
    for (int k = 0; k < 3; ++k) {
      TConicParams a{}, b{};
      const double ea = ConicApexError(cd, ax[k], ay[k], a);
      const double eb = fast.Error(ax[k], ay[k], b);
      EXPECT_TRUE(Close(ea, eb)) << round << "/" << k << ": " << ea << " " << eb;
      for (int p = 1; p <= 6; ++p)
        EXPECT_TRUE(Close(a[p], b[p]))
            << round << "/" << k << " [" << p << "] " << a[p] << " " << b[p];
    }
  }
  // All points on the apex row: no bearing at all, no longitude line.
  TCalibData row = Points({{10, 1, 10, 5}, {11, 2, 20, 5}, {12, 3, 30, 5}});
  TConicParams a{}, b{};
  EXPECT_TRUE(Close(ConicApexError(row, 0, 5, a), TConicApexEvaluator(row).Error(0, 5, b)));
  for (int p = 1; p <= 6; ++p)
    EXPECT_TRUE(Close(a[p], b[p])) << p;
  EXPECT_EQ(b[5], 0.0);
  EXPECT_EQ(b[6], 0.0);
}

TEST(ConicFit, FastSearchFindsTheApexOfThePlainSearch) {
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> px(0, 1999), py(0, 1499), count(3, 200);
  std::uniform_real_distribution<double> apexX(-5000, 5000), apexY(-90000, -3000), noise(-1, 1);
  for (int round = 0; round < 40; ++round) {
    // Points of a conic map around a random apex, with some noise.
    const double cx = apexX(rng), cy = apexY(rng);
    TCalibData cd;
    const int n = count(rng);
    for (int i = 1; i <= n; ++i) {
      const int x = px(rng), y = py(rng);
      const double r = std::hypot(x - cx, y - cy), theta = std::atan((x - cx) / (y - cy));
      cd.CalQuads[++cd.NumCalQuads] = {70 - 0.002 * r + 1e-4 * noise(rng),
                                       12 + 25 * theta + 1e-4 * noise(rng), x, y};
    }
    TModelParams fast, plain;
    CalcConicCalibration(cd, 2000, 1500, fast);
    CalcConicCalibrationPlain(cd, 2000, 1500, plain);
    for (int p = 1; p <= 6; ++p)
      EXPECT_TRUE(Close(fast.ConicPars[p], plain.ConicPars[p]))
          << round << " [" << p << "] " << fast.ConicPars[p] << " " << plain.ConicPars[p];
  }
}

TEST(ConicFit, BearingAngleIsWithinOneUnitInTheLastPlaceOfAtan) {
  std::mt19937_64 rng(11);
  std::uniform_real_distribution<double> unit(-1, 1), exponent(-8, 8);
  for (int i = 0; i < 200000; ++i) {
    const double dx = unit(rng) * std::pow(10.0, exponent(rng));
    const double dy = unit(rng) * std::pow(10.0, exponent(rng));
    const double want = std::atan(dx / dy), got = detail::BearingAngle(dx, dy);
    const double ulp = std::nextafter(std::fabs(want), 10.0) - std::fabs(want);
    ASSERT_LE(std::fabs(got - want), ulp) << dx << " / " << dy;
  }
  EXPECT_EQ(detail::BearingAngle(0, 5), 0.0);
  EXPECT_EQ(detail::BearingAngle(7, 7), std::atan(1.0));
  EXPECT_EQ(detail::BearingAngle(-3, 3), -std::atan(1.0));
}

TEST(ConicFit, FewerThanThreePointsKeepThePreviousParameters) {
  TModelParams p;
  for (int k = 1; k <= 6; ++k)
    p.ConicPars[k] = k;
  const TModelParams before = p;
  CalcConicCalibration(Points({{10, 1, 10, 20}, {11, 2, 20, 30}}), 100, 100, p);
  EXPECT_EQ(p, before);
}

} // namespace
} // namespace kartavo
