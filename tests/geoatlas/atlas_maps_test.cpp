// Registering, showing and removing maps: the table, the list, the shown
// map, and the failures that must leave everything as it was.
#include "atlas_test_support.h"

#include "kartavo/geoatlas/detail/file_case.h"

#include <filesystem>
#include <fstream>

namespace atlas_test {
namespace {

std::vector<std::string> ListLines(const TGeoAtlas& a) {
  std::vector<std::string> lines;
  for (int i = 0; i < a.MapSelector()->Items()->Count(); ++i)
    lines.push_back(a.MapSelector()->Items()->Strings(i));
  return lines;
}

TEST_F(AtlasTest, RegisteringTakesTheCalibrationsFacts) {
  RegisterAll();
  ASSERT_EQ(Atlas->NumRegMaps(), 3);
  const TMapDefinition c = Atlas->Maps(2);
  EXPECT_EQ(c.MapFName, ContinentXml);
  EXPECT_EQ(c.Caption, "Continent");
  EXPECT_EQ(c.Resolution, 50);
  EXPECT_EQ(c.Corners[gcoTopLeft], (TCoords{40, 0}));
  EXPECT_EQ(c.Corners[gcoBottomRight], (TCoords{0, 80}));
  EXPECT_EQ(ListLines(*Atlas), (std::vector<std::string>{"World", "Continent", "Country"}));
  // Registering shows nothing.
  EXPECT_EQ(Atlas->CurrentMapIndex(), 0);
  EXPECT_EQ(Atlas->MapSelector()->ItemIndex(), -1);
  EXPECT_TRUE(Map().MapImgFile().empty());
}

TEST_F(AtlasTest, SameFileInAnotherLetterCaseReplacesItsEntry) {
  const std::string upper = Dir.File("Mixed.XML");
  WriteMap(Dir, "mixed", Country);
  std::filesystem::rename(Dir.File("mixed.xml"), upper);
  ASSERT_TRUE(Atlas->RegisterMap(WorldXml));
  ASSERT_TRUE(Atlas->RegisterMap(upper));
  EXPECT_EQ(Atlas->Maps(2).MapFName, LowerFileName(upper));
  EXPECT_EQ(Atlas->MapFilePath(2), upper);
  // The file changes and is registered again under its lower-case name,
  // which finds it although the folder spells it otherwise.
  TMapSpec changed = Country;
  changed.Caption = "";
  changed.Resolution = 7;
  WriteMap(Dir, "mixed", changed);
  std::filesystem::rename(Dir.File("mixed.xml"), upper);
  ASSERT_TRUE(Atlas->RegisterMap(LowerFileName(upper)));
  ASSERT_EQ(Atlas->NumRegMaps(), 2);
  EXPECT_EQ(Atlas->Maps(2).Resolution, 7);
  EXPECT_EQ(Atlas->MapFilePath(2), upper);
  // Without a caption the list shows the file name.
  EXPECT_EQ(ListLines(*Atlas), (std::vector<std::string>{"World", LowerFileName(upper)}));
  EXPECT_TRUE(Atlas->SelectMap(2));
}

TEST_F(AtlasTest, UnreadableFilesAreRefusedAndChangeNothing) {
  RegisterAll();
  const std::string bad = Dir.File("bad.xml");
  std::ofstream(bad) << DamagedCalibration;
  const std::string none = Dir.File("none.xml");
  std::ofstream(none) << "just text\n";
  for (const std::string& name : {bad, none, Dir.File("missing.xml"), std::string()}) {
    EXPECT_FALSE(Atlas->RegisterMap(name)) << name;
    EXPECT_FALSE(Atlas->LastProblem().empty()) << name;
    EXPECT_EQ(Atlas->NumRegMaps(), 3);
  }
  EXPECT_NE(Atlas->LastProblem().find("no such file"), std::string::npos);
  EXPECT_TRUE(Atlas->RegisterMap(CountryXml));
  EXPECT_FALSE(Atlas->RegisterMap(bad));
  EXPECT_NE(Atlas->LastProblem().find("bad.xml"), std::string::npos) << Atlas->LastProblem();
  EXPECT_EQ(ListLines(*Atlas).size(), 3u);
}

TEST_F(AtlasTest, TheTableHoldsTwoHundredMaps) {
  for (int i = 1; i <= MaxAtlasMaps; ++i) {
    const std::string copy = Dir.File("m" + std::to_string(i) + ".xml");
    std::filesystem::copy_file(CountryXml, copy);
    ASSERT_TRUE(Atlas->RegisterMap(copy)) << i;
  }
  const std::string extra = Dir.File("extra.xml");
  std::filesystem::copy_file(CountryXml, extra);
  EXPECT_FALSE(Atlas->RegisterMap(extra));
  EXPECT_NE(Atlas->LastProblem().find("200 maps"), std::string::npos) << Atlas->LastProblem();
  EXPECT_EQ(Atlas->NumRegMaps(), 200);
  EXPECT_EQ(Atlas->GetMapDef(200).MapFName, Dir.File("m200.xml"));
  // A map registered before may still be updated.
  EXPECT_TRUE(Atlas->RegisterMap(Dir.File("M7.xml")));
  EXPECT_EQ(Atlas->NumRegMaps(), 200);
  EXPECT_EQ(Atlas->MapSelector()->Items()->Count(), 200);
}

TEST_F(AtlasTest, SelectingShowsTheMapAndItsLine) {
  RegisterAll();
  EXPECT_FALSE(Atlas->SelectMap(0));
  EXPECT_FALSE(Atlas->SelectMap(4));
  ASSERT_TRUE(Atlas->SelectMap(2));
  EXPECT_EQ(Atlas->CurrentMapIndex(), 2);
  EXPECT_EQ(Atlas->MapSelector()->ItemIndex(), 1);
  EXPECT_EQ(Atlas->MapSelector()->Text(), "Continent");
  // The calibration names its picture without a folder: it is found beside
  // the calibration, not in the working folder.
  EXPECT_EQ(Map().MapImgFile(), "continent.bmp");
  EXPECT_EQ(Map().MapImgWidth(), 320);
  EXPECT_EQ(Map().CalibData().Resolution, 50);
  EXPECT_TRUE(Atlas->LastProblem().empty());
}

TEST_F(AtlasTest, PictureNamedInAnotherLetterCaseIsFound) {
  const std::string xml = WriteMap(Dir, "shouting", Country, "C:\\MAPS\\SHOUTING.BMP");
  ASSERT_TRUE(Atlas->RegisterMap(xml));
  ASSERT_TRUE(Atlas->SelectMap(1));
  EXPECT_EQ(LowerFileName(Map().MapImgFile()), "c:\\maps\\shouting.bmp");
  EXPECT_EQ(Map().MapImgWidth(), 200);
}

TEST_F(AtlasTest, ACalibrationThatFailsLaterLeavesWhatWasShown) {
  RegisterAll();
  ASSERT_TRUE(Atlas->SelectMap(1));
  const TCalibData shownCalib = Map().CalibData();
  // The country's calibration is damaged, the continent's picture is gone.
  std::ofstream(CountryXml, std::ios::trunc) << DamagedCalibration;
  std::filesystem::remove(Dir.File("continent.bmp"));
  for (int ix : {2, 3}) {
    EXPECT_FALSE(Atlas->SelectMap(ix)) << ix;
    EXPECT_FALSE(Atlas->LastProblem().empty());
    EXPECT_EQ(Atlas->CurrentMapIndex(), 1);
    EXPECT_EQ(Atlas->MapSelector()->ItemIndex(), 0);
    EXPECT_EQ(Map().MapImgFile(), "world.bmp");
    EXPECT_EQ(Map().CalibData().Caption, shownCalib.Caption);
    EXPECT_EQ(Map().CalibData().Corners, shownCalib.Corners);
  }
  EXPECT_NE(Atlas->LastProblem().find(CountryXml), std::string::npos);
}

TEST_F(AtlasTest, ABrokenPictureBringsBackWhatWasShown) {
  RegisterAll();
  ASSERT_TRUE(Atlas->SelectMap(1));
  // The picture is there but is no picture: the load fails half-way.
  std::ofstream(Dir.File("country.bmp"), std::ios::trunc) << "BM not really";
  EXPECT_FALSE(Atlas->SelectMap(3));
  EXPECT_EQ(Atlas->CurrentMapIndex(), 1);
  EXPECT_EQ(Map().MapImgFile(), "world.bmp");
  EXPECT_EQ(Map().CalibData().Caption, "World");
  EXPECT_EQ(Map().MapImgWidth(), 320);
}

TEST_F(AtlasTest, UnregisteringTheShownMapShowsTheOneTakingItsPlace) {
  RegisterAll();
  ASSERT_TRUE(Atlas->SelectMap(2));
  Atlas->UnregisterMap(2);
  EXPECT_EQ(Atlas->NumRegMaps(), 2);
  EXPECT_EQ(Atlas->CurrentMapIndex(), 2);
  EXPECT_EQ(Atlas->Maps(2).Caption, "Country");
  EXPECT_EQ(Map().MapImgFile(), "country.bmp");
  EXPECT_EQ(Atlas->MapSelector()->Text(), "Country");
  // The last one has no successor: the picture stays, no map is current.
  Atlas->UnregisterMap(2);
  EXPECT_EQ(Atlas->NumRegMaps(), 1);
  EXPECT_EQ(Atlas->CurrentMapIndex(), 0);
  EXPECT_EQ(Atlas->MapSelector()->ItemIndex(), -1);
  EXPECT_EQ(Map().MapImgFile(), "country.bmp");
  EXPECT_EQ(Atlas->GetMapDef(2), TMapDefinition{});
}

TEST_F(AtlasTest, UnregisteringAnotherMapKeepsTheShownOneSelected) {
  RegisterAll();
  ASSERT_TRUE(Atlas->SelectMap(3));
  Atlas->UnregisterMap(1);
  EXPECT_EQ(Atlas->CurrentMapIndex(), 2);
  EXPECT_EQ(Atlas->MapSelector()->ItemIndex(), 1);
  EXPECT_EQ(Atlas->MapSelector()->Text(), "Country");
  Atlas->UnregisterMap(2 + 1); // out of range: nothing happens
  Atlas->UnregisterMap(0);
  EXPECT_EQ(Atlas->NumRegMaps(), 2);
  // A map above the shown one goes: the index stays.
  ASSERT_TRUE(Atlas->RegisterMap(WorldXml));
  Atlas->UnregisterMap(3);
  EXPECT_EQ(Atlas->CurrentMapIndex(), 2);
  EXPECT_EQ(Atlas->MapSelector()->Text(), "Country");
  EXPECT_EQ(Map().MapImgFile(), "country.bmp");
}

TEST_F(AtlasTest, RegisteringKeepsTheShownMapSelected) {
  ASSERT_TRUE(Atlas->RegisterMap(WorldXml));
  ASSERT_TRUE(Atlas->SelectMap(1));
  ASSERT_TRUE(Atlas->RegisterMap(ContinentXml));
  EXPECT_EQ(Atlas->MapSelector()->ItemIndex(), 0);
  ASSERT_TRUE(Atlas->RegisterMap(WorldXml)); // replaced in place
  EXPECT_EQ(Atlas->CurrentMapIndex(), 1);
  EXPECT_EQ(Atlas->MapSelector()->Text(), "World");
}

TEST_F(AtlasTest, ChoosingInTheListShowsTheMapAndTellsTheHost) {
  RegisterAll();
  std::vector<fw::TObject*> senders;
  Atlas->OnCBoxMapsChange = [&](fw::TObject* s) { senders.push_back(s); };
  Atlas->MapSelector()->ChooseItem(2);
  EXPECT_EQ(Atlas->CurrentMapIndex(), 3);
  EXPECT_EQ(Map().MapImgFile(), "country.bmp");
  ASSERT_EQ(senders.size(), 1u);
  EXPECT_EQ(senders[0], Atlas.get());
  // A line whose map cannot be loaded: the list goes back to the shown map.
  std::filesystem::remove(Dir.File("world.bmp"));
  Atlas->MapSelector()->ChooseItem(0);
  EXPECT_EQ(senders.size(), 2u);
  EXPECT_EQ(Atlas->CurrentMapIndex(), 3);
  EXPECT_EQ(Atlas->MapSelector()->ItemIndex(), 2);
}

} // namespace
} // namespace atlas_test
