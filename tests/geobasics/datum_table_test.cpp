// The built-in datum table: its size, the rows whose values are fixed, and
// enough rows spread over the table that a dropped, doubled or shifted row
// shows up.
#include "kartavo/geobasics/detail/datum_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string_view>

namespace kartavo {
namespace {

struct FullRow {
  int No;
  std::string_view Name, Area;
  TGeoEllipsoid Ellipsoid;
  double DX, DY, DZ, Scale, RotX, RotY, RotZ;
};

struct NamedRow {
  int No;
  std::string_view Name, Area;
  TGeoEllipsoid Ellipsoid;
};

// The datum numbered no, after checking its name, area and ellipsoid.
const TDatumParams& ExpectNamedDatum(int no, std::string_view name, std::string_view area,
                                     TGeoEllipsoid ellipsoid) {
  const TDatumParams& d = *FindDatum(no);
  EXPECT_EQ(d.DatumName.Bytes(), name);
  EXPECT_EQ(d.Area.Bytes(), area);
  EXPECT_EQ(d.Ellipsoid, ellipsoid);
  return d;
}

TEST(DatumTable, HasOneRowPerDatumNumber) {
  EXPECT_EQ(DatumTable.size(), 271u);
  EXPECT_EQ(FindDatum(0), nullptr);
  EXPECT_EQ(FindDatum(272), nullptr);
  EXPECT_EQ(FindDatum(-1), nullptr);
  EXPECT_EQ(FindDatum(1), &DatumTable.front());
  EXPECT_EQ(FindDatum(271), &DatumTable.back());
}

TEST(DatumTable, RowsWithFixedParameters) {
  const FullRow rows[] = {
      {1, "ACCRA", "Ghana", gelWarOffice, -199, 32, 322, 0, 0, 0, 0},
      {13, "RD, AMERSFOORT", "Netherlands", gelBess41, 565, 49.9, 465.8, 4.08, -0.409, 0.36,
       -1.869},
      {183, "ORDNANCE GB 1936", "GB - Great Britain", gelAiry30, 446.448, -125.157, 542.06, -20.49,
       0.15, 0.247, 0.8421},
      {217, "DHDN (RAUENBERG),", "Germany", gelBess41, 582, 105, 414, 8.3, 1.04, 0.35, -3.08},
      {239, "PZ90 (GLONASS),", "Russia", gelPZ90, -1.1, -0.3, -0.9, 0, 0, 0, 0.169},
      {268, "WORLD GEODETIC SYSTEM 1972", "World", gelWGS72, 0, 0, 4.5, 0.219, 0, 0, 0.554},
      {269, "WORLD GEODETIC SYSTEM 1984", "World", gelWGS84, 0, 0, 0, 0, 0, 0, 0},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.No);
    const TDatumParams& d = ExpectNamedDatum(r.No, r.Name, r.Area, r.Ellipsoid);
    EXPECT_EQ(d.DX, r.DX);
    EXPECT_EQ(d.DY, r.DY);
    EXPECT_EQ(d.DZ, r.DZ);
    EXPECT_EQ(d.Scale, r.Scale);
    EXPECT_EQ(d.RotX, r.RotX);
    EXPECT_EQ(d.RotY, r.RotY);
    EXPECT_EQ(d.RotZ, r.RotZ);
  }
}

// Names and areas keep their trailing blanks and commas.
TEST(DatumTable, RowsSpreadOverTheTable) {
  const NamedRow rows[] = {
      {2, "ADINDAN", "Burkina Faso", gelClrk80},
      {8, "ADINDAN", "Sudan", gelClrk80},
      {27, "MONTSERRAT IS. ASTRO 1958", "Montserrat", gelClrk80},
      {37, "BERNE (1898),", "Switzerland", gelBess41},
      {45, "S-JTSK", "Slovakia", gelBess41},
      {52, "CYPRUS 1935", "Cyprus", gelHongKong63},
      {67, "EUROPEAN DATUM 1950", "Spain (except NW),", gelInt24},
      {86, "ETRF89", "Europe", gelWGS84},
      {101, "MGI DATUM/HERMANNSKOGEL", "Austria", gelBess41},
      {108, "HUNGARIAN DATUM 1972", "Hungary", gelGRS67},
      {118, "1 INDIAN 1975", "Thailand", gelEver30},
      {123, "KANDAWALA JACKSON?", "Sri Lanka", gelEver30},
      {132, "LISBON (Castelo di Sao Jorge), D7", "Portugal", gelInt24},
      {153, "NORTH AMERICAN 1983", "US - Aleutian", gelWGS84},
      {160, "NORTH AMERICAN 1927", "Canada-Alberta/British Columbia", gelClrk66},
      {179, "NGO 1948", "Norway", gelBesselMod},
      {184, "OLD HAWAI'IAN", "US - Hawaii Mean", gelClrk66},
      {189, "OLD HAWAI'IAN", "US - Hawaii", gelInt24},
      {194, "PALESTINE 1928", "Israel", gelNahrwan29},
      {198, "PORTO SANTO 1936.", "Portugal - Maderia", gelInt24},
      {213, "PUERTO RICO & Virgin Is.", "Puerto Rico & Virgin Islands", gelClrk66},
      {216, "QORNOQ ", "Greenland South", gelInt24},
      {218, "REUNION ", "Mascarene Is", gelInt24},
      {236, "SCHWARZECK", "Namibia", gelBess41Nam},
      {244, "SOUTH ASIA", "Singapore", gelModifFish60},
      {250, "SYSTEM 1942/58 (PULKOVO 1942),", "Poland", gelKrass40},
      {258, "TIMBALAI 1948 (Everest),", "Malaysia E & Brunei", gelEverest},
      {259, "TIMBALAI 1968,Adj of 1948", "Malaysia E & Brunei", gelBess41},
      {260, "TIMBALAI 1968, Adj of 1948", "Malaysia E & Brunei", gelEverest},
      {270, "YACARE ", "Uruguay", gelInt24},
      {271, "ZANDERIJ", "Suriname", gelInt24},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.No);
    ExpectNamedDatum(r.No, r.Name, r.Area, r.Ellipsoid);
  }
}

TEST(DatumTable, TranslationOnlyAndSevenParameterRows) {
  int translationOnly = 0;
  for (const auto& d : DatumTable)
    if (d.Scale == 0 && d.RotX == 0 && d.RotY == 0 && d.RotZ == 0) ++translationOnly;
  EXPECT_EQ(translationOnly, 213);
  EXPECT_EQ(static_cast<int>(DatumTable.size()) - translationOnly, 58);
}

TEST(DatumTable, EveryRowIsUsable) {
  for (int no = 1; no <= DatumCount; ++no) {
    SCOPED_TRACE(no);
    const TDatumParams& d = *FindDatum(no);
    EXPECT_FALSE(d.DatumName.Empty());
    EXPECT_FALSE(d.Area.Empty());
    EXPECT_LT(static_cast<size_t>(d.Ellipsoid), GeoEllipsoidCount);
    // Shifts to WGS 84 stay within a few kilometres, scales within 100 ppm and
    // rotations within a minute of arc; anything else is a misplaced column.
    for (double t : {d.DX, d.DY, d.DZ})
      EXPECT_LT(std::abs(t), 2000.0);
    EXPECT_LT(std::abs(d.Scale), 100.0);
    for (double r : {d.RotX, d.RotY, d.RotZ})
      EXPECT_LT(std::abs(r), 60.0);
  }
}

} // namespace
} // namespace kartavo
