// kartavo render as a user runs it: a calibrated map written as a picture
// with its overlay, view options, landmarks and a trace, and the exit status
// of bad input and bad usage.
#include "../../cli_run.h"
#include "../xml_test_support.h"

#include "kartavo/framework/detail/pixel_value.h"
#include "kartavo/framework/jpeg_codec.h"
#include "kartavo/framework/png_codec.h"
#include "kartavo/framework/text_file.h"
#include "kartavo/geomap/calib_xml.h"
#include "kartavo/geomap/landmarks/landmark_xml.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kartavo {
namespace {
using clitest::RunCli;
using testing::TScratchDir;

// A plain grey 600 x 400 map from 48N 6E to 44N 12E, its image beside its calibration.
std::string WriteMap(const TScratchDir& dir) {
  fw::TPixelImage img;
  img.Width = 600;
  img.Height = 400;
  img.Format = fw::pf24bit;
  img.Bits.assign(static_cast<size_t>(img.Stride() * 400), 0x80);
  fw::WritePngFile(dir.File("grey.png"), img);
  TCalibData cd = testing::CornerCalibration(48, 6, 44, 12, 600, 400);
  cd.MapFName = "grey.png";
  cd.Corners = {{{48, 6}, {44, 6}, {44, 12}, {48, 12}}};
  fw::TTextFile f;
  f.Rewrite(dir.File("grey.xml"));
  WriteRawCalDataToOpenXMLFile(f, true, "grey", cd, cmEquiRect);
  f.Close();
  return dir.File("grey.xml");
}

fw::TColor At(const fw::TPixelImage& img, int x, int y) {
  return fw::DecodeValue(img, fw::ReadValue(img, x, y));
}

constexpr fw::TColor kGrey = 0x848484; // 0x80 through the 15-bit off-screen picture

TEST(RenderCli, GraticuleOnTheDegreesAndTheFrame) {
  TScratchDir dir;
  const std::string xml = WriteMap(dir), out = dir.File("out.png");
  const auto r = RunCli({"render", xml, "-o", out, "--graticule", "lines", "--frame", "0"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  const fw::TPixelImage img = fw::ReadPngFile(out);
  EXPECT_EQ(img.Width, 600);
  EXPECT_EQ(img.Height, 400);
  EXPECT_EQ(At(img, 250, 100), 0xFF0000u); // parallel 47N, blue
  EXPECT_EQ(At(img, 300, 250), 0xFF0000u); // meridian 9E
  EXPECT_EQ(At(img, 250, 250), kGrey);
  EXPECT_EQ(At(img, 5, 399), kGrey); // no frame
}

TEST(RenderCli, ViewOptionsSizeZoomAndCentre) {
  TScratchDir dir;
  const std::string xml = WriteMap(dir), out = dir.File("bern.png");
  const auto r = RunCli({"render", xml, "grey", "-o", out, "--size", "200x100", "--zoom", "2",
                         "--center", "46", "9", "--graticule", "lines", "--frame", "1"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  const fw::TPixelImage img = fw::ReadPngFile(out);
  EXPECT_EQ(img.Width, 200);
  EXPECT_EQ(img.Height, 100);
  // 46N 9E, a graticule crossing, sits in the middle; the lines are one
  // control pixel wide however far the map is zoomed in.
  EXPECT_EQ(At(img, 100, 50), 0xFF0000u);
  EXPECT_EQ(At(img, 100, 80), 0xFF0000u);
  EXPECT_EQ(At(img, 101, 51), kGrey);
  EXPECT_EQ(At(img, 0, 0), 0u); // single frame
  // The same as JPEG.
  const std::string jpg = dir.File("bern.jpg");
  ASSERT_EQ(RunCli({"render", xml, "-o", jpg, "--size", "200x100", "--fit"}).Status, 0);
  EXPECT_EQ(fw::ReadJpegFile(jpg).Width, 200);
}

TEST(RenderCli, LandmarksAndTrace) {
  TScratchDir dir;
  const std::string xml = WriteMap(dir), out = dir.File("lm.png");
  TLandMark lm = DefaultLandMark();
  lm.Latitude = 46;
  lm.Longitude = 8;
  SaveLandMarkFile(dir.File("towns.xml"), "towns", std::vector<TLandMark>{lm});
  std::ofstream(dir.File("trace.txt")) << "# a stroke\n47 7\n47 8\n\n45 10\n45 11\n";
  const auto r = RunCli({"render", xml, "-o", out, "--landmarks", dir.File("towns.xml"), "towns",
                         "--trace", dir.File("trace.txt")});
  ASSERT_EQ(r.Status, 0) << r.Err;
  const fw::TPixelImage img = fw::ReadPngFile(out);
  EXPECT_NE(At(img, 200, 200), kGrey);             // the landmark at 46N 8E
  EXPECT_EQ(At(img, 150, 100), kGrey ^ 0xFFFFFFu); // the first stroke, inverted
  EXPECT_EQ(At(img, 300, 200), kGrey);             // strokes are not joined
  EXPECT_EQ(At(img, 450, 300), kGrey ^ 0xFFFFFFu);
}

TEST(RenderCli, BadInputAndUsage) {
  TScratchDir dir;
  const std::string xml = WriteMap(dir);
  auto r = RunCli({"render", xml, "-o", dir.File("out.gif")});
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("out.gif"), std::string::npos);
  r = RunCli({"render", xml, "nosuchid", "-o", dir.File("out.png")});
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("nosuchid"), std::string::npos);
  std::filesystem::remove(dir.File("grey.png"));
  r = RunCli({"render", xml, "-o", dir.File("out.png")});
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("grey.png"), std::string::npos);
  WriteMap(dir);
  std::ofstream(dir.File("bad.txt")) << "47 7\n47 eight\n";
  r = RunCli({"render", xml, "-o", dir.File("out.png"), "--trace", dir.File("bad.txt")});
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("line 2"), std::string::npos);
  r = RunCli({"render", xml, "-o", dir.File("out.png"), "--landmarks", dir.File("grey.xml")});
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(RunCli({"render", xml, "-o", dir.File("o.png"), "--size", "0x5"}).Status, 2);
  EXPECT_EQ(RunCli({"render", xml, "-o", dir.File("o.png"), "--graticule", "grid"}).Status, 2);
  EXPECT_EQ(RunCli({"render", xml, "-o", dir.File("o.png"), "--fit", "--zoom", "2", "--topleft",
                    "1", "2"})
                .Status,
            2);
  EXPECT_FALSE(std::filesystem::exists(dir.File("o.png")));
}

} // namespace
} // namespace kartavo
