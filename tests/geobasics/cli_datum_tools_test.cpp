// The geodesy subcommands of the kartavo program: cart, helmert, datums and
// countries, run as a user runs them.
#include "../cli_run.h"

#include "kartavo/geobasics/geobasics.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace kartavo {
namespace {

using clitest::Lines;
using clitest::RunCli;

std::vector<double> Numbers(const std::string& line) {
  std::vector<double> values;
  std::istringstream in(line);
  for (double v; in >> v;)
    values.push_back(v);
  return values;
}

std::vector<std::string> Tabs(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string f; std::getline(in, f, '\t');)
    fields.push_back(f);
  return fields;
}

TEST(CliCart, WritesGeocentricCoordinatesOnTheChosenEllipsoid) {
  const auto r = RunCli({"cart", "-e", "gelAiry30"}, "51.5 -0.1 12\n0,0\n");
  ASSERT_EQ(r.Status, 0) << r.Err;
  const auto lines = Lines(r.Out);
  ASSERT_EQ(lines.size(), 2u);
  double x, y, z;
  GeoToCartesian(51.5, -0.1, 12, gelAiry30, x, y, z);
  const auto v = Numbers(lines[0]);
  ASSERT_EQ(v.size(), 3u);
  EXPECT_NEAR(v[0], x, 1e-4);
  EXPECT_NEAR(v[1], y, 1e-4);
  EXPECT_NEAR(v[2], z, 1e-4);
  EXPECT_EQ(Numbers(lines[1]), (std::vector<double>{GeoEllipsoidData[gelAiry30].MajAx, 0, 0}));
}

TEST(CliCart, EllipsoidByIdentifierNameOrOrdinal) {
  const std::string expected = RunCli({"cart", "-e", "gelClrk66", "45", "45"}).Out;
  for (const char* name : {"clrk66", "GELCLRK66", "Clarke 1866", "5"})
    EXPECT_EQ(RunCli({"cart", "-e", name, "45", "45"}).Out, expected) << name;
  EXPECT_NE(RunCli({"cart", "45", "45"}).Out, expected); // WGS 84 by default

  const auto bad = RunCli({"cart", "-e", "Clarke 1867", "45", "45"});
  EXPECT_EQ(bad.Status, 2);
  EXPECT_NE(bad.Err.find("Clarke 1867"), std::string::npos);
  EXPECT_EQ(RunCli({"cart", "-e", "61", "45", "45"}).Status, 2);
}

TEST(CliCart, ReverseRestoresThePositions) {
  const std::string input = "51.5 151.2 100\n-33.9 -120 0\n89.9 90 5\n";
  const auto there = RunCli({"cart", "-e", "WGS84"}, input);
  const auto back = RunCli({"cart", "--reverse"}, there.Out);
  ASSERT_EQ(back.Status, 0) << back.Err;
  const auto in = Lines(input), out = Lines(back.Out);
  ASSERT_EQ(out.size(), in.size());
  for (size_t i = 0; i < in.size(); ++i) {
    const auto a = Numbers(in[i]), b = Numbers(out[i]);
    ASSERT_EQ(b.size(), 3u);
    EXPECT_NEAR(b[0], a[0], 1e-8);
    EXPECT_NEAR(b[1], a[1], 1e-8);
    EXPECT_NEAR(b[2], a[2], 1e-3);
  }
}

TEST(CliCart, BadLinesAreNamedAndKeepTheirPlace) {
  const auto r = RunCli({"cart"}, "1 2 3\nnorth 2\n95 0\n\n4 5\n");
  EXPECT_EQ(r.Status, 1);
  const auto lines = Lines(r.Out);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[1], "* * *");
  EXPECT_EQ(lines[2], "* * *");
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(Numbers(lines[4]).size(), 3u);
  EXPECT_NE(r.Err.find("line 2: expected latitude longitude [height]: \"north 2\""),
            std::string::npos)
      << r.Err;
  EXPECT_NE(r.Err.find("line 3: latitude 95"), std::string::npos) << r.Err;
  const auto reverse = RunCli({"cart", "-r"}, "1 2\n");
  EXPECT_EQ(reverse.Status, 1);
  EXPECT_EQ(reverse.Out, "* * *\n");
  EXPECT_NE(reverse.Err.find("expected X Y Z"), std::string::npos);
}

