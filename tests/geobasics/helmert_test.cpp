// Helmert shifts between the built-in datums: the published British example,
// the rotation convention, the inverse, and the status codes and their order.
#include "kartavo/geobasics/helmert.h"

#include "kartavo/geobasics/cartesian.h"
#include "kartavo/geobasics/detail/datum_table.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <numbers>

namespace kartavo {
namespace {

constexpr int OSGB36 = 183, PZ90 = 239, WGS72 = 268, WGS84 = 269;

struct Shifted {
  int Status;
  double Lat, Long, Height;
};

Shifted Shift(int src, double lat, double lon, double h, int dst) {
  Shifted s{};
  s.Status = HelmertTransform(src, lat, lon, h, dst, s.Lat, s.Long, s.Height);
  return s;
}

TEST(Helmert, OrdnanceSurveyToWGS84) {
  const Shifted s = Shift(OSGB36, 51.5, -0.1, 0, WGS84);
  EXPECT_EQ(s.Status, 0);
  EXPECT_NEAR(s.Lat, 51.500512, 5e-7);
  EXPECT_NEAR(s.Long, -0.101609, 5e-7);
  EXPECT_NEAR(s.Height, 46.07, 0.005);
}

TEST(Helmert, WGS84ToItselfIsTheIdentity) {
  for (double lat : {-89.0, -33.9, 0.0, 51.5, 89.9}) {
    for (double lon : {-180.0, -120.0, 0.0, 151.2, 180.0}) {
      const Shifted s = Shift(WGS84, lat, lon, 321.0, WGS84);
      EXPECT_EQ(s.Status, 0);
      EXPECT_NEAR(s.Lat, lat, 5e-11);
      EXPECT_NEAR(std::remainder(s.Long - lon, 360.0), 0, 5e-11);
      EXPECT_NEAR(s.Height, 321.0, 1e-6);
    }
  }
}

// A translation-only datum moves the geocentric position by exactly its
// translation.
TEST(Helmert, TranslationOnlyDatumMovesByItsTranslation) {
  const TDatumParams& accra = *FindDatum(1);
  const Shifted s = Shift(1, 5.6, -0.2, 80, WGS84);
  double x0, y0, z0, x1, y1, z1;
  GeoToCartesian(5.6, -0.2, 80, accra.Ellipsoid, x0, y0, z0);
  GeoToCartesian(s.Lat, s.Long, s.Height, gelWGS84, x1, y1, z1);
  EXPECT_NEAR(x1 - x0, accra.DX, 1e-6);
  EXPECT_NEAR(y1 - y0, accra.DY, 1e-6);
  EXPECT_NEAR(z1 - z0, accra.DZ, 1e-6);
}

// A positive rotation about Z turns a point counter-clockwise seen from the
// north pole: on the equator at longitude 0 it moves east by RotZ times the
// radius (plus the translation DY).
TEST(Helmert, PositiveRotationAboutZTurnsEastward) {
  const TDatumParams& pz = *FindDatum(PZ90);
  const double a = GeoEllipsoidData[gelPZ90].MajAx;
  const double eastward = pz.RotZ * std::numbers::pi / 648000 * (a + pz.DX) + pz.DY;
  const Shifted s = Shift(PZ90, 0, 0, 0, WGS84);
  const double aWgs = GeoEllipsoidData[gelWGS84].MajAx;
  EXPECT_GT(s.Long, 0);
  EXPECT_NEAR(s.Long * std::numbers::pi / 180 * aWgs, eastward, 1e-3);
}

// Shifting to WGS 84 and back uses the negated parameters, which undo the
// shift only to first order: what remains is of the order of (rotation +
// scale) times (rotation + scale) times the radius plus the translation, a few
// centimetres for most datums. A wrong sign would cost metres.
double SecondOrderBound(const TDatumParams& d) {
  const double rot = std::hypot(d.RotX, d.RotY, d.RotZ) * std::numbers::pi / 648000;
  const double small = rot + std::fabs(d.Scale) * 1e-6;
  const double reach = small * 6.4e6 + std::hypot(d.DX, d.DY, d.DZ);
  return 2 * small * reach + 1e-5; // plus the closed-form reverse conversion, micrometres
}

TEST(Helmert, ThereAndBackRestoresThePosition) {
  const double metresPerDegree = 111320;
  for (int no = 1; no <= DatumCount; ++no) {
    SCOPED_TRACE(no);
    const double bound = SecondOrderBound(*FindDatum(no));
    const Shifted there = Shift(no, 47.3, 8.5, 500, WGS84);
    const Shifted back = Shift(WGS84, there.Lat, there.Long, there.Height, no);
    EXPECT_EQ(there.Status, 0);
    EXPECT_LT(std::fabs(back.Lat - 47.3) * metresPerDegree, bound);
    EXPECT_LT(std::fabs(back.Long - 8.5) * metresPerDegree * std::cos(47.3 / 57.3), bound);
    EXPECT_LT(std::fabs(back.Height - 500), bound);
  }
}

// Between two datums the shift goes through WGS 84.
TEST(Helmert, DatumToDatumGoesThroughWGS84) {
  const Shifted viaWgs = Shift(OSGB36, 52.2, -1.5, 100, WGS84);
  const Shifted twoStep = Shift(WGS84, viaWgs.Lat, viaWgs.Long, viaWgs.Height, WGS72);
  const Shifted direct = Shift(OSGB36, 52.2, -1.5, 100, WGS72);
  EXPECT_NEAR(direct.Lat, twoStep.Lat, 1e-9);
  EXPECT_NEAR(direct.Long, twoStep.Long, 1e-9);
  EXPECT_NEAR(direct.Height, twoStep.Height, 1e-4);
}

TEST(Helmert, OutOfRangeCoordinatesAreReportedButConverted) {
  const Shifted wrapped = Shift(OSGB36, 51.5, 190, 0, WGS84);
  const Shifted same = Shift(OSGB36, 51.5, -170, 0, WGS84);
  EXPECT_EQ(wrapped.Status, -4);
  EXPECT_NEAR(wrapped.Lat, same.Lat, 1e-12);
  EXPECT_NEAR(wrapped.Long, same.Long, 1e-12);
  EXPECT_NEAR(wrapped.Height, same.Height, 1e-6);

  EXPECT_EQ(Shift(OSGB36, 95, 190, 0, WGS84).Status, -4);
  const Shifted tooFarNorth = Shift(OSGB36, 95, 0, 0, WGS84);
  EXPECT_EQ(tooFarNorth.Status, -3);
  EXPECT_TRUE(std::isfinite(tooFarNorth.Lat));
  EXPECT_EQ(Shift(OSGB36, -90.5, 0, 0, WGS84).Status, -3);
  EXPECT_EQ(Shift(OSGB36, 0, -180.5, 0, WGS84).Status, -4);
  // The limits themselves are valid.
  EXPECT_EQ(Shift(OSGB36, 90, 180, 0, WGS84).Status, 0);
  EXPECT_EQ(Shift(OSGB36, -90, -180, 0, WGS84).Status, 0);
}

TEST(Helmert, NotANumberIsOutOfRange) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(Shift(WGS84, nan, 0, 0, WGS84).Status, -3);
  EXPECT_EQ(Shift(WGS84, 0, nan, 0, WGS84).Status, -4);
}

// Each later failing check overwrites the status of an earlier one.
TEST(Helmert, StatusOrder) {
  EXPECT_EQ(Shift(0, 0, 0, 0, WGS84).Status, -1);
  EXPECT_EQ(Shift(272, 0, 0, 0, WGS84).Status, -1);
  EXPECT_EQ(Shift(WGS84, 0, 0, 0, 0).Status, -2);
  EXPECT_EQ(Shift(0, 0, 0, 0, 272).Status, -2);
  EXPECT_EQ(Shift(0, 95, 0, 0, 272).Status, -3);
  EXPECT_EQ(Shift(0, 95, 190, 0, 272).Status, -4);
  EXPECT_EQ(Shift(0, 0, 190, 0, WGS84).Status, -4);
}

// Datum numbers outside the table read nothing; the position comes back as
// given.
TEST(Helmert, BadDatumNumberLeavesThePositionUnchanged) {
  for (int bad : {INT_MIN, -1, 0, 272, 1000, INT_MAX}) {
    for (const Shifted& s :
         {Shift(bad, 51.5, -0.1, 12, WGS84), Shift(OSGB36, 51.5, -0.1, 12, bad)}) {
      EXPECT_LT(s.Status, 0) << bad;
      EXPECT_EQ(s.Lat, 51.5);
      EXPECT_EQ(s.Long, -0.1);
      EXPECT_EQ(s.Height, 12);
    }
  }
}

} // namespace
} // namespace kartavo
