// Streams of coordinates through the converting subcommands: what goes in
// one way comes back the other, and every input line has its output line.
#include "../cli_run.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <sstream>
#include <vector>

namespace kartavo {
namespace {

using clitest::Lines;
using clitest::RunCli;

// 1000 random positions anywhere in the UTM zones, through `utm` and back
// through `utm -r`: the same positions to the precision printed, both
// hemispheres and every band included.
TEST(CliStream, ThousandRandomPointsThroughUtmAndBack) {
  std::mt19937_64 rng(20261208);
  std::uniform_real_distribution<double> lat(-80.0, 84.0), lon(-180.0, 180.0);
  std::string input;
  std::vector<std::pair<double, double>> points;
  for (int i = 0; i < 1000; ++i) {
    char line[64];
    std::snprintf(line, sizeof line, "%.9f %.9f\n", lat(rng), lon(rng));
    input += line;
    points.emplace_back();
    std::sscanf(line, "%lf %lf", &points.back().first, &points.back().second);
  }
  const auto there = RunCli({"utm", "-p", "4"}, input);
  ASSERT_EQ(there.Status, 0) << there.Err;
  const auto back = RunCli({"utm", "-r", "-p", "4"}, there.Out);
  ASSERT_EQ(back.Status, 0) << back.Err;
  const auto lines = Lines(back.Out);
  ASSERT_EQ(lines.size(), points.size());
  for (size_t i = 0; i < points.size(); ++i) {
    double la = 0, lo = 0;
    ASSERT_EQ(std::sscanf(lines[i].c_str(), "%lf %lf", &la, &lo), 2) << lines[i];
    // Printed to 9 decimals (5e-9) after 0.1 mm of easting and northing (1e-9).
    EXPECT_NEAR(la, points[i].first, 6e-9) << i << ": " << lines[i];
    EXPECT_NEAR(std::remainder(lo - points[i].second, 360.0), 0.0, 6e-9) << i << ": " << lines[i];
  }
}

TEST(CliStream, MessagesQuoteAtMostEightyCharacters) {
  const std::string longLine = "1 " + std::string(200, 'x');
  const auto r = RunCli({"cart"}, longLine + "\n");
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Out, "* * *\n");
  EXPECT_NE(r.Err.find("\"" + longLine.substr(0, 80) + "\"..."), std::string::npos) << r.Err;
  EXPECT_EQ(r.Err.find(longLine.substr(0, 81)), std::string::npos) << r.Err;
}

TEST(CliStream, InputWithoutFinalLineBreakOrWithCrLf) {
  EXPECT_EQ(RunCli({"utm"}, "0 0\r\n0 0").Out, "31n 166021.443 0.000\n31n 166021.443 0.000\n");
  EXPECT_EQ(RunCli({"cart", "-r"}, "+6378137 0 0\n").Out, "0.000000000 0.000000000 0.0000\n");
  EXPECT_EQ(RunCli({"cart", "-r"}, "+-6378137 0 0\n").Out, "* * *\n");
}

} // namespace
} // namespace kartavo
