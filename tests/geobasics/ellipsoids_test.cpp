#include "kartavo/geobasics/geobasics.h"
#include "kartavo/package/exceptions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>
#include <string>

using namespace kartavo;

namespace {

void ExpectRaises(const std::function<void()>& fn, const std::string& message) {
  try {
    fn();
    ADD_FAILURE() << "expected \"" << message << "\"";
  } catch (const EORVGeoBasicsError& e) {
    EXPECT_EQ(e.what(), message);
  }
}

} // namespace

TEST(EllipsoidCatalogue, TablesAreConsistent) {
  static_assert(sizeof(TGeoEllipsoid) == 1);
  static_assert(gelNahrwan29 == 60 && GeoEllipsoidCount == 61);
  EXPECT_EQ(GeoEllipsoidId[gelWGS84], "gelWGS84");
  EXPECT_EQ(GeoEllipsoidName[gelWGS84], "WGS 1984");
  EXPECT_EQ(GeoEllipsoidId[gelClrk80intfoot], "gelClrk80intfoot");
  EXPECT_EQ(GeoEllipsoidName[gelInt24AuthSph], "International 1924 Authalic Sphere");
  EXPECT_EQ(GeoEllipsoidData[gelNahrwan29].MajAx, 6378300.782);
  EXPECT_EQ(GeoEllipsoidData[gelNahrwan29].MinAx, 6356566.42744);
  std::set<std::string_view> ids(GeoEllipsoidId.begin(), GeoEllipsoidId.end());
  EXPECT_EQ(ids.size(), GeoEllipsoidCount);
  int spheres = 0;
  for (std::size_t i = 0; i < GeoEllipsoidCount; ++i) {
    EXPECT_EQ(GeoEllipsoidId[i].substr(0, 3), "gel");
    EXPECT_FALSE(GeoEllipsoidName[i].empty());
    EXPECT_GE(GeoEllipsoidData[i].MajAx, GeoEllipsoidData[i].MinAx);
    EXPECT_GT(GeoEllipsoidData[i].MinAx, 6.35e6);
    if (GeoEllipsoidData[i].MajAx == GeoEllipsoidData[i].MinAx) {
      ++spheres;
      EXPECT_EQ(RecipFlattening(TGeoEllipsoid(i)), 0.0);
      EXPECT_EQ(GeoEllEccSquared(TGeoEllipsoid(i)), 0.0);
    } else {
      EXPECT_GT(RecipFlattening(TGeoEllipsoid(i)), 290.0);
      EXPECT_LT(RecipFlattening(TGeoEllipsoid(i)), 310.0);
    }
  }
  EXPECT_EQ(spheres, 4);
}

TEST(EllipsoidRelations, DerivedFromStoredAxes) {
  EXPECT_NEAR(RecipFlattening(gelWGS84), 298.25722356049, 1e-9);
  EXPECT_NEAR(RecipFlattening(gelGRS80), 298.25722209604, 1e-9);
  EXPECT_NEAR(GeoEllEccSquared(gelWGS84), 0.00669437999020, 1e-14);
  EXPECT_DOUBLE_EQ(RecipFlattening(6378137.0, 6356752.314245), RecipFlattening(gelWGS84));
  // The axis overload divides the second by the first.
  EXPECT_LT(RecipFlattening(6356752.314245, 6378137.0), 0.0);
  EXPECT_EQ(RecipFlattening(6371000.0, 6371000.0), 0.0);
}

TEST(EllipsoidRelations, EccentricityOfAxesIgnoresOrder) {
  const double a = 6378137.0, b = 6356752.314245;
  EXPECT_EQ(GeoEllEccSquared(a, b), GeoEllEccSquared(b, a));
  EXPECT_NEAR(GeoEllEccSquared(a, b), GeoEllEccSquared(gelWGS84), 1e-17);
  EXPECT_EQ(GeoEllEccSquared(a, a), 0.0);
}

TEST(EllipsoidRelations, FlatteningAndEccentricityInvertEachOther) {
  EXPECT_EQ(GeoEllEccSquared(0.0), 0.0);
  EXPECT_EQ(RecipFlattening(0.0), 0.0);
  for (double e2 : {1e-9, 1e-4, 0.00669437999014, 0.1, 0.5, 0.9, 1.0}) {
    EXPECT_NEAR(GeoEllEccSquared(RecipFlattening(e2)), e2, 1e-15 * std::max(1.0, e2 * 10)) << e2;
  }
  EXPECT_EQ(RecipFlattening(1.0), 1.0);
  EXPECT_NEAR(GeoEllEccSquared(298.257223563), 0.00669437999014, 1e-14);
}

TEST(EllipsoidRelations, MinorAxis) {
  const double a = 6378137.0;
  EXPECT_EQ(EllipsoidMinAxFlat(a, 0.0), a);
  EXPECT_NEAR(EllipsoidMinAxFlat(a, 298.257223563), 6356752.314245, 1e-6);
  EXPECT_EQ(EllipsoidMinAxEcc(a, 0.0), a);
  EXPECT_NEAR(EllipsoidMinAxEcc(a, 0.00669437999014), 6356752.314245, 1e-6);
  EXPECT_EQ(EllipsoidMinAxEcc(a, 1.0), 0.0);
}

TEST(EllipsoidRelations, RejectsInvalidInput) {
  ExpectRaises([] { EllipsoidMinAxFlat(6378137.0, -1.0); }, "invalid reciprocal flattening");
  ExpectRaises([] { EllipsoidMinAxFlat(6378137.0, NAN); }, "invalid reciprocal flattening");
  ExpectRaises([] { RecipFlattening(1.5); }, "invalid eccentricity");
  ExpectRaises([] { RecipFlattening(-0.1); }, "invalid eccentricity");
  ExpectRaises([] { RecipFlattening(double(NAN)); }, "invalid eccentricity");
  ExpectRaises([] { EllipsoidMinAxEcc(6378137.0, -0.1); }, "invalid eccentricity");
  ExpectRaises([] { EllipsoidMinAxEcc(6378137.0, 1.5); }, "invalid eccentricity");
}

// A value outside the enumeration (a cast integer, a damaged record) must be
// refused by every routine that looks up the catalogue, never read past it.
TEST(EllipsoidRelations, RoutinesRefuseEllipsoidsOutsideTheCatalogue) {
  const auto bad = static_cast<kartavo::TGeoEllipsoid>(kartavo::GeoEllipsoidCount);
  const auto worse = static_cast<kartavo::TGeoEllipsoid>(255);
  int zone = 0;
  double a = 0, b = 0, c = 0;
  for (auto e : {bad, worse}) {
    EXPECT_THROW(kartavo::GeoEllEccSquared(e), kartavo::EORVGeoBasicsError);
    EXPECT_THROW(kartavo::RecipFlattening(e), kartavo::EORVGeoBasicsError);
    EXPECT_THROW(kartavo::LatLongToUTM(48.0, 16.0, e, zone, a, b), kartavo::EORVGeoBasicsError);
    EXPECT_THROW(kartavo::LatLongToUPS(88.0, 16.0, e, a, b), kartavo::EORVGeoBasicsError);
    EXPECT_THROW(kartavo::GeoToCartesian(48.0, 16.0, 0.0, e, a, b, c), kartavo::EORVGeoBasicsError);
  }
  EXPECT_NO_THROW(kartavo::LatLongToUTM(48.0, 16.0, kartavo::gelWGS84, zone, a, b));
}
