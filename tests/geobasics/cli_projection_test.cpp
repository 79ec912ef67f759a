// The ellipsoids, utm and ups subcommands, run as a user runs them.
#include "../cli_run.h"
#include "kartavo/geobasics/geobasics.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

using namespace kartavo;

namespace {

struct CliRun {
  int status;
  std::vector<std::string> lines; // standard output
  std::string errors;             // standard error
};

// Runs the program with args, feeding input to its standard input.
CliRun Kartavo(const std::string& args, const std::string& input = "") {
  const clitest::CliResult r = clitest::RunShell("'" KARTAVO_CLI "' " + args, input);
  return {r.Status, clitest::Lines(r.Out), r.Err};
}

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> w;
  for (std::string s; in >> s;)
    w.push_back(s);
  return w;
}

} // namespace

TEST(CliEllipsoids, OneLinePerEntry) {
  const CliRun r = Kartavo("ellipsoids");
  ASSERT_EQ(r.status, 0);
  ASSERT_EQ(r.lines.size(), GeoEllipsoidCount);
  const auto first = Words(r.lines[0]);
  EXPECT_EQ(first, (std::vector<std::string>{"0", "gelWGS84", "WGS", "1984", "6378137",
                                             "6356752.314245", "298.257223560"}));
  const auto sphere = Words(r.lines[gelSphere]);
  EXPECT_EQ(sphere.back(), "0.000000000");
  EXPECT_EQ(Words(r.lines[60])[1], "gelNahrwan29");
}

TEST(CliUtm, ForwardFromArgumentsAndInput) {
  CliRun r = Kartavo("utm 0 0");
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.lines, (std::vector<std::string>{"31n 166021.443 0.000"}));
  r = Kartavo("utm -p 1", "60.39 5.32\n-33.8688,151.2093\n78.22 15.65\n");
  ASSERT_EQ(r.status, 0) << r.errors;
  ASSERT_EQ(r.lines.size(), 3u);
  EXPECT_EQ(Words(r.lines[0])[0], "32n");
  int zone;
  double e, n;
  LatLongToUTM(-33.8688, 151.2093, gelWGS84, zone, e, n);
  char expect[80];
  std::snprintf(expect, sizeof expect, "56s %.1f %.1f", e, n);
  EXPECT_EQ(r.lines[1], expect);
  EXPECT_EQ(Words(r.lines[2])[0], "33n");
  r = Kartavo("utm --band 60.39 5.32");
  EXPECT_EQ(Words(r.lines.at(0))[0] + Words(r.lines.at(0))[1], "32nV");
}

TEST(CliUtm, EllipsoidByIdentifierNameOrOrdinal) {
  const std::string clarke = Kartavo("utm -e gelClrk66 40.5 -73.5").lines.at(0);
  EXPECT_EQ(clarke, "18n 627106.467 4484124.434");
  EXPECT_EQ(Kartavo("utm -e CLRK66 40.5 -73.5").lines.at(0), clarke);
  EXPECT_EQ(Kartavo("utm -e 5 40.5 -73.5").lines.at(0), clarke);
  EXPECT_NE(Kartavo("utm 40.5 -73.5").lines.at(0), clarke);
  const CliRun bad = Kartavo("utm -e Mars 1 1");
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.errors.find("Mars"), std::string::npos);
}

TEST(CliUtm, RejectedLinesKeepTheirPlaceWithAPlaceholder) {
  const CliRun r = Kartavo("utm", "85 0\nnot a position\n10 10\n0 180\n95 0\n\n10 abc\n");
  EXPECT_EQ(r.status, 1);
  ASSERT_EQ(r.lines.size(), 7u);
  EXPECT_EQ(r.lines[0], "* * *");
  EXPECT_EQ(r.lines[1], "* * *");
  EXPECT_EQ(Words(r.lines[2])[0], "32n");
  EXPECT_EQ(Words(r.lines[3])[0], "1n"); // 180 is -180
  EXPECT_EQ(r.lines[4], "* * *");
  EXPECT_EQ(r.lines[5], "");
  EXPECT_EQ(r.lines[6], "* * *");
  for (const char* no : {"line 1:", "line 2:", "line 5:", "line 7:"})
    EXPECT_NE(r.errors.find(no), std::string::npos) << no << r.errors;
  EXPECT_EQ(r.errors.find("line 3:"), std::string::npos) << r.errors;
  EXPECT_NE(r.errors.find("outside the UTM zones"), std::string::npos) << r.errors;
}

