#include "geodesy_references.h"
#include "kartavo/geobasics/geobasics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <random>

using namespace kartavo;

namespace {

struct Utm {
  int zone;
  double easting, northing;
};

Utm ToUTM(double lat, double lon, TGeoEllipsoid el = gelWGS84) {
  Utm u{};
  LatLongToUTM(lat, lon, el, u.zone, u.easting, u.northing);
  return u;
}

// Exact UTM coordinates of a position in a given zone.
void ExactUTM(double lat, double lon, int zone, TGeoEllipsoid el, double& e, double& n) {
  const georef::Krueger exact{georef::Axes(el)};
  georef::Real x, y;
  exact.Forward(georef::Real(lat) * georef::kPi / 180,
                (georef::Real(lon) - (6 * zone - 183)) * georef::kPi / 180, x, y);
  e = double(0.9996L * x + 500000);
  n = double(0.9996L * y);
  if (n < 0) n += 10000000;
}

} // namespace

TEST(LatLongToUTM, PublishedPoints) {
  // The origin of latitude and longitude, 3 degrees west of zone 31's meridian.
  Utm u = ToUTM(0, 0);
  EXPECT_EQ(u.zone, 31);
  EXPECT_NEAR(u.easting, 166021.4431, 1e-4);
  EXPECT_EQ(u.northing, 0.0);
  // Snyder's worked example on Clarke 1866: 40.5 N, 73.5 W about 75 W gives
  // x = 127106.5 m, y = 4484124.4 m.
  u = ToUTM(40.5, -73.5, gelClrk66);
  EXPECT_EQ(u.zone, 18);
  EXPECT_NEAR(u.easting - 500000, 127106.5, 0.05);
  EXPECT_NEAR(u.northing, 4484124.4, 0.05);
}

TEST(LatLongToUTM, MatchesExactProjectionOverTheWholeSystem) {
  std::mt19937_64 rng(42);
  std::uniform_real_distribution<double> lat(-80.0, 84.0), lon(-180.0, 180.0);
  for (TGeoEllipsoid el : {gelWGS84, gelInt24, gelClrk66}) {
    for (int i = 0; i < 3000; ++i) {
      const double la = lat(rng), lo = lon(rng);
      const Utm u = ToUTM(la, lo, el);
      ASSERT_GE(u.zone, 1);
      double e, n;
      ExactUTM(la, lo, u.zone, el, e, n);
      // Svalbard zones reach up to 9 degrees from their meridian.
      const double tol = std::fabs(lo - (6 * u.zone - 183)) <= 3.0 ? 3e-5 : 1e-3;
      ASSERT_NEAR(u.easting, e, tol) << la << " " << lo;
      ASSERT_NEAR(u.northing, n, tol) << la << " " << lo;
    }
  }
}

TEST(LatLongToUTM, CentralMeridianAndEquator) {
  for (int zone = 1; zone <= 60; ++zone) {
    const Utm u = ToUTM(37.25, 6.0 * zone - 183.0);
    EXPECT_EQ(u.zone, zone);
    EXPECT_EQ(u.easting, 500000.0);
  }
  const Utm south = ToUTM(-1e-7, 10.0);
  EXPECT_LT(south.northing, 10000000.0);
  EXPECT_GT(south.northing, 10000000.0 - 0.1);
  EXPECT_EQ(ToUTM(0.0, 10.0).northing, 0.0);
  EXPECT_GT(ToUTM(1e-7, 10.0).northing, 0.0);
}

TEST(LatLongToUTM, NorthingIsNeverNegativeAndTheLatitudeTellsTheHemisphere) {
  constexpr double tiny = std::numeric_limits<double>::denorm_min();
  for (double lat : {-45.0, -1e-7, -1e-300, -tiny, -0.0, 0.0, tiny, 1e-7, 45.0}) {
    const Utm u = ToUTM(lat, 10.0);
    EXPECT_FALSE(std::signbit(u.northing)) << lat;
    EXPECT_LE(u.northing, 10000000.0) << lat;
    double backLat, backLong;
    UTMToLatLong(u.easting, u.northing, u.zone, lat < 0, gelWGS84, backLat, backLong);
    EXPECT_NEAR(backLat, lat, 1e-9) << lat;
    EXPECT_NEAR(backLong, 10.0, 1e-9) << lat;
  }
}

