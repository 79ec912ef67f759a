// World files and VRTs as GDAL reads them: gdalinfo finds the world file's
// georeference and lists the VRT's ground control points, and gdalwarp warps
// the map with them. Skipped with a message where GDAL is not installed
// (Debian: gdal-bin).
#include "../picture_support.h"
#include "../xml_test_support.h"

#include "kartavo/framework/bmp_codec.h"
#include "kartavo/framework/jpeg_codec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <regex>

namespace kartavo {
namespace {
using testing::RunCliLine;
using testing::RunCommand;
using testing::TRun;
using testing::TScratchDir;

bool GdalInstalled() { return RunCommand("gdalinfo --version").Status == 0; }

#define REQUIRE_GDAL()                                                                             \
  if (!GdalInstalled()) GTEST_SKIP() << "gdalinfo not found: install gdal-bin to run this test"

// The two numbers in "Label (  6.0000000,  48.0000000)" of gdalinfo's output.
std::pair<double, double> Pair(const std::string& text, const std::string& label) {
  const std::regex re(label + R"(\s*=?\s*\(\s*([-0-9.e+]+)\s*,\s*([-0-9.e+]+)\s*\))");
  std::smatch m;
  if (!std::regex_search(text, m, re)) return {NAN, NAN};
  return {std::stod(m[1]), std::stod(m[2])};
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
    ++n;
  return n;
}

// A 400 x 300 pixel map from 48N 6E to 45N 12E, six control points in
// general position (the second-order warp needs six).
const char* const LatLonPoints = "48 6 0 0\n48 12 400 0\n45 6 0 300\n45 12 400 300\n"
                                 "47 7.5 100 100\n46.25 10.5 300 175\n";

TEST(GdalExport, GdalReadsTheWorldFileAndWarpsTheVrtOfAJpegMap) {
  REQUIRE_GDAL();
  TScratchDir dir;
  fw::WriteJpegFile(dir.File("map.jpg"), testing::Picture(400, 300));
  const std::string xml = dir.File("map.xml");
  ASSERT_EQ(
      RunCliLine("calib fit --model equirect --size 400 300 --map map.jpg -o " + xml, LatLonPoints)
          .Status,
      0);

  TRun r = RunCliLine("calib export " + xml + " --worldfile");
  ASSERT_EQ(r.Status, 0) << r.Out;
  EXPECT_NE(r.Out.find("affine       exact"), std::string::npos) << r.Out;
  TRun info = RunCommand("gdalinfo " + dir.File("map.jpg"));
  ASSERT_EQ(info.Status, 0) << info.Out;
  EXPECT_NE(info.Out.find("map.jgw"), std::string::npos) << info.Out;
  for (auto [label, lon, lat] : {std::tuple{"Upper Left", 6.0, 48.0},
                                 {"Lower Left", 6.0, 45.0},
                                 {"Upper Right", 12.0, 48.0},
                                 {"Lower Right", 12.0, 45.0},
                                 {"Center", 9.0, 46.5}}) {
    const auto [x, y] = Pair(info.Out, label);
    EXPECT_NEAR(x, lon, 1e-6) << label << "\n" << info.Out;
    EXPECT_NEAR(y, lat, 1e-6) << label << "\n" << info.Out;
  }

  const std::string vrt = dir.File("map.vrt");
  r = RunCliLine("calib export " + xml + " --vrt " + vrt);
  ASSERT_EQ(r.Status, 0) << r.Out;
  info = RunCommand("gdalinfo " + vrt);
  ASSERT_EQ(info.Status, 0) << info.Out;
  EXPECT_EQ(Count(info.Out, "GCP["), 6) << info.Out;
  EXPECT_NE(info.Out.find("(400,300) -> (12,45,0)"), std::string::npos) << info.Out;
  EXPECT_NE(info.Out.find("ID[\"EPSG\",4326]"), std::string::npos) << info.Out;
  for (const char* order : {"1", "2"}) {
    const std::string out = dir.File(std::string("warped") + order + ".tif");
    const TRun warp =
        RunCommand(std::string("gdalwarp -q -order ") + order + " " + vrt + " " + out);
    ASSERT_EQ(warp.Status, 0) << warp.Out;
    const TRun warped = RunCommand("gdalinfo " + out);
    const auto [ox, oy] = Pair(warped.Out, "Origin");
    EXPECT_NEAR(ox, 6, 0.02) << warped.Out;
    EXPECT_NEAR(oy, 48, 0.02) << warped.Out;
    const auto [lrx, lry] = Pair(warped.Out, "Lower Right");
    EXPECT_NEAR(lrx, 12, 0.05) << warped.Out;
    EXPECT_NEAR(lry, 45, 0.05) << warped.Out;
  }
}

// A 16-colour BMP calibrated in UTM zone 32N: the world file GDAL looks for
// beside a BMP, and a VRT that shows the palette as red, green and blue.
TEST(GdalExport, PaletteBmpInUtmBecomesThreeBandsInItsZone) {
  REQUIRE_GDAL();
  TScratchDir dir;
  fw::TPixelImage img;
  img.Width = 160;
  img.Height = 120;
  img.Format = fw::pf4bit;
  img.Palette.resize(16);
  for (size_t i = 0; i < 16; ++i)
    img.Palette[i] = static_cast<fw::TColor>(i * 0x101010);
  img.Bits.assign(static_cast<size_t>(img.Stride() * img.Height), 0x37);
  fw::WriteBmpFile(dir.File("utm.bmp"), img);
  const std::string xml = dir.File("utm.xml");
  ASSERT_EQ(RunCliLine("calib fit --model utm --utm 32N --size 160 120 --map utm.bmp -o " + xml,
                       "5206000 300000 0 0\n5206000 308000 160 0\n5200000 300000 0 120\n")
                .Status,
            0);
  ASSERT_EQ(RunCliLine("calib export " + xml + " --worldfile").Status, 0);
  TRun info = RunCommand("gdalinfo " + dir.File("utm.bmp"));
  const auto [ox, oy] = Pair(info.Out, "Upper Left");
  EXPECT_NEAR(ox, 300000, 1e-3) << info.Out;
  EXPECT_NEAR(oy, 5206000, 1e-3) << info.Out;

  const std::string vrt = dir.File("utm.vrt"), out = dir.File("utm.tif");
  ASSERT_EQ(RunCliLine("calib export " + xml + " --vrt " + vrt).Status, 0);
  info = RunCommand("gdalinfo " + vrt);
  EXPECT_EQ(Count(info.Out, "GCP["), 3) << info.Out;
  EXPECT_NE(info.Out.find("UTM zone 32N"), std::string::npos) << info.Out;
  EXPECT_EQ(Count(info.Out, "ColorInterp="), 3) << info.Out;
  const TRun warp = RunCommand("gdalwarp -q -order 1 " + vrt + " " + out);
  ASSERT_EQ(warp.Status, 0) << warp.Out;
  info = RunCommand("gdalinfo -stats " + out);
  const auto [wx, wy] = Pair(info.Out, "Origin");
  EXPECT_NEAR(wx, 300000, 1) << info.Out;
  EXPECT_NEAR(wy, 5206000, 1) << info.Out;
  // Indexes 3 and 7 alternate: palette greys 0x30 and 0x70 in every band.
  EXPECT_EQ(Count(info.Out, "Minimum=48.000, Maximum=112.000, Mean=80.000"), 3) << info.Out;
  EXPECT_EQ(Count(info.Out, "Band "), 3) << info.Out;
}

// A VRT written into another folder finds the map image through a relative
// path, so that the pair can be moved together.
TEST(GdalExport, AVrtElsewhereReachesTheImageRelatively) {
  REQUIRE_GDAL();
  TScratchDir dir;
  std::filesystem::create_directories(dir.Path() / "maps");
  std::filesystem::create_directories(dir.Path() / "gdal");
  fw::WriteJpegFile(dir.File("maps/map.jpg"), testing::Picture(400, 300));
  const std::string xml = dir.File("maps/map.xml");
  ASSERT_EQ(
      RunCliLine("calib fit --model equirect --size 400 300 --map map.jpg -o " + xml, LatLonPoints)
          .Status,
      0);
  const std::string vrt = dir.File("gdal/map.vrt");
  ASSERT_EQ(RunCliLine("calib export " + xml + " --vrt " + vrt).Status, 0);
  EXPECT_NE(testing::ReadBytes(vrt).find(
                "<SourceFilename relativeToVRT=\"1\">../maps/map.jpg</SourceFilename>"),
            std::string::npos);
  const TRun info = RunCommand("gdalinfo -stats " + vrt);
  ASSERT_EQ(info.Status, 0) << info.Out;
  EXPECT_EQ(Count(info.Out, "Minimum=128.000, Maximum=128.000"), 3) << info.Out; // the grey picture
}

TEST(GdalExport, ExportRefusesWhatItCannotWrite) {
  TScratchDir dir;
  const std::string xml = dir.File("map.xml");
  ASSERT_EQ(
      RunCliLine("calib fit --model equirect --size 400 300 --map gone.jpg -o " + xml, LatLonPoints)
          .Status,
      0);
  TRun r = RunCliLine("calib export " + xml + " --vrt " + dir.File("m.vrt"));
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Out.find("gone.jpg is not there"), std::string::npos) << r.Out;
  r = RunCliLine("calib export " + xml + " --worldfile");
  EXPECT_EQ(r.Status, 1); // no image, no --size: the size is unknown
  EXPECT_NE(r.Out.find("give --size W H"), std::string::npos) << r.Out;
  r = RunCliLine("calib export " + xml + " --size 400 300 --worldfile " + dir.File("w.wld"));
  EXPECT_EQ(r.Status, 0) << r.Out;
  EXPECT_EQ(RunCliLine("calib export " + xml).Status, 2);
  EXPECT_EQ(RunCliLine("calib export " + xml + " --worldfile --vrt x.vrt").Status, 2);
}

} // namespace
} // namespace kartavo
