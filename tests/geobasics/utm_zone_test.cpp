#include "kartavo/geobasics/geobasics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace kartavo;

namespace {

struct Zone {
  int zone;
  char16_t letter;
};

Zone ZoneOf(double lat, double lon) {
  Zone z{-1, u'?'};
  GeoToUTMZone(lat, lon, z.zone, z.letter);
  return z;
}

void ExpectZone(double lat, double lon, int zone, char letter) {
  const Zone z = ZoneOf(lat, lon);
  EXPECT_EQ(z.zone, zone) << lat << " " << lon;
  EXPECT_EQ(z.letter, char16_t(letter)) << lat << " " << lon;
}

} // namespace

TEST(GeoToUTMZone, RegularZonesAndBands) {
  ExpectZone(0, 0, 31, 'N');
  ExpectZone(-0.0001, 0, 31, 'M');
  ExpectZone(-80, -180, 1, 'C');
  ExpectZone(-72.0001, -174.0001, 1, 'C');
  ExpectZone(-72, -174, 2, 'D');
  ExpectZone(48.2, 16.4, 33, 'U');
  ExpectZone(40.7, -74.0, 18, 'T');
  ExpectZone(-33.9, 151.2, 56, 'H');
  ExpectZone(10, 179.9999, 60, 'P');
  // Bands skip I and O.
  ExpectZone(-32, 0, 31, 'J');
  ExpectZone(-33, 0, 31, 'H');
  ExpectZone(8, 0, 31, 'P');
  ExpectZone(7.9, 0, 31, 'N');
}

TEST(GeoToUTMZone, EveryBandLetterInOrder) {
  const std::string bands = "CDEFGHJKLMNPQRSTUVWX";
  for (int i = 0; i < 20; ++i) {
    const double lat = -80 + 8 * i + 4;
    EXPECT_EQ(ZoneOf(lat, -100).letter, char16_t(bands[i])) << lat;
  }
}

TEST(GeoToUTMZone, BandXCoversTwelveDegrees) {
  ExpectZone(71.9999, -100, 14, 'W');
  ExpectZone(72, -100, 14, 'X');
  ExpectZone(80, -100, 14, 'X');
  ExpectZone(84, 0, 31, 'X');
}

TEST(GeoToUTMZone, NorwayException) {
  ExpectZone(60, 5, 32, 'V');
  ExpectZone(60, 3, 32, 'V');
  ExpectZone(60, 2.9999, 31, 'V');
  ExpectZone(60, 11.9999, 32, 'V');
  ExpectZone(60, 12, 33, 'V');
  ExpectZone(55.9999, 5, 31, 'U'); // band U is not widened
  ExpectZone(64, 5, 31, 'W');      // nor band W
}

TEST(GeoToUTMZone, SvalbardException) {
  ExpectZone(78, 0, 31, 'X');
  ExpectZone(78, 8.9999, 31, 'X');
  ExpectZone(78, 9, 33, 'X');
  ExpectZone(78, 10, 33, 'X');
  ExpectZone(78, 20.9999, 33, 'X');
  ExpectZone(78, 21, 35, 'X');
  ExpectZone(78, 32.9999, 35, 'X');
  ExpectZone(78, 33, 37, 'X');
  ExpectZone(78, 41.9, 37, 'X');
  ExpectZone(78, 42, 38, 'X');
  ExpectZone(78, -0.0001, 30, 'X');
  ExpectZone(72, 7, 31, 'X');
  ExpectZone(71.9, 7, 32, 'W');
}

TEST(GeoToUTMZone, OutOfRange) {
  for (auto [lat, lon] : {std::pair{84.1, 0.0},
                          {84.0000001, 100.0},
                          {-80.0001, 0.0},
                          {0.0, 180.0},
                          {50.0, 180.0},
                          {0.0, -180.0001},
                          {91.0, 0.0},
                          {NAN, 0.0},
                          {0.0, NAN},
                          {INFINITY, 0.0},
                          {0.0, -INFINITY}}) {
    ExpectZone(lat, lon, 0, ' ');
    EXPECT_EQ(GeoToUTMZone(lat, lon), "") << lat << " " << lon;
  }
}

TEST(GeoToUTMZone, TextForm) {
  EXPECT_EQ(GeoToUTMZone(48.2, 11.5), "32U");
  EXPECT_EQ(GeoToUTMZone(-80, -180), "1C");
  EXPECT_EQ(GeoToUTMZone(78, 10), "33X");
  EXPECT_EQ(GeoToUTMZone(-33.9, 151.2), "56H");
}
