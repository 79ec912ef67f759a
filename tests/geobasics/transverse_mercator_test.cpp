#include "geodesy_references.h"
#include "kartavo/geobasics/geobasics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

using namespace kartavo;
using georef::Axes;
using georef::Real;

namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

// A spread of catalogue entries: the reference, old and odd ellipsoids, a sphere.
const TGeoEllipsoid kSample[] = {gelWGS84,  gelClrk80IGN, gelBess41, gelEver30Ind,
                                 gelAiry30, gelKrass40,   gelSphere, gelNahrwan29};

} // namespace

TEST(MeridianArc, AgreesWithIntegratedMeridianRadius) {
  for (TGeoEllipsoid el : kSample) {
    const Axes E(el);
    EXPECT_EQ(ArcLengthOfMeridian(0.0, el), 0.0);
    for (double lat = -90.0; lat <= 90.0; lat += 7.5) {
      // The series leaves out only terms of order n^5 sin 10phi (< 0.1 micrometre).
      EXPECT_NEAR(ArcLengthOfMeridian(lat * kDeg, el), double(georef::IntegratedArc(E, lat * kDeg)),
                  1e-7)
          << GeoEllipsoidId[el] << " " << lat;
    }
  }
  // The quarter meridian of WGS 84.
  EXPECT_NEAR(ArcLengthOfMeridian(std::numbers::pi / 2, gelWGS84), 10001965.7293, 1e-3);
}

TEST(MeridianArc, FootpointLatitudeInvertsIt) {
  // On the central meridian the inverse series reduce to the footpoint
  // latitude; its series leaves out terms of order n^5 sin 10y' (0.3 micrometre).
  for (TGeoEllipsoid el : kSample) {
    for (double lat = -89.0; lat <= 89.0; lat += 4.25) {
      double phi, lambda;
      TMToLatLong(0.0, ArcLengthOfMeridian(lat * kDeg, el), 0.5, el, phi, lambda);
      EXPECT_NEAR(phi, lat * kDeg, 5e-14) << GeoEllipsoidId[el] << " " << lat;
      EXPECT_EQ(lambda, 0.5);
    }
  }
}

TEST(UTMCentralMeridian, ZonesAndOutOfRange) {
  EXPECT_DOUBLE_EQ(UTMCentralMeridian(31), 3.0 * kDeg);
  EXPECT_DOUBLE_EQ(UTMCentralMeridian(1), -177.0 * kDeg);
  EXPECT_DOUBLE_EQ(UTMCentralMeridian(60), 177.0 * kDeg);
  EXPECT_DOUBLE_EQ(UTMCentralMeridian(30), -3.0 * kDeg);
  EXPECT_EQ(UTMCentralMeridian(0), 0.0);
  EXPECT_EQ(UTMCentralMeridian(61), 0.0);
  EXPECT_EQ(UTMCentralMeridian(-5), 0.0);
}

// Inside a zone the series stay within a few hundredths of a millimetre of
// the exact projection, forward and back, on every kind of ellipsoid.
TEST(TransverseMercator, MatchesExactProjectionInsideAZone) {
  std::mt19937_64 rng(20261207);
  std::uniform_real_distribution<double> lat(-80.0, 84.0), dl(-3.0, 3.0), lam0(-3.0, 3.0);
  for (TGeoEllipsoid el : kSample) {
    const georef::Krueger exact{Axes(el)};
    double worstForward = 0.0, worstReverse = 0.0;
    for (int i = 0; i < 4000; ++i) {
      const double phi = lat(rng) * kDeg, l = dl(rng) * kDeg, l0 = lam0(rng);
      double x, y;
      LatLongToTM(phi, l0 + l, l0, el, x, y);
      Real xr, yr;
      exact.Forward(phi, l, xr, yr);
      worstForward = std::max(worstForward, double(std::hypot(x - xr, y - yr)));
      double phiBack, lamBack;
      TMToLatLong(double(xr), double(yr), l0, el, phiBack, lamBack);
      const double r = GeoEllipsoidData[el].MajAx;
      worstReverse = std::max(
          worstReverse, std::hypot((phiBack - phi) * r, (lamBack - l0 - l) * r * std::cos(phi)));
    }
    EXPECT_LT(worstForward, 3e-5) << GeoEllipsoidId[el];
    EXPECT_LT(worstReverse, 1e-5) << GeoEllipsoidId[el];
  }
}

TEST(TransverseMercator, SphereMatchesClosedForm) {
  const double R = GeoEllipsoidData[gelSphere].MajAx;
  for (double lat : {-75.0, -30.0, 0.0, 12.5, 45.0, 70.0}) {
    for (double dl : {-3.0, -1.0, 0.5, 2.0, 3.0}) {
      const double phi = lat * kDeg, l = dl * kDeg;
      double x, y;
      LatLongToTM(phi, l, 0.0, gelSphere, x, y);
      EXPECT_NEAR(x, R * std::atanh(std::cos(phi) * std::sin(l)), 1e-6) << lat << " " << dl;
      EXPECT_NEAR(y, R * std::atan2(std::tan(phi), std::cos(l)), 1e-6) << lat << " " << dl;
    }
  }
}

TEST(TransverseMercator, SymmetricAboutCentralMeridianAndEquator) {
  double x1, y1, x2, y2, x3, y3;
  LatLongToTM(0.7, 0.05, 0.0, gelWGS84, x1, y1);
  LatLongToTM(0.7, -0.05, 0.0, gelWGS84, x2, y2);
  LatLongToTM(-0.7, 0.05, 0.0, gelWGS84, x3, y3);
  EXPECT_GT(x1, 0.0);
  EXPECT_EQ(x1, -x2);
  EXPECT_EQ(y1, y2);
  EXPECT_EQ(x1, x3);
  EXPECT_EQ(y1, -y3);
}

// The library evaluates the printed series rearranged (Clenshaw sums, Horner
// form, no tangent); far from the central meridian, where every term counts,
// it must still agree with the term-by-term evaluation.
TEST(TransverseMercator, RearrangedSeriesEqualsTermByTermEvaluation) {
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<double> lat(-89.5, 89.5), dl(-20.0, 20.0), lam0(-180.0, 180.0);
  std::uniform_int_distribution<int> ell(0, GeoEllipsoidCount - 1);
  for (int i = 0; i < 200000; ++i) {
    const auto el = static_cast<TGeoEllipsoid>(ell(rng));
    const Axes E(el);
    const double phi = lat(rng) * kDeg, l = dl(rng) * kDeg, l0 = lam0(rng) * kDeg;
    double x, y;
    LatLongToTM(phi, l0 + l, l0, el, x, y);
    Real xp, yp;
    georef::PlainLatLongToTM(E, phi, (l0 + l) - l0, xp, yp);
    ASSERT_NEAR(x, double(xp), 1e-6 + 1e-13 * std::fabs(double(xp))) << phi << " " << l;
    ASSERT_NEAR(y, double(yp), 1e-6 + 1e-13 * std::fabs(double(yp))) << phi << " " << l;

    const double xs = x * (0.5 + 0.5 * (i % 3)), ys = y;
    double phiBack, lamBack;
    TMToLatLong(xs, ys, l0, el, phiBack, lamBack);
    Real phiPlain, lPlain;
    georef::PlainTMToLatLong(E, xs, ys, phiPlain, lPlain);
    ASSERT_NEAR(phiBack, double(phiPlain), 1e-12 + 1e-13 * std::fabs(double(phiPlain)));
    ASSERT_NEAR(lamBack - l0, double(lPlain), 1e-12 + 1e-13 * std::fabs(double(lPlain)));
  }
}
