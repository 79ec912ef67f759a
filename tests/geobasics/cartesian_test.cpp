// Geocentric coordinates against an independent computation in long double:
// the forward conversion through the reduced latitude, the reverse one by
// fixed-point iteration of the latitude.
#include "kartavo/geobasics/cartesian.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

namespace kartavo {
namespace {

using ld = long double;
constexpr ld Pi = std::numbers::pi_v<ld>;

struct Geo {
  ld Lat, Long, Height;
};
struct Xyz {
  ld X, Y, Z;
};

// The foot point on the ellipsoid from the reduced latitude, then the height
// along the surface normal.
Xyz ReferenceToCartesian(const Geo& g, TGeoEllipsoid e) {
  const ld a = GeoEllipsoidData[e].MajAx, b = GeoEllipsoidData[e].MinAx;
  const ld phi = g.Lat * Pi / 180, lambda = g.Long * Pi / 180;
  const ld beta = std::atan2(b * std::sin(phi), a * std::cos(phi));
  const ld horizontal = a * std::cos(beta) + g.Height * std::cos(phi);
  return {horizontal * std::cos(lambda), horizontal * std::sin(lambda),
          b * std::sin(beta) + g.Height * std::sin(phi)};
}

// Iterates tan(phi) = (Z + e2 N sin(phi)) / p to convergence.
Geo ReferenceToGeo(const Xyz& c, TGeoEllipsoid e) {
  const ld a = GeoEllipsoidData[e].MajAx, b = GeoEllipsoidData[e].MinAx;
  const ld e2 = 1 - (b * b) / (a * a);
  const ld p = std::hypot(c.X, c.Y);
  ld phi = std::atan2(c.Z, p * (1 - e2));
  for (int i = 0; i < 100; ++i) {
    const ld n = a / std::sqrt(1 - e2 * std::sin(phi) * std::sin(phi));
    const ld next = std::atan2(c.Z + e2 * n * std::sin(phi), p);
    if (next == phi) break;
    phi = next;
  }
  const ld s = std::sin(phi);
  return {phi * 180 / Pi, std::atan2(c.Y, c.X) * 180 / Pi,
          p * std::cos(phi) + c.Z * s - a * std::sqrt(1 - e2 * s * s)};
}

// Difference of two longitudes, folded into -180 ... 180.
double LongDiff(double a, double b) { return std::remainder(a - b, 360.0); }

const TGeoEllipsoid TestEllipsoids[] = {gelWGS84,   gelClrk66,       gelAiry30,      gelEverest,
                                        gelKrass40, gelPlessis17,    gelHughes80,    gelSphere,
                                        gelAuthSph, gelInt24AuthSph, gelPopVisSphere};

TEST(Cartesian, RandomPointsAgreeWithReference) {
  std::mt19937_64 rng(20261207);
  std::uniform_real_distribution<double> lat(-90, 90), lon(-180, 180), h(-10000, 100000);
  double worstAngle = 0, worstHeight = 0, worstXyz = 0;
  for (TGeoEllipsoid e : TestEllipsoids) {
    for (int i = 0; i < 2000; ++i) {
      const Geo g{lat(rng), lon(rng), h(rng)};
      double x, y, z;
      GeoToCartesian(double(g.Lat), double(g.Long), double(g.Height), e, x, y, z);
      const Xyz ref = ReferenceToCartesian(g, e);
      worstXyz = std::max({worstXyz, double(std::fabs(x - ref.X)), double(std::fabs(y - ref.Y)),
                           double(std::fabs(z - ref.Z))});

      double la, lo, he;
      CartesianToGeo(x, y, z, e, la, lo, he);
      const Geo back = ReferenceToGeo({x, y, z}, e);
      worstAngle = std::max({worstAngle, double(std::fabs(la - back.Lat)),
                             std::fabs(LongDiff(lo, double(back.Long)))});
      worstHeight = std::max(worstHeight, double(std::fabs(he - back.Height)));
    }
  }
  EXPECT_LT(worstXyz, 1e-7);    // metres
  EXPECT_LT(worstAngle, 1e-10); // degrees, about 10 micrometres on the ground
  EXPECT_LT(worstHeight, 1e-6); // metres
}

TEST(Cartesian, RoundTripOnBothSidesOfNinetyDegreesLongitude) {
  for (double lon : {151.2, -120.0, 89.999, 90.0, 90.001, -89.999, -90.0, -90.001, 179.99, -179.99,
                     180.0, 0.0}) {
    for (double latitude : {-60.5, 0.0, 12.25, 51.5, 89.5}) {
      SCOPED_TRACE(testing::Message() << latitude << ", " << lon);
      double x, y, z, la, lo, he;
      GeoToCartesian(latitude, lon, 123.4, gelWGS84, x, y, z);
      CartesianToGeo(x, y, z, gelWGS84, la, lo, he);
      EXPECT_NEAR(la, latitude, 1e-10);
      EXPECT_NEAR(LongDiff(lo, lon), 0.0, 1e-10);
      EXPECT_NEAR(he, 123.4, 1e-6);
    }
  }
}

TEST(Cartesian, EquatorAtPrimeMeridianLiesOnTheXAxis) {
  double x, y, z;
  GeoToCartesian(0, 0, 0, gelWGS84, x, y, z);
  EXPECT_EQ(x, 6378137.0);
  EXPECT_EQ(y, 0.0);
  EXPECT_EQ(z, 0.0);
}

TEST(Cartesian, PolarAxisGivesThePoles) {
  for (TGeoEllipsoid e : TestEllipsoids) {
    SCOPED_TRACE(GeoEllipsoidId[e]);
    const double b = GeoEllipsoidData[e].MinAx;
    double la, lo, he;
    CartesianToGeo(0, 0, b + 250, e, la, lo, he);
    EXPECT_EQ(la, 90.0);
    EXPECT_EQ(lo, 0.0);
    EXPECT_NEAR(he, 250, 1e-6);
    CartesianToGeo(0, 0, -b - 250, e, la, lo, he);
    EXPECT_EQ(la, -90.0);
    EXPECT_NEAR(he, 250, 1e-6);
    // The centre counts as the north pole, at depth b.
    CartesianToGeo(0, 0, 0, e, la, lo, he);
    EXPECT_EQ(la, 90.0);
    EXPECT_NEAR(he, -b, 1e-6);
    // A hair off the axis still gives the pole on its own side.
    for (double p : {1e-300, 1e-60, 1e-30, 1e-12}) {
      CartesianToGeo(p, 0, b, e, la, lo, he);
      EXPECT_NEAR(la, 90.0, 1e-12) << p;
      EXPECT_NEAR(he, 0, 1e-6) << p;
      CartesianToGeo(0, -p, -b, e, la, lo, he);
      EXPECT_NEAR(la, -90.0, 1e-12) << p;
      EXPECT_NEAR(lo, -90.0, 1e-12) << p;
    }
  }
}

TEST(Cartesian, PolesRoundTrip) {
  for (TGeoEllipsoid e : TestEllipsoids) {
    for (double pole : {90.0, -90.0}) {
      double x, y, z, la, lo, he;
      GeoToCartesian(pole, 37.0, 15.0, e, x, y, z);
      CartesianToGeo(x, y, z, e, la, lo, he);
      EXPECT_NEAR(la, pole, 1e-12) << GeoEllipsoidId[e];
      EXPECT_NEAR(he, 15.0, 1e-6) << GeoEllipsoidId[e];
    }
  }
}

// On a sphere the latitude is the geocentric one and the height the distance
// from the centre less the radius.
TEST(Cartesian, SpheresGiveTheSphericalSolution) {
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<double> coord(-7e6, 7e6);
  for (TGeoEllipsoid e : {gelSphere, gelAuthSph, gelInt24AuthSph, gelPopVisSphere}) {
    const double radius = GeoEllipsoidData[e].MajAx;
    for (int i = 0; i < 500; ++i) {
      const double x = coord(rng), y = coord(rng), z = coord(rng);
      double la, lo, he;
      CartesianToGeo(x, y, z, e, la, lo, he);
      ASSERT_TRUE(std::isfinite(la) && std::isfinite(lo) && std::isfinite(he));
      const ld p = std::hypot(ld(x), ld(y));
      EXPECT_NEAR(la, double(std::atan2(ld(z), p) * 180 / Pi), 1e-12);
      EXPECT_NEAR(lo, double(std::atan2(ld(y), ld(x)) * 180 / Pi), 1e-12);
      EXPECT_NEAR(he, double(std::hypot(p, ld(z)) - radius), 1e-6);
    }
  }
}

} // namespace
} // namespace kartavo