TEST(CliUtm, ReverseReadsDesignatorsBandsAndRefusesALoneS) {
  CliRun r = Kartavo("utm --reverse", "31n 166021.443 0\n56s 334368.634 6250948.345\n"
                                      "33 S 500000 9000000\n61n 1 1\n33 H 334368.634 6250948.345\n"
                                      "33N 500000 0\n33n S 500000 3873043\n33s S 500000 3873043\n"
                                      "33 500000 0\n");
  EXPECT_EQ(r.status, 1);
  ASSERT_EQ(r.lines.size(), 9u);
  EXPECT_EQ(r.lines[0], "0.00000000 0.00000000");
  const auto sydney = Words(r.lines[1]);
  EXPECT_NEAR(std::stod(sydney[0]), -33.8688, 1e-8);
  EXPECT_NEAR(std::stod(sydney[1]), 151.2093, 1e-8);
  EXPECT_EQ(r.lines[2], "* *"); // S: band or hemisphere?
  EXPECT_EQ(r.lines[3], "* *");
  EXPECT_LT(std::stod(Words(r.lines[4])[0]), 0); // band H lies south
  EXPECT_EQ(r.lines[5], "0.00000000 15.00000000");
  EXPECT_NEAR(std::stod(Words(r.lines[6])[0]), 35, 1e-6);
  EXPECT_EQ(r.lines[7], "* *"); // band S does not lie south
  EXPECT_EQ(r.lines[8], "* *"); // no hemisphere
  EXPECT_NE(r.errors.find("line 3: \"S\" after the zone is ambiguous"), std::string::npos)
      << r.errors;
  r = Kartavo("utm -r -p 0 33 N 500000 0");
  EXPECT_EQ(r.lines, (std::vector<std::string>{"0.00000 15.00000"}));
}

// Forward output read back by the reverse command gives the input again:
// the zone designator keeps the hemisphere, whatever the band.
TEST(CliUtm, ForwardOutputReadsBackUnchanged) {
  const CliRun there = Kartavo("utm 35 15");
  ASSERT_EQ(there.status, 0);
  EXPECT_EQ(Words(there.lines.at(0))[0], "33n");
  const CliRun back = Kartavo("utm -r", there.lines[0] + "\n");
  ASSERT_EQ(back.status, 0) << back.errors;
  EXPECT_EQ(back.lines, (std::vector<std::string>{"35.00000000 15.00000000"}));
  const CliRun banded = Kartavo("utm -b 35 15");
  EXPECT_EQ(Kartavo("utm -r", banded.lines.at(0) + "\n").lines, back.lines);
}

TEST(CliUtm, ReverseRefusesCoordinatesOutsideTheZone) {
  const CliRun r = Kartavo("utm -r", "32n 500000 9999999\n32n -1e9 1e9\n32s 500000 -5\n"
                                     "32n 500000 nan\n32n 500000 1e999\n32n 500000 9000000\n");
  EXPECT_EQ(r.status, 1);
  ASSERT_EQ(r.lines.size(), 6u);
  for (size_t i = 0; i < 5; ++i)
    EXPECT_EQ(r.lines[i], "* *") << i;
  EXPECT_LT(std::stod(Words(r.lines[5])[0]), 90);
  EXPECT_NE(r.errors.find("line 1: northing 9999999 is outside"), std::string::npos) << r.errors;
  EXPECT_NE(r.errors.find("line 2: easting -1e9 is outside"), std::string::npos) << r.errors;
}

TEST(CliUps, ForwardAndReverse) {
  CliRun r = Kartavo("ups", "90 0\n-90 0\n87 90\n80 0\n");
  EXPECT_EQ(r.status, 1); // 80 N is no UPS position
  ASSERT_EQ(r.lines.size(), 4u);
  EXPECT_EQ(r.lines[0], "n 2000000.000 2000000.000");
  EXPECT_EQ(r.lines[1], "s 2000000.000 2000000.000");
  const auto w = Words(r.lines[2]);
  EXPECT_EQ(w[0], "n");
  EXPECT_EQ(w[2], "2000000.000");
  EXPECT_GT(std::stod(w[1]), 2000000.0);
  EXPECT_EQ(r.lines[3], "* * *");
  r = Kartavo("ups -r", ("n " + w[1] + " " + w[2] +
                         "\nX 1 2\nS 2000000 2000000\n"
                         "N 1e308 0\nZ 2000000 2000000\n")
                            .c_str());
  EXPECT_EQ(r.status, 1);
  ASSERT_EQ(r.lines.size(), 5u);
  EXPECT_EQ(r.lines[0], "87.00000000 90.00000000");
  EXPECT_EQ(r.lines[1], "* *");
  EXPECT_EQ(Words(r.lines[2])[0], "-90.00000000");
  EXPECT_EQ(r.lines[3], "* *");
  EXPECT_EQ(Words(r.lines[4])[0], "90.00000000");
  EXPECT_NE(r.errors.find("line 2:"), std::string::npos) << r.errors;
  EXPECT_NE(r.errors.find("line 4: easting 1e308 is outside"), std::string::npos) << r.errors;
}

TEST(CliProjections, HelpAndDemo) {
  for (const char* cmd : {"utm --help", "ups --help", "ellipsoids --help"}) {
    const CliRun r = Kartavo(cmd);
    EXPECT_EQ(r.status, 0) << cmd;
    EXPECT_FALSE(r.lines.empty()) << cmd;
  }
  const CliRun demo = Kartavo("demo " + ::testing::TempDir() + "kartavo_geo_demo");
  EXPECT_EQ(demo.status, 0) << demo.errors;
  bool sawSection = false, sawSvalbard = false;
  for (const auto& line : demo.lines) {
    sawSection |= line == "== UTM and UPS ==";
    sawSvalbard |= line.find("33X") != std::string::npos;
  }
  EXPECT_TRUE(sawSection);
  EXPECT_TRUE(sawSvalbard);
}
