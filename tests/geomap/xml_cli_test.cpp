// kartavo calib as a user runs it: fit control points, read the file back,
// convert both ways, and the exit status of bad input and bad usage.
#include "kartavo/geomap/calib_xml.h"
#include "lcc_test_map.h"
#include "picture_support.h"
#include "xml_test_support.h"

#include "kartavo/framework/jpeg_codec.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kartavo {
namespace {
using testing::RunCliLine;
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
  TRun fit = RunCliLine("calib fit --model equirect --size 1000 800 -o " + xml +
                            " --id alps --map alps.jpg",
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

  TRun p2g = RunCliLine("calib pix2geo " + xml, "500 400\n\n250 0\n");
  ASSERT_EQ(p2g.Status, 0) << p2g.Out;
  EXPECT_EQ(p2g.Out, "46.0000000 9.0000000\n\n48.0000000 7.5000000\n");
  TRun g2p = RunCliLine("calib geo2pix " + xml + " alps", "46 9\n48 7.5\n");
  ASSERT_EQ(g2p.Status, 0) << g2p.Out;
  EXPECT_EQ(g2p.Out, "500.000 400.000\n250.000 0.000\n");
  TRun info = RunCliLine("calib info " + xml + " ALPS");
  ASSERT_EQ(info.Status, 0) << info.Out;
  EXPECT_NE(info.Out.find("model        equirect"), std::string::npos) << info.Out;
  EXPECT_NE(info.Out.find("points       9 calibration points"), std::string::npos) << info.Out;
}

TEST(XmlCli, UtmMapsConvertInTheirZone) {
  TScratchDir dir;
  const std::string xml = dir.File("utm.xml");
  const std::string points = "5206000 300000 0 0\n5206000 340000 800 0\n5166000 300000 0 800\n";
  ASSERT_EQ(RunCliLine("calib fit --model utm --utm 32N --size 800 800 -o " + xml, points).Status,
            0);
  TRun p2g = RunCliLine("calib pix2geo --utm " + xml + " --at 400 400");
  EXPECT_EQ(p2g.Out, "5186000.000 320000.000\n");
  TRun g2p = RunCliLine("calib geo2pix --utm " + xml, "5186000 320000\n");
  EXPECT_EQ(g2p.Out, "400.000 400.000\n");
  TRun info = RunCliLine("calib info " + xml);
  EXPECT_NE(info.Out.find("utm zone     32N gelWGS84"), std::string::npos) << info.Out;
}

TEST(XmlCli, BadInputExitsOneAndBadUsageTwo) {
  TScratchDir dir;
  const std::string xml = dir.File("fit.xml");
  ASSERT_EQ(RunCliLine("calib fit --model biquadraticpn --size 1000 800 -o " + xml, ControlPoints())
                .Status,
            0);
  TRun bad = RunCliLine("calib pix2geo " + xml, "12 x\n");
  EXPECT_EQ(bad.Status, 1);
  EXPECT_NE(bad.Out.find("line 1: expected \"x y\": \"12 x\""), std::string::npos) << bad.Out;
  EXPECT_EQ(RunCliLine("calib info " + xml + " nosuchid").Status, 1);
  EXPECT_EQ(RunCliLine("calib pix2geo --utm " + xml, "1 2\n").Status, 1); // not a UTM map
  EXPECT_EQ(RunCliLine("calib fit --model equirect --size 10 10", "1 2 3 4\n5 6 7 8\n").Status, 1);
  EXPECT_EQ(RunCliLine("calib fit --model parabolicip --size 10 10", ControlPoints()).Status, 2);
  EXPECT_EQ(RunCliLine("calib fit --model utm --size 10 10", ControlPoints()).Status, 2);
  EXPECT_EQ(RunCliLine("calib fit --model utm --utm 61N --size 10 10", ControlPoints()).Status, 2);
  EXPECT_EQ(RunCliLine("calib info " + dir.File("missing.xml")).Status, 1);
  WriteBytes(dir.File("broken.xml"),
             "<geomap sig=\"ORVCSuite\" id=\"a\">\n<calquads npoints=\"5\">[1,2,3,4]</calquads>\n");
  TRun broken = RunCliLine("calib info " + dir.File("broken.xml"));
  EXPECT_EQ(broken.Status, 1);
  EXPECT_NE(
      broken.Out.find("specified number of calibration points and actual number does not match"),
      std::string::npos)
      << broken.Out;
}

// Fractional pixels are converted as they are, both ways; a pixel beyond
// what any map can hold is refused, and the lines after it still converted.
TEST(XmlCli, PixelsKeepTheirFractions) {
  TScratchDir dir;
  const std::string xml = dir.File("fit.xml");
  ASSERT_EQ(
      RunCliLine("calib fit --model equirect --size 1000,800 -o " + xml, ControlPoints()).Status,
      0);
  TRun p2g = RunCliLine("calib pix2geo " + xml, "123.456789 77.123456\n3e9 0\n0 0\n");
  EXPECT_EQ(p2g.Status, 1);
  // Standard error follows the placeholder it explains.
  EXPECT_EQ(p2g.Out, "47.6143827 6.7407407\n* *\nkartavo calib pix2geo: line 2: pixel outside "
                     "-2147483647 ... 2147483647: \"3e9 0\"\n48.0000000 6.0000000\n");
  TRun g2p = RunCliLine("calib geo2pix " + xml, "47.6143827 6.7407407\n");
  EXPECT_EQ(g2p.Status, 0);
  EXPECT_EQ(g2p.Out, "123.457 77.123\n");
}

// A conic calibration answers alike with its image, with --size, and not at
// all without either.
TEST(XmlCli, ConicCalibrationsNeedTheImageSize) {
  using testing::TLccMap;
  TScratchDir dir;
  const std::string xml = dir.File("lcc.xml");
  TRun fit =
      RunCliLine("calib fit --model conicconformal --size 1600 1200 -o " + xml + " --map lcc.jpg",
                 TLccMap::PointLines());
  ASSERT_EQ(fit.Status, 0) << fit.Out;
  TRun lone = RunCliLine("calib pix2geo " + xml + " --at 0 0");
  EXPECT_EQ(lone.Status, 1);
  EXPECT_NE(lone.Out.find("depends on the map image's size"), std::string::npos) << lone.Out;
  EXPECT_NE(lone.Out.find("--size"), std::string::npos) << lone.Out;
  TRun sized = RunCliLine("calib pix2geo " + xml + " --size 1600 1200 --at 0 0");
  ASSERT_EQ(sized.Status, 0) << sized.Out;
  fw::WriteJpegFile(dir.File("lcc.jpg"), testing::Picture(TLccMap::Width, TLccMap::Height));
  EXPECT_EQ(RunCliLine("calib pix2geo " + xml + " --at 0 0").Out, sized.Out);
  EXPECT_EQ(RunCliLine("calib info " + xml).Out,
            RunCliLine("calib info --size 1600,1200 " + xml).Out);
  double lat = 0, lon = 0;
  TLccMap::Position(0, 0, lat, lon);
  EXPECT_NEAR(std::stod(sized.Out), lat, 0.01) << sized.Out;
}

TEST(XmlCli, DamagedFilesAreNamedWithTheLine) {
  TScratchDir dir;
  const std::string xml = dir.File("fit.xml");
  ASSERT_EQ(
      RunCliLine("calib fit --model equirect --size 1000 800 -o " + xml, ControlPoints()).Status,
      0);
  const std::string text = testing::ReadBytes(xml);
  WriteBytes(dir.File("cut.xml"), text.substr(0, text.find("</calquads>") - 20));
  TRun cut = RunCliLine("calib pix2geo " + dir.File("cut.xml"), "1 1\n");
  EXPECT_EQ(cut.Status, 1);
  EXPECT_EQ(cut.Out.find("* *"), std::string::npos) << cut.Out; // nothing converted
  EXPECT_NE(cut.Out.find("cut.xml: line 11: the calibration ends before its closing tag"),
            std::string::npos)
      << cut.Out;
  std::string abc = text;
  abc.replace(abc.find("[48.00000,6.00000,0,0]"), 22, "[abc,def,600,0]");
  WriteBytes(dir.File("abc.xml"), abc);
  TRun bad = RunCliLine("calib info " + dir.File("abc.xml"));
  EXPECT_EQ(bad.Status, 1);
  EXPECT_NE(bad.Out.find("abc.xml: line 10: calibration point 1: latitude \"abc\" is not a number"),
            std::string::npos)
      << bad.Out;
}

TEST(XmlCli, FitRefusesPointsThatCannotDetermineTheModel) {
  TScratchDir dir;
  const std::string xml = dir.File("fit.xml");
  const std::string same = "46 7 100 100\n46 7 100 100\n46 7 100 100\n";
  TRun one = RunCliLine("calib fit --model equirect --size 1000 800 -o " + xml, same);
  EXPECT_EQ(one.Status, 1);
  EXPECT_NE(one.Out.find("cannot determine the model"), std::string::npos) << one.Out;
  EXPECT_FALSE(std::filesystem::exists(xml));
  TRun forced = RunCliLine("calib fit --force --model equirect --size 1000 800 -o " + xml, same);
  EXPECT_EQ(forced.Status, 0) << forced.Out;
  EXPECT_NE(forced.Out.find("warning:"), std::string::npos) << forced.Out;
  EXPECT_TRUE(std::filesystem::exists(xml));

  const std::string corners = "48 6 0 0\n48 12 1000 0\n44 6 0 800\n44 12 1000 800\n";
  EXPECT_EQ(RunCliLine("calib fit --model conicconformal --size 1000 800", corners).Status, 1);
  TRun huge = RunCliLine("calib fit --model equirect --size 1000 800", "1e308 7 0 0\n" + corners);
  EXPECT_EQ(huge.Status, 1);
  EXPECT_NE(huge.Out.find("line 1: latitude outside -90 ... 90"), std::string::npos) << huge.Out;
  TRun off = RunCliLine("calib fit --model equirect --size 1000 800", corners + "46 8 1001 5\n");
  EXPECT_EQ(off.Status, 1);
  EXPECT_NE(off.Out.find("line 5: pixel 1001 5 lies outside the image"), std::string::npos)
      << off.Out;
  // Points that fit no model of the kind: the residual gives them away.
  TRun scattered = RunCliLine("calib fit --model equirect --size 1000 800",
                              corners + "48 6 1000 800\n44 12 0 0\n");
  EXPECT_EQ(scattered.Status, 1);
  EXPECT_NE(scattered.Out.find("the fit misses its own points"), std::string::npos)
      << scattered.Out;
}

} // namespace
} // namespace kartavo
