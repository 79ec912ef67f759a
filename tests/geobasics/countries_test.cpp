// The country table: size, order, the rows whose values are fixed, and names
// spread over the table so that a dropped or shifted row shows up.
#include "kartavo/geobasics/country_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

namespace kartavo {
namespace {

struct FixedRow {
  size_t Position; // from 1
  std::string_view Name, Fips10, ISO2, ISO3;
  double CLat, CLong;
  std::string_view Capital;
  double CapLat, CapLong;
  int32_t CapAlt;
};

const TCountryData& At(size_t position) { return CountryData.at(position - 1); }

TEST(CountryTable, SizeAndOrder) {
  ASSERT_EQ(CountryData.size(), 231u);
  EXPECT_EQ(CountryData.front().Name.Bytes(), "Afghanistan");
  EXPECT_EQ(CountryData.back().Name.Bytes(), "Zimbabwe");
  for (size_t i = 1; i < CountryData.size(); ++i)
    EXPECT_LT(CountryData[i - 1].Name.Bytes(), CountryData[i].Name.Bytes()) << "position " << i;
}

TEST(CountryTable, RowsWithFixedValues) {
  const FixedRow rows[] = {
      {1, "Afghanistan", "af", "af", "afg", 33, 65, "Kabul", 34.5309, 69.1368, 1807},
      {8, "Antarctica", "ay", "aq", "ata", -90, 0, "", -90, 0, 0},
      {34, "Burma;Myanmar", "bm", "mm", "mmr", 22, 98, "Rangoon", 19.7361, 96.2089, 77},
      {80, "Germany", "gm", "de", "deu", 51, 9, "Berlin", 52.5163, 13.3276, 34},
      {148, "Netherlands", "nl", "nl", "nld", 52.5, 5.75, "Amsterdam", 52.373, 4.8948, -1},
      {185, "Serbia and Montenegro", "yi", "rs", "srb", 44, 21, "Belgrade", 44.8024, 20.4656, 116},
      {219, "United States", "us", "us", "usa", 38, -97, "Washington, DC", 38.9051, -77.0162, 2},
      {231, "Zimbabwe", "zi", "zw", "zwe", -20, 30, "Harare", -17.8292, 31.054, 1480},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.Position);
    const TCountryData& c = At(r.Position);
    EXPECT_EQ(c.Name.Bytes(), r.Name);
    EXPECT_EQ(c.Fips10.Bytes(), r.Fips10);
    EXPECT_EQ(c.ISO3166_2.Bytes(), r.ISO2);
    EXPECT_EQ(c.ISO3166_3.Bytes(), r.ISO3);
    EXPECT_EQ(c.CLat, r.CLat);
    EXPECT_EQ(c.CLong, r.CLong);
    EXPECT_EQ(c.Capital.Bytes(), r.Capital);
    EXPECT_EQ(c.CapLat, r.CapLat);
    EXPECT_EQ(c.CapLong, r.CapLong);
    EXPECT_EQ(c.CapAlt, r.CapAlt);
  }
}

TEST(CountryTable, NamesSpreadOverTheTable) {
  const std::pair<size_t, std::string_view> rows[] = {
      {15, "Azerbaijan"},
      {30, "British Virgin Islands"},
      {45, "Christmas Island"},
      {49, "Congo, Democratic Republic of the"},
      {50, "Congo, Republic of the"},
      {53, "Cote d'Ivoire"},
      {62, "East Timor;Timor Lestre"},
      {70, "Falkland Islands; Malvinas"},
      {90, "Guinea"},
      {105, "Japan"},
      {111, "Korea, North"},
      {112, "Korea, South"},
      {135, "Mayotte"},
      {150, "New Caledonia"},
      {165, "Peru"},
      {180, "Samoa"},
      {195, "Sri Lanka"},
      {210, "Tunisia"},
      {225, "Vietnam"},
  };
  for (const auto& [position, name] : rows)
    EXPECT_EQ(At(position).Name.Bytes(), name);
}

bool LowerCaseCode(std::string_view code, size_t length) {
  if (code.size() != length) return false;
  for (char c : code)
    if (c < 'a' || c > 'z') return false;
  return true;
}

TEST(CountryTable, CodesAreLowerCaseAndUniquePerStandard) {
  std::set<std::string_view> fips, iso2, iso3;
  for (const auto& c : CountryData) {
    SCOPED_TRACE(c.Name.ToString());
    EXPECT_TRUE(LowerCaseCode(c.Fips10.Bytes(), 2));
    EXPECT_TRUE(LowerCaseCode(c.ISO3166_2.Bytes(), 2));
    EXPECT_TRUE(LowerCaseCode(c.ISO3166_3.Bytes(), 3));
    EXPECT_TRUE(fips.insert(c.Fips10.Bytes()).second);
    EXPECT_TRUE(iso2.insert(c.ISO3166_2.Bytes()).second);
    EXPECT_TRUE(iso3.insert(c.ISO3166_3.Bytes()).second);
  }
}

// Positions are in range; only places without a capital have an empty one,
// and those carry the centre as the capital's position at altitude 0.
TEST(CountryTable, PositionsAndCapitals) {
  int withoutCapital = 0;
  for (const auto& c : CountryData) {
    SCOPED_TRACE(c.Name.ToString());
    for (double lat : {c.CLat, c.CapLat})
      EXPECT_TRUE(lat >= -90 && lat <= 90);
    for (double lon : {c.CLong, c.CapLong})
      EXPECT_TRUE(lon >= -180 && lon <= 180);
    EXPECT_TRUE(c.CapAlt > -500 && c.CapAlt < 5000);
    if (c.Capital.Empty()) {
      ++withoutCapital;
      EXPECT_EQ(c.CapLat, c.CLat);
      EXPECT_EQ(c.CapLong, c.CLong);
      EXPECT_EQ(c.CapAlt, 0);
    }
  }
  EXPECT_EQ(withoutCapital, 2); // Antarctica, Western Sahara
}

} // namespace
} // namespace kartavo
