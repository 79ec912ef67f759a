// kartavo calib info --residuals and calib fit --compare as a user runs them.
#include "../xml_test_support.h"

#include <gtest/gtest.h>

namespace kartavo {
namespace {
using testing::RunCliLine;
using testing::TRun;
using testing::TScratchDir;

// The square of 100 x 100 pixels with 10 m pixels in zone 32N, and its
// centre stored 5 pixels too low (see the library's hand-computed example).
const char* const SquarePoints = "5000000 500000 0 0\n5000000 501000 100 0\n4999000 500000 0 100\n"
                                 "4999000 501000 100 100\n4999500 500500 50 55\n";

TEST(DiagnosticsCli, InfoListsEveryResidualAndMarksTheLargest) {
  TScratchDir dir;
  const std::string xml = dir.File("square.xml");
  ASSERT_EQ(
      RunCliLine("calib fit --model utm --utm 32N --size 100 100 -o " + xml, SquarePoints).Status,
      0);
  const TRun r = RunCliLine("calib info " + xml + " --residuals");
  ASSERT_EQ(r.Status, 0) << r.Out;
  EXPECT_NE(r.Out.find("      1     5000000.00    500000.00       0       0    0.000    1.000    "
                       "1.000       10.0\n"),
            std::string::npos)
      << r.Out;
  EXPECT_NE(r.Out.find("      5     4999500.00    500500.00      50      55    0.000   -4.000    "
                       "4.000       40.0  <- largest\n"),
            std::string::npos)
      << r.Out;
  EXPECT_NE(r.Out.find("rms          3.162 pixels (x 0.000, y 3.162), 31.6 m, over 2 degrees of "
                       "freedom (5 points, 3 coefficients per coordinate); 2.000 pixels over the "
                       "number of points\n"),
            std::string::npos)
      << r.Out;
  EXPECT_NE(r.Out.find("warning      point 5 misses by 4.0 pixels"), std::string::npos) << r.Out;
}

TEST(DiagnosticsCli, FitCompareTabulatesEveryModelThePointsAllow) {
  TRun r = RunCliLine("calib fit --compare --utm 32N --size 100 100", SquarePoints);
  ASSERT_EQ(r.Status, 0) << r.Out;
  EXPECT_NE(r.Out.find("model               points  dof   rms px    rms m  largest px  point\n"),
            std::string::npos)
      << r.Out;
  EXPECT_NE(r.Out.find("utm                      5    2    3.162     31.6       4.000      5\n"),
            std::string::npos)
      << r.Out;
  EXPECT_NE(r.Out.find("biquadraticpn       not fitted: the points cannot determine the model"),
            std::string::npos)
      << r.Out;
  // --compare writes nothing and needs no model; a model or an output file is a usage error.
  EXPECT_EQ(RunCliLine("calib fit --compare --model utm --size 100 100", SquarePoints).Status, 2);
  EXPECT_EQ(RunCliLine("calib fit --compare -o x.xml --size 100 100", SquarePoints).Status, 2);
  EXPECT_EQ(RunCliLine("calib fit --size 100 100", SquarePoints).Status, 2);
}

} // namespace
} // namespace kartavo