TEST(CliHelmert, ShiftsAndRejectsPositionsOutOfRange) {
  const auto r = RunCli({"helmert", "183", "269"}, "51.5 -0.1 0\n51.5 190\n91 0\n");
  EXPECT_EQ(r.Status, 1);
  const auto lines = Lines(r.Out);
  ASSERT_EQ(lines.size(), 3u);
  const auto ok = Numbers(lines[0]);
  ASSERT_EQ(ok.size(), 4u);
  EXPECT_NEAR(ok[0], 51.500512, 5e-7);
  EXPECT_NEAR(ok[1], -0.101609, 5e-7);
  EXPECT_NEAR(ok[2], 46.07, 0.005);
  EXPECT_EQ(ok[3], 0);
  EXPECT_EQ(lines[1], "* * * *");
  EXPECT_EQ(lines[2], "* * * *");
  EXPECT_NE(r.Err.find("line 2: status -4: longitude 190 is outside"), std::string::npos) << r.Err;
  EXPECT_NE(r.Err.find("line 3: status -3: latitude 91 is outside"), std::string::npos) << r.Err;
}

TEST(CliHelmert, ADatumShiftedToItselfStaysPut) {
  const auto r = RunCli({"helmert", "33", "33", "33.9", "35.5", "0"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, "33.900000000 35.500000000 0.0000 0\n");
  double lat, lon, h;
  EXPECT_EQ(HelmertTransform(183, 51.5, -0.1, 12.5, 183, lat, lon, h), htOk);
  EXPECT_EQ(lat, 51.5);
  EXPECT_EQ(lon, -0.1);
  EXPECT_EQ(h, 12.5);
  EXPECT_EQ(HelmertTransform(183, 95, -0.1, 0, 183, lat, lon, h), htBadLatitude);
}

TEST(CliHelmert, DatumNumbersOutsideTheTableAreUsageErrors) {
  EXPECT_EQ(RunCli({"helmert", "0", "269", "1", "1"}).Status, 2);
  EXPECT_EQ(RunCli({"helmert", "183", "272", "1", "1"}).Status, 2);
  EXPECT_EQ(RunCli({"helmert", "183"}).Status, 2);
}

TEST(CliDatums, ListsEveryDatumOrTheMatchingOnes) {
  const auto all = RunCli({"datums"});
  ASSERT_EQ(all.Status, 0);
  const auto lines = Lines(all.Out);
  ASSERT_EQ(lines.size(), 271u);
  EXPECT_EQ(lines[182], "183\tORDNANCE GB 1936\tGB - Great Britain\tgelAiry30");

  // Case-insensitive, trailing blanks kept.
  EXPECT_EQ(RunCli({"datums", "qornoq"}).Out, "216\tQORNOQ \tGreenland South\tgelInt24\n");
  EXPECT_EQ(Lines(RunCli({"datums", "european datum 1950"}).Out).size(), 25u);
  EXPECT_EQ(Lines(RunCli({"datums", "gelairy30"}).Out).size(), 1u);

  const auto withParameters = RunCli({"datums", "-p", "13"});
  const auto fields = Tabs(Lines(withParameters.Out).at(0));
  ASSERT_EQ(fields.size(), 11u);
  EXPECT_EQ(fields[1], "RD, AMERSFOORT");
  EXPECT_EQ(fields[7], "4.08");
  EXPECT_EQ(fields[10], "-1.869");

  const auto none = RunCli({"datums", "atlantis"});
  EXPECT_EQ(none.Status, 1);
  EXPECT_NE(none.Err.find("atlantis"), std::string::npos);
}

TEST(CliCountries, ListsCountriesByNameCapitalOrCode) {
  const auto all = RunCli({"countries"});
  ASSERT_EQ(all.Status, 0);
  EXPECT_EQ(Lines(all.Out).size(), 231u);

  const auto netherlands = Tabs(Lines(RunCli({"countries", "NLD"}).Out).at(0));
  ASSERT_EQ(netherlands.size(), 10u);
  EXPECT_EQ(netherlands[0], "Netherlands");
  EXPECT_EQ(netherlands[6], "Amsterdam");
  EXPECT_EQ(netherlands[9], "-1");

  EXPECT_EQ(RunCli({"countries", "kabul"}).Out.substr(0, 12), "Afghanistan\t");
  const auto antarctica = Tabs(Lines(RunCli({"countries", "antarctica"}).Out).at(0));
  ASSERT_EQ(antarctica.size(), 10u);
  EXPECT_EQ(antarctica[6], "");
  EXPECT_EQ(RunCli({"countries", "atlantis"}).Status, 1);
}

TEST(CliDemo, HasADatumShiftSection) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("kartavo-demo-datum-shift-" + std::to_string(::getpid()));
  const auto r = RunCli({"demo", dir.string()});
  std::filesystem::remove_all(dir);
  ASSERT_EQ(r.Status, 0) << r.Err;
  const auto section = r.Out.find("== Datum shifts ==");
  ASSERT_NE(section, std::string::npos);
  EXPECT_NE(r.Out.find("51.500512 -0.101609 46.07 m", section), std::string::npos);
}

} // namespace
} // namespace kartavo
