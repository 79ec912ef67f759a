#include "geodesy_references.h"
#include "kartavo/geobasics/geobasics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

using namespace kartavo;
using georef::Real;

namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

struct Grid {
  double e, n;
};

Grid ToUPS(double lat, double lon, TGeoEllipsoid el = gelWGS84) {
  Grid g{};
  LatLongToUPS(lat, lon, el, g.e, g.n);
  return g;
}

} // namespace

TEST(LatLongToUPS, PolesAndAxes) {
  for (double lon : {-180.0, -45.0, 0.0, 90.0, 179.0}) {
    EXPECT_EQ(ToUPS(90, lon).e, 2000000.0);
    EXPECT_EQ(ToUPS(90, lon).n, 2000000.0);
    EXPECT_EQ(ToUPS(-90, lon).e, 2000000.0);
    EXPECT_EQ(ToUPS(-90, lon).n, 2000000.0);
  }
  EXPECT_EQ(ToUPS(87, 90).n, 2000000.0);
  EXPECT_EQ(ToUPS(87, -90).n, 2000000.0);
  EXPECT_EQ(ToUPS(-85, 90).n, 2000000.0);
  EXPECT_EQ(ToUPS(87, -180).e, 2000000.0);
  EXPECT_EQ(ToUPS(87, 180).e, 2000000.0); // brought to -180 first
  EXPECT_EQ(ToUPS(-82, 180).e, 2000000.0);
}

TEST(LatLongToUPS, GridOrientation) {
  // North pole: grid north along 180, east along 90 E.
  EXPECT_GT(ToUPS(85, 180 - 1e-9).n, 2000000.0);
  EXPECT_LT(ToUPS(85, 0).n, 2000000.0);
  EXPECT_GT(ToUPS(85, 90).e, 2000000.0);
  // South pole: grid north along 0, east along 90 E.
  EXPECT_GT(ToUPS(-85, 0).n, 2000000.0);
  EXPECT_GT(ToUPS(-85, 90).e, 2000000.0);
  EXPECT_LT(ToUPS(-85, -90).e, 2000000.0);
  // Longitudes a full turn apart give the same point.
  EXPECT_NEAR(ToUPS(86, 200).e, ToUPS(86, -160).e, 1e-6);
  EXPECT_NEAR(ToUPS(86, -250).n, ToUPS(86, 110).n, 1e-6);
}

TEST(LatLongToUPS, MatchesClosedFormPolarStereographic) {
  std::mt19937_64 rng(3);
  std::uniform_real_distribution<double> lat(60.0, 90.0), lon(-180.0, 180.0);
  for (TGeoEllipsoid el : {gelWGS84, gelInt24, gelClrk80IGN, gelSphere}) {
    const georef::Axes E(el);
    for (int i = 0; i < 2000; ++i) {
      const double la = lat(rng), lo = lon(rng);
      const Real rho = georef::PolarRadius(E, Real(la) * georef::kPi / 180, 0.994L);
      const Real lam = Real(lo) * georef::kPi / 180;
      const Grid north = ToUPS(la, lo, el);
      ASSERT_NEAR(north.e, double(2000000 + rho * std::sin(lam)), 1e-6) << la << " " << lo;
      ASSERT_NEAR(north.n, double(2000000 - rho * std::cos(lam)), 1e-6) << la << " " << lo;
      const Grid south = ToUPS(-la, lo, el);
      ASSERT_NEAR(south.e, double(2000000 + rho * std::sin(lam)), 1e-6) << la << " " << lo;
      ASSERT_NEAR(south.n, double(2000000 + rho * std::cos(lam)), 1e-6) << la << " " << lo;
    }
  }
}

TEST(LatLongToUPS, ScaleAtThePoleIs0994) {
  // Near the pole the grid distance is 0.994 times the meridian arc, whose
  // radius of curvature there is a^2/b.
  for (TGeoEllipsoid el : {gelWGS84, gelBess41, gelSphere}) {
    const double a = GeoEllipsoidData[el].MajAx, b = GeoEllipsoidData[el].MinAx;
    const double dz = 1e-4;
    const Grid g = ToUPS(90 - dz, 0, el);
    EXPECT_NEAR((2000000 - g.n) / (a * a / b * dz * kDeg), 0.994, 1e-9) << GeoEllipsoidId[el];
  }
}

