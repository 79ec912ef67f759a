// kartavo calib as a user runs it: fit control points, read the file back,
// convert both ways, and the exit status of bad input and bad usage.
#include "kartavo/geomap/calib_xml.h"
#include "xml_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <sys/wait.h>

namespace kartavo {
namespace {
using testing::RunCli;
using testing::TRun;
using testing::TScratchDir;
using testing::WriteBytes;

// Pixels of an equirectangular map of 1000 x 800 pixels from 48N 6E to 44N 12E.
std::string ControlPoints() {
  std::ostringstream s;
  for (int x : {0, 250, 1000})
    for (int y : {0, 400, 800})
      s << 48 - y * 4.0 / 800 << ' ' << 6 + x * 6.0 / 1000 << ' ' << x << ' ' << y << '\n';
  return s.str();
}

TEST(XmlCli, FitWritesACalibrationThatReadsBackAndConvertsBothWays) {
  TScratchDir dir;
  const std::string xml = dir.File("fit.xml");
  TRun fit =
      RunCli("calib fit --model equirect --size 1000 800 -o " + xml + " --id alps --map alps.jpg",
             ControlPoints());
  ASSERT_EQ(fit.Status, 0) << fit.Out;
  EXPECT_NE(fit.Out.find("top-left     48.0000000 6.0000000"), std::string::npos) << fit.Out;
  EXPECT_NE(fit.Out.find("rms residual x 0.000 y 0.000 pixels"), std::string::npos) << fit.Out;

  TCalibData cd;
  TCalibModel model = cmUndefined;
  ASSERT_TRUE(ParseCalibData(xml, "alps", cd, model));
  EXPECT_EQ(model, cmEquiRect);
  EXPECT_EQ(cd.NumCalQuads, 9);
  EXPECT_EQ(cd.MapFName, "alps.jpg");
  EXPECT_NEAR(cd.Corners[gcoBottomRight].Latit, 44, 1e-9);
  EXPECT_NEAR(cd.Corners[gcoBottomRight].Longit, 12, 1e-9);

  TRun p2g = RunCli("calib pix2geo " + xml, "500 400\n\n250 0\n");
  ASSERT_EQ(p2g.Status, 0) << p2g.Out;
  EXPECT_EQ(p2g.Out, "46.0000000 9.0000000\n48.0000000 7.5000000\n");
  TRun g2p = RunCli("calib geo2pix " + xml + " alps", "46 9\n48 7.5\n");
  ASSERT_EQ(g2p.Status, 0) << g2p.Out;
  EXPECT_EQ(g2p.Out, "500 400\n250 0\n");
  TRun info = RunCli("calib info " + xml + " ALPS");
  ASSERT_EQ(info.Status, 0) << info.Out;
  EXPECT_NE(info.Out.find("model        equirect"), std::string::npos) << info.Out;
  EXPECT_NE(info.Out.find("points       9 calibration points"), std::string::npos) << info.Out;
}

TEST(XmlCli, UtmMapsConvertInTheirZone) {
  TScratchDir dir;
  const std::string xml = dir.File("utm.xml");
  const std::string points = "5206000 300000 0 0\n5206000 340000 800 0\n5166000 300000 0 800\n";
  ASSERT_EQ(RunCli("calib fit --model utm --utm 32N --size 800 800 -o " + xml, points).Status, 0);
  TRun p2g = RunCli("calib pix2geo --utm " + xml + " --at 400 400");
  EXPECT_EQ(p2g.Out, "5186000.000 320000.000\n");
  TRun g2p = RunCli("calib geo2pix --utm " + xml, "5186000 320000\n");
  EXPECT_EQ(g2p.Out, "400 400\n");
  TRun info = RunCli("calib info " + xml);
  EXPECT_NE(info.Out.find("utm zone     32N gelWGS84"), std::string::npos) << info.Out;
}

TEST(XmlCli, BadInputExitsOneAndBadUsageTwo) {
  TScratchDir dir;
  const std::string xml = dir.File("fit.xml");
  ASSERT_EQ(
      RunCli("calib fit --model biquadraticpn --size 1000 800 -o " + xml, ControlPoints()).Status,
      0);
  TRun bad = RunCli("calib pix2geo " + xml, "12 x\n");
  EXPECT_EQ(bad.Status, 1);
  EXPECT_NE(bad.Out.find("line 1: expected \"x y\", got \"12 x\""), std::string::npos) << bad.Out;
  EXPECT_EQ(RunCli("calib info " + xml + " nosuchid").Status, 1);
  EXPECT_EQ(RunCli("calib pix2geo --utm " + xml, "1 2\n").Status, 1); // not a UTM map
  EXPECT_EQ(RunCli("calib fit --model equirect --size 10 10", "1 2 3 4\n5 6 7 8\n").Status, 1);
  EXPECT_EQ(RunCli("calib fit --model parabolicip --size 10 10", ControlPoints()).Status, 2);
  EXPECT_EQ(RunCli("calib fit --model utm --size 10 10", ControlPoints()).Status, 2);
  EXPECT_EQ(RunCli("calib fit --model utm --utm 61N --size 10 10", ControlPoints()).Status, 2);
  EXPECT_EQ(RunCli("calib info " + dir.File("missing.xml")).Status, 2);
  WriteBytes(dir.File("broken.xml"),
             "<geomap sig=\"ORVCSuite\" id=\"a\">\n<calquads npoints=\"5\">[1,2,3,4]</calquads>\n");
  TRun broken = RunCli("calib info " + dir.File("broken.xml"));
  EXPECT_EQ(broken.Status, 1);
  EXPECT_NE(
      broken.Out.find("specified number of calibration points and actual number does not match"),
      std::string::npos)
      << broken.Out;
}

} // namespace
} // namespace kartavo
