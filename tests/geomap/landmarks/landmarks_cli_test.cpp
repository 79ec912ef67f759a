// kartavo landmarks and kartavo symbols as a user runs them.
#include "../xml_test_support.h"

#include "kartavo/framework/png_codec.h"
#include "kartavo/geomap/landmarks/landmark_xml.h"
#include "kartavo/geomap/landmarks/symbol_repository.h"

#include <gtest/gtest.h>

namespace {
using namespace kartavo;
using kartavo::testing::ReadBytes;
using kartavo::testing::RunCliLine;
using kartavo::testing::TScratchDir;
using kartavo::testing::WriteBytes;

std::vector<TLandMark> Sample() {
  std::vector<TLandMark> lms(3, DefaultLandMark());
  lms[0].Latitude = 46.95;
  lms[0].Longitude = 7.45;
  lms[0].Caption.Text = "Bern";
  lms[1].Latitude = 47.37;
  lms[1].Longitude = 8.54;
  lms[1].ClassFlag = 2;
  lms[2].Latitude = 46.2;
  lms[2].Longitude = 6.15;
  lms[2].SymbolProps.Kind = lmSpade;
  lms[2].Identifier = "GVA";
  lms[2].Time = 45000.25;
  return lms;
}

TEST(LandmarksCli, InfoSummarisesASection) {
  TScratchDir dir;
  SaveLandMarkFile(dir.File("ch.xml"), "swiss", Sample());
  auto r = RunCliLine("landmarks info " + dir.File("ch.xml") + " Swiss");
  EXPECT_EQ(r.Status, 0) << r.Out;
  EXPECT_EQ(r.Out, "landmarks: 3\nclasses: 0 (2) 2 (1)\nkinds: Cross (2) Spade (1)\ncaptions: 1\n"
                   "extent: latitude 46.20000 to 47.37000, longitude 6.15000 to 8.54000\n");
  r = RunCliLine("landmarks info " + dir.File("ch.xml") + " french");
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Out.find("no landmark section \"french\""), std::string::npos) << r.Out;
  EXPECT_EQ(RunCliLine("landmarks info").Status, 2);
  // A file that breaks off inside a tag gives no summary of what was read before.
  const std::string text = ReadBytes(dir.File("ch.xml"));
  WriteBytes(dir.File("cut.xml"), text.substr(0, text.rfind("/>")));
  r = RunCliLine("landmarks info " + dir.File("cut.xml"));
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Out.find("cut.xml: <gmlandmarks> section: the <landmark> tag breaks off"),
            std::string::npos)
      << r.Out;
}

TEST(LandmarksCli, ConvertsToGeoJsonAndBackToEqualLandmarks) {
  TScratchDir dir;
  SaveLandMarkFile(dir.File("ch.xml"), "swiss", Sample());
  auto r = RunCliLine("landmarks convert " + dir.File("ch.xml") + " " + dir.File("ch.geojson"));
  ASSERT_EQ(r.Status, 0) << r.Out;
  const std::string json = ReadBytes(dir.File("ch.geojson"));
  EXPECT_NE(json.find("\"type\": \"FeatureCollection\""), std::string::npos);
  EXPECT_NE(json.find("\"coordinates\": [\n     7.45,\n     46.95"), std::string::npos) << json;
  r = RunCliLine("landmarks convert " + dir.File("ch.geojson") + " " + dir.File("back.xml") +
                 " --id again");
  ASSERT_EQ(r.Status, 0) << r.Out;
  std::vector<TLandMark> back;
  ASSERT_TRUE(LoadLandMarkFile(dir.File("back.xml"), "again", back));
  EXPECT_EQ(back, Sample());
}

TEST(LandmarksCli, ForeignGeoJsonWithAFieldMapAndBadValues) {
  TScratchDir dir;
  WriteBytes(dir.File("towns.json"),
             R"({"type": "FeatureCollection", "features": [
  {"type": "Feature", "geometry": {"type": "Point", "coordinates": [2.35, 48.86]},
   "properties": {"name": "Paris", "code": "PAR", "class": 3}},
  {"type": "Feature", "geometry": {"type": "LineString", "coordinates": [[0, 0], [1, 1]]},
   "properties": {}},
  {"type": "Feature", "geometry": {"type": "Point", "coordinates": [4.83, 45.76]}, "properties": null}
]})");
  auto r = RunCliLine("landmarks convert " + dir.File("towns.json") + " " + dir.File("towns.xml") +
                      " --caption-field name --id-field code");
  ASSERT_EQ(r.Status, 0) << r.Out;
  EXPECT_NE(r.Out.find("skipped 1 features that are not points"), std::string::npos) << r.Out;
  std::vector<TLandMark> lms;
  ASSERT_TRUE(LoadLandMarkFile(dir.File("towns.xml"), "", lms));
  ASSERT_EQ(lms.size(), 2u);
  EXPECT_EQ(lms[0].Caption.Text.ToString(), "Paris");
  EXPECT_EQ(lms[0].Identifier.ToString(), "PAR");
  EXPECT_EQ(lms[0].ClassFlag, 3);
  EXPECT_EQ(lms[0].Latitude, 48.86);
  EXPECT_EQ(lms[1].SymbolProps, DefaultLandMark().SymbolProps);

  for (const char* bad : {R"({"type": "FeatureCollection", "features": [{"type": "Feature",
         "geometry": {"type": "Point", "coordinates": [1, 2]}, "properties": {"class": 300}}]})",
                          R"({"type": "FeatureCollection", "features": [{"type": "Feature",
         "geometry": {"type": "Point", "coordinates": [1, 2]}, "properties": {"size": "big"}}]})",
                          R"({"type": "Feature"})", "{ not json"}) {
    WriteBytes(dir.File("bad.json"), bad);
    r = RunCliLine("landmarks convert " + dir.File("bad.json") + " " + dir.File("bad.xml"));
    EXPECT_EQ(r.Status, 1) << bad;
    EXPECT_NE(r.Out.find("bad.json"), std::string::npos) << r.Out;
  }
}

TEST(SymbolsCli, ListsAndDrawsASheet) {
  TScratchDir dir;
  TSymbolRepository repo(nullptr);
  repo.SetNEntries(10);
  for (int ix = 1; ix <= 10; ++ix) {
    TSymbol s = DefaultSymbolRecord();
    s.Properties.Kind = static_cast<TLandMarkElement>(ix - 1);
    s.Name = "kind " + std::to_string(ix - 1);
    repo.SetValues(ix, s);
  }
  repo.StoreOnFile(dir.File("pal.xml"), "P");
  auto r = RunCliLine("symbols list " + dir.File("pal.xml"));
  ASSERT_EQ(r.Status, 0) << r.Out;
  EXPECT_NE(r.Out.find("\n3 Triangle 8 00000000 000000FF no 90 40 0 \"kind 2\"\n"),
            std::string::npos)
      << r.Out;
  r = RunCliLine("symbols draw " + dir.File("pal.xml") + " p -o " + dir.File("sheet.png"));
  ASSERT_EQ(r.Status, 0) << r.Out;
  const fw::TPixelImage sheet = fw::ReadPngFile(dir.File("sheet.png"));
  EXPECT_GT(sheet.Width, 6 * 100);
  EXPECT_GT(sheet.Height, 2 * 40);
  EXPECT_EQ(RunCliLine("symbols draw " + dir.File("pal.xml") + " other -o x.png").Status, 1);
}

} // namespace