TEST(UPSToLatLong, InvertsExactCoordinates) {
  std::mt19937_64 rng(11);
  std::uniform_real_distribution<double> lat(70.0, 90.0), lon(-180.0, 180.0);
  for (TGeoEllipsoid el : {gelWGS84, gelHough60, gelSphere}) {
    const georef::Axes E(el);
    for (int i = 0; i < 2000; ++i) {
      const double la = lat(rng), lo = lon(rng);
      const Real rho = georef::PolarRadius(E, Real(la) * georef::kPi / 180, 0.994L);
      const Real lam = Real(lo) * georef::kPi / 180;
      const double e = double(2000000 + rho * std::sin(lam));
      for (bool south : {false, true}) {
        const double n = double(2000000 + (south ? rho : -rho) * std::cos(lam));
        double laBack, loBack;
        UPSToLatLong(e, n, south, el, laBack, loBack);
        ASSERT_NEAR(laBack, south ? -la : la, 1e-10) << la << " " << lo;
        if (la < 90 - 1e-6) {
          ASSERT_NEAR(loBack, lo, 1e-9 / std::cos(la * kDeg)) << la << " " << lo;
        }
      }
    }
  }
  // Far from the pole too (the Newton iteration starts from the sphere).
  const double rho = double(georef::PolarRadius(georef::Axes(gelWGS84), 10 * kDeg, 0.994L));
  double la, lo;
  UPSToLatLong(2000000 + rho, 2000000, false, gelWGS84, la, lo);
  EXPECT_NEAR(la, 10.0, 1e-10);
  EXPECT_NEAR(lo, 90.0, 1e-10);
  EXPECT_NEAR(double(georef::PolarLatitude(georef::Axes(gelWGS84), rho, 0.994L)), 10 * kDeg, 1e-15);
}

TEST(UPSToLatLong, PolesAndRoundTrip) {
  double la, lo;
  UPSToLatLong(2000000, 2000000, false, gelWGS84, la, lo);
  EXPECT_EQ(la, 90.0);
  UPSToLatLong(2000000, 2000000, true, gelWGS84, la, lo);
  EXPECT_EQ(la, -90.0);
  for (auto [lat, lon] : {std::pair{84.5, 10.0}, {88.0, -170.0}, {-80.5, 45.0}, {-89.9, -135.0}}) {
    const Grid g = ToUPS(lat, lon);
    UPSToLatLong(g.e, g.n, lat < 0, gelWGS84, la, lo);
    EXPECT_NEAR(la, lat, 1e-11);
    EXPECT_NEAR(lo, lon, 1e-10);
  }
}

// The library starts the iteration closer to the root and stops once it has
// converged; the result must equal that of the iteration as printed.
TEST(UPSToLatLong, EqualsPlainIteration) {
  std::mt19937_64 rng(17);
  std::uniform_real_distribution<double> grid(-3000000.0, 7000000.0), near(1000000.0, 3000000.0);
  std::uniform_int_distribution<int> ell(0, GeoEllipsoidCount - 1);
  for (int i = 0; i < 100000; ++i) {
    const auto el = static_cast<TGeoEllipsoid>(ell(rng));
    const bool south = i % 2;
    // Mostly the polar areas, some as far as the other hemisphere.
    const double e = i % 4 ? near(rng) : grid(rng), n = i % 4 ? near(rng) : grid(rng);
    double lat, lon, latPlain, lonPlain;
    UPSToLatLong(e, n, south, el, lat, lon);
    georef::PlainUPSToLatLong(georef::Axes(el), e, n, south, latPlain, lonPlain);
    ASSERT_NEAR(lat, latPlain, 1e-12) << e << " " << n << " " << GeoEllipsoidId[el];
    ASSERT_NEAR(lon, lonPlain, 1e-12);
  }
}
