#include "geomap_test_support.h"
#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/jpeg_codec.h"
#include "kartavo/geomap/calib_xml.h"
#include "kartavo/geomap/geomap_control.h"
#include "xml_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kartavo {
namespace {
using testing::TScratchDir;

void MakeMap(TGeoMap& map) {
  fw::TBitmap bmp;
  bmp.SetSize(120, 80);
  map.SetMapBitMap(&bmp);
  map.SetCalibModel(cmEquiRect);
  map.AddCalibPoint(48.0, 6.0, 0, 0);
  map.AddCalibPoint(48.0, 12.0, 120, 0);
  map.AddCalibPoint(44.0, 6.0, 0, 80);
}

TEST(SaveGeoMap, WritesCalibrationAndJpegBesideEachOtherAndLoadsBack) {
  TScratchDir dir;
  std::filesystem::create_directories(dir.Path() / "dir");
  TGeoMap map(nullptr);
  MakeMap(map);
  std::vector<int> progress;
  map.OnDataLoading = [&](fw::TObject*, int p) { progress.push_back(p); };
  map.SaveMap(dir.File("dir/alps.png"), "alps");
  EXPECT_EQ(map.MapImgFile(), "alps.jpg");
  EXPECT_TRUE(std::filesystem::exists(dir.File("dir/alps.jpg")));
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.back(), 100);
  TCalibData cd;
  TCalibModel model = cmUndefined;
  ASSERT_TRUE(ParseCalibData(dir.File("dir/alps.xml"), "alps", cd, model));
  EXPECT_EQ(cd.MapFName, "alps.jpg");
  EXPECT_EQ(model, cmEquiRect);

  TGeoMap back(nullptr);
  back.OnMapImageRequest = [&](fw::TObject*, std::string& name) { name = dir.File("dir/" + name); };
  ASSERT_TRUE(back.LoadCalDataFromXML(dir.File("dir/alps.xml"), "alps"));
  EXPECT_EQ(back.MapImgWidth(), 120);
  EXPECT_EQ(back.MapImgHeight(), 80);
  EXPECT_TRUE(testing::PutsPlaceAt(back, 46.0, 9.0, 60, 40));
}

TEST(SaveGeoMap, NameWithoutDirectoryWritesIntoTheCurrentDirectory) {
  TScratchDir dir;
  const auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path());
  TGeoMap map(nullptr);
  MakeMap(map);
  map.SaveMap("plain", "p");
  std::filesystem::current_path(cwd);
  EXPECT_TRUE(std::filesystem::exists(dir.File("plain.xml")));
  EXPECT_TRUE(std::filesystem::exists(dir.File("plain.jpg")));
  EXPECT_EQ(map.MapImgFile(), "plain.jpg");
}

} // namespace
} // namespace kartavo