TEST(LatLongToUTM, SpecialZonesUseTheirOwnMeridian) {
  // Bergen lies in zone 32 by the Norway rule; its easting is west of 500 km.
  Utm u = ToUTM(60.39, 5.32);
  EXPECT_EQ(u.zone, 32);
  double e, n;
  ExactUTM(60.39, 5.32, 32, gelWGS84, e, n);
  EXPECT_NEAR(u.easting, e, 1e-4);
  EXPECT_LT(u.easting, 500000.0);
  // Longyearbyen (Svalbard) is in zone 33.
  u = ToUTM(78.22, 15.65);
  EXPECT_EQ(u.zone, 33);
  ExactUTM(78.22, 15.65, 33, gelWGS84, e, n);
  EXPECT_NEAR(u.northing, n, 1e-4);
}

TEST(LatLongToUTM, OutOfRangeStillComputesAboutGreenwich) {
  const Utm u = ToUTM(85.0, 1.0);
  EXPECT_EQ(u.zone, 0);
  double x, y;
  LatLongToTM(85.0 * std::numbers::pi / 180, 1.0 * std::numbers::pi / 180, 0.0, gelWGS84, x, y);
  EXPECT_DOUBLE_EQ(u.easting, 0.9996 * x + 500000);
  EXPECT_DOUBLE_EQ(u.northing, 0.9996 * y);
}

TEST(UTMToLatLong, InvertsExactCoordinates) {
  std::mt19937_64 rng(5);
  std::uniform_real_distribution<double> lat(-80.0, 84.0), dl(-3.0, 3.0);
  std::uniform_int_distribution<int> zones(1, 60);
  for (int i = 0; i < 5000; ++i) {
    const int zone = zones(rng);
    const double la = lat(rng), lo = 6.0 * zone - 183.0 + dl(rng);
    double e, n;
    ExactUTM(la, lo, zone, gelWGS84, e, n);
    double laBack, loBack;
    UTMToLatLong(e, n, zone, la < 0, gelWGS84, laBack, loBack);
    // 1e-7 degrees is about a centimetre; the series do far better.
    ASSERT_NEAR(laBack, la, 1e-10) << la << " " << lo;
    ASSERT_NEAR(loBack, lo, 1e-10 / std::cos(la * std::numbers::pi / 180)) << la << " " << lo;
  }
}

TEST(UTMToLatLong, RoundTripAndHemispheres) {
  for (auto [lat, lon] : {std::pair{47.07, 15.44},
                          {-33.92, 18.42},
                          {-0.2, -78.5},
                          {83.9, -40.0},
                          {-79.9, 166.7},
                          {0.0, 0.0}}) {
    const Utm u = ToUTM(lat, lon);
    double la, lo;
    UTMToLatLong(u.easting, u.northing, u.zone, lat < 0, gelWGS84, la, lo);
    EXPECT_NEAR(la, lat, 1e-9);
    EXPECT_NEAR(lo, lon, 1e-9);
  }
  // The same grid values read in the other hemisphere land 10000 km away.
  double la, lo;
  UTMToLatLong(500000, 9000000, 33, false, gelWGS84, la, lo);
  EXPECT_NEAR(la, 81.0, 0.1);
  UTMToLatLong(500000, 9000000, 33, true, gelWGS84, la, lo);
  EXPECT_NEAR(la, -9.0, 0.1);
  EXPECT_DOUBLE_EQ(lo, 15.0);
  // A zone outside 1..60 is read about the Greenwich meridian.
  UTMToLatLong(500000, 1000000, 0, false, gelWGS84, la, lo);
  EXPECT_EQ(lo, 0.0);
  UTMToLatLong(500000, 1000000, 61, false, gelWGS84, la, lo);
  EXPECT_EQ(lo, 0.0);
}

// Within a micrometre of the printed series evaluated term by term, over the
// whole system, every ellipsoid, the special zones and the zone edges.
TEST(LatLongToUTM, EqualsTermByTermEvaluation) {
  std::mt19937_64 rng(99);
  std::uniform_real_distribution<double> lat(-80.0, 84.0), lon(-180.0, 180.0);
  std::uniform_int_distribution<int> ell(0, GeoEllipsoidCount - 1);
  for (int i = 0; i < 50000; ++i) {
    const auto el = static_cast<TGeoEllipsoid>(ell(rng));
    // Every fourth point sits on a zone boundary.
    const double la = lat(rng), lo = i % 4 ? lon(rng) : std::floor(lon(rng) / 6) * 6;
    const Utm u = ToUTM(la, lo, el);
    georef::Real x, y;
    georef::PlainLatLongToTM(georef::Axes(el), la * std::numbers::pi / 180,
                             (lo - (6 * u.zone - 183)) * std::numbers::pi / 180, x, y);
    double n = double(0.9996L * y);
    if (n < 0) n += 10000000;
    ASSERT_NEAR(u.easting, double(0.9996L * x + 500000), 1e-6) << la << " " << lo;
    ASSERT_NEAR(u.northing, n, 1e-6) << la << " " << lo;
  }
}
