// kartavo atlas: the maps of a folder or a list, the zoom choice at a
// position, the rendered view, and the inputs it refuses.
#include "../cli_run.h"
#include "atlas_test_support.h"

#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/png_codec.h"

#include <fstream>

namespace atlas_test {
namespace {

using kartavo::clitest::Lines;
using kartavo::clitest::RunCli;

class AtlasCliTest : public ::testing::Test {
protected:
  void SetUp() override {
    WorldXml = WriteMap(Dir, "a_world", World);
    ContinentXml = WriteMap(Dir, "b_continent", Continent);
    CountryXml = WriteMap(Dir, "c_country", Country);
  }
  TTempDir Dir;
  std::string WorldXml, ContinentXml, CountryXml;
};

TEST_F(AtlasCliTest, ListsTheMapsOfAFolderAndTheZoomChoices) {
  std::ofstream(Dir.File("notes.xml"))
      << "<?xml version=\"1.0\"?>\n<gmlandmarks>\n</gmlandmarks>\n";
  const auto r = RunCli({"atlas", Dir.File(""), "--at", "15", "30", "--resolution", "100"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  const auto lines = Lines(r.Out);
  ASSERT_EQ(lines.size(), 6u) << r.Out;
  EXPECT_EQ(lines[0].rfind("1  World  100.000 m/px  TL 80.000000 -160.000000  BL -80.000000 "
                           "-160.000000  BR -80.000000 160.000000  TR 80.000000 160.000000",
                           0),
            0u)
      << lines[0];
  EXPECT_NE(lines[1].find("Continent  50.000 m/px"), std::string::npos);
  EXPECT_NE(lines[2].find(CountryXml), std::string::npos);
  EXPECT_EQ(lines[3], "position 15 30: in 1 2 3");
  EXPECT_EQ(lines[4], "zoom in from 100 m/px: 2 (Continent)");
  EXPECT_EQ(lines[5], "zoom out from 100 m/px: none");
  EXPECT_NE(r.Err.find("notes.xml: no calibration, left out"), std::string::npos) << r.Err;
}

TEST_F(AtlasCliTest, OneDirectionFromFilesWithTheStep) {
  auto r = RunCli({"atlas", CountryXml, WorldXml, ContinentXml, "--at", "15", "30", "--resolution",
                   "100", "--in", "--min-res-diff", "60"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  auto lines = Lines(r.Out);
  ASSERT_EQ(lines.size(), 5u) << r.Out;
  EXPECT_EQ(lines[4], "zoom in from 100 m/px: 1 (Country)");
  r = RunCli({"atlas", CountryXml, WorldXml, "--at", "-50", "-100", "--resolution", "20", "--out"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  lines = Lines(r.Out);
  EXPECT_EQ(lines[2], "position -50 -100: in 2");
  EXPECT_EQ(lines[3], "zoom out from 20 m/px: 2 (World)");
}

TEST_F(AtlasCliTest, RendersTheChosenMapWithTheOthersOutlines) {
  const std::string png = Dir.File("view.png");
  const auto r = RunCli({"atlas", Dir.File(""), "--at", "15", "30", "--resolution", "100", "--in",
                         "--render", png, "--size", "300x200", "--zoom", "2"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(r.Out.find("wrote " + png + ": map 2 (Continent) centred on 15 30"), std::string::npos)
      << r.Out;
  fw::TBitmap view;
  view.LoadFromPixelImage(fw::ReadPngFile(png));
  ASSERT_EQ(view.Width(), 300);
  ASSERT_EQ(view.Height(), 200);
  // The country, 10 … 20 N, 20 … 40 E, is outlined around the centre (15 N 30 E): its top
  // edge (20 N) lies 5 degrees = 20 continent pixels = 40 view pixels above the middle row.
  int blue = 0;
  for (int x = 0; x < 300; ++x)
    blue += view.Canvas()->Pixels(x, 100 - 40) == 0xFF0000;
  EXPECT_EQ(blue, 161);
}

TEST_F(AtlasCliTest, RefusesWhatItCannotUse) {
  auto r = RunCli({"atlas", Dir.File("missing.xml")});
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("missing.xml"), std::string::npos);
  std::ofstream(Dir.File("d_damaged.xml")) << DamagedCalibration;
  r = RunCli({"atlas", Dir.File("")});
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("d_damaged.xml"), std::string::npos) << r.Err;
  EXPECT_EQ(RunCli({"atlas", WorldXml, "--in"}).Status, 2);
  EXPECT_EQ(RunCli({"atlas", WorldXml, "--at", "1", "2", "--in"}).Status, 2);
  EXPECT_EQ(RunCli({"atlas", WorldXml, "--at", "95", "2"}).Status, 2);
  r = RunCli({"atlas", WorldXml, "--at", "1", "2", "--render", Dir.File("v.gif")});
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("v.gif"), std::string::npos);
  // No finer map at the position: nothing is written.
  r = RunCli(
      {"atlas", WorldXml, "--at", "1", "2", "--resolution", "100", "--render", Dir.File("v.png")});
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Err.find("no finer map"), std::string::npos) << r.Err;
  EXPECT_FALSE(std::filesystem::exists(Dir.File("v.png")));
}

} // namespace
} // namespace atlas_test
