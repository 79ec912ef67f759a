#include "kartavo/framework/bmp_codec.h"
#include "kartavo/framework/errors.h"
#include "kartavo/framework/jpeg_codec.h"
#include "kartavo/framework/png_codec.h"
#include "kartavo/geomap/detail/map_image_file.h"
#include "picture_support.h"
#include "xml_test_support.h"

#include <gtest/gtest.h>

namespace kartavo {
namespace {
using testing::Picture;
using testing::TScratchDir;
using testing::WriteBytes;

TEST(MapImageFile, ReadsJpegBmpAndPngByExtensionIgnoringCase) {
  TScratchDir dir;
  fw::WriteJpegFile(dir.File("MAP.JPG"), Picture(30, 20));
  fw::WriteBmpFile(dir.File("map.Bmp"), Picture(31, 21));
  fw::WritePngFile(dir.File("scan.png"), Picture(32, 22));
  std::vector<int> progress;
  auto jpg = ReadMapImageFile(dir.File("MAP.JPG"), [&](int p) { progress.push_back(p); });
  ASSERT_TRUE(jpg);
  EXPECT_EQ(jpg->Width, 30);
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.back(), 100);
  EXPECT_EQ(ReadMapImageFile(dir.File("map.Bmp"), {})->Height, 21);
  EXPECT_EQ(ReadMapImageFile(dir.File("scan.png"), {})->Width, 32);
}

TEST(MapImageFile, OtherNamesAreReadByContentOrRefused) {
  TScratchDir dir;
  fw::WritePngFile(dir.File("scan.dat"), Picture(5, 4));
  auto img = ReadMapImageFile(dir.File("scan.dat"), {});
  ASSERT_TRUE(img);
  EXPECT_EQ(img->Height, 4);
  WriteBytes(dir.File("scan.tif"), "II*\0 not an image we read");
  EXPECT_FALSE(ReadMapImageFile(dir.File("scan.tif"), {}));
  WriteBytes(dir.File("broken.jpg"), "\xFF\xD8\xFF garbage");
  EXPECT_THROW(ReadMapImageFile(dir.File("broken.jpg"), {}), fw::EInvalidGraphic);
}

TEST(MapImageFile, PixelLimitAndItsMessage) {
  EXPECT_TRUE(MapImageSizeAllowed(2000, 1500));
  EXPECT_FALSE(MapImageSizeAllowed(2001, 1500));
  EXPECT_FALSE(MapImageSizeAllowed(100000, 100000)); // no 32-bit overflow
  EXPECT_EQ(
      MapImageTooLargeText(2001, 1500),
      "Cannot use map image, maximum of 3000000 pixels exceeded (size of map is 2001 x 1500)");
}

TEST(MapImageFile, CalibrationScalesWithHalvesToEven) {
  TCalibData cd;
  cd.NumCalQuads = 2;
  cd.CalQuads[1] = {47, 11, 301, 75};
  cd.CalQuads[2] = {46, 12, -3, 1};
  cd.CalQuads[3] = {0, 0, 999, 999}; // beyond NumCalQuads: untouched
  cd.NumCalLines = 1;
  cd.CalLines[1].NumPoints = 2;
  cd.CalLines[1].CalPoints[1] = {5, 7};
  cd.CalLines[1].CalPoints[2] = {9, 11};
  ScaleCalibrationPixels(cd, 0.5);
  EXPECT_EQ(cd.CalQuads[1].MapX, 150); // 150.5
  EXPECT_EQ(cd.CalQuads[1].MapY, 38);  // 37.5
  EXPECT_EQ(cd.CalQuads[2].MapX, -2);  // -1.5
  EXPECT_EQ(cd.CalQuads[2].MapY, 0);   // 0.5
  EXPECT_EQ(cd.CalQuads[3].MapX, 999);
  EXPECT_EQ(cd.CalLines[1].CalPoints[1], (quillon::TPoint{2, 4}));
  EXPECT_EQ(cd.CalLines[1].CalPoints[2], (quillon::TPoint{4, 6}));
  EXPECT_EQ(cd.CalQuads[1].Latitude, 47);
  EXPECT_EQ(ScaledEdge(801, 0.5), 400);
  EXPECT_EQ(ScaledEdge(1000, 0.5), 500);
}

TEST(MapImageFile, RenamedPathKeepsDirectoryAndExtension) {
  EXPECT_EQ(RenamedMapImagePath("dir/old.jpg", "other.txt"), "dir/other.jpg");
  EXPECT_EQ(RenamedMapImagePath("/a/b/Old.JPEG", "new name*?.x"), "/a/b/newname.JPEG");
  EXPECT_EQ(RenamedMapImagePath("old.bmp", "x/y"), "y.bmp");
  EXPECT_EQ(RenamedMapImagePath("dir/old.jpg", ""), "");
  EXPECT_EQ(RenamedMapImagePath("dir/old.jpg", "*?<>"), "");
}

TEST(MapImageFile, SavedMapNames) {
  auto n = SavedMapNames("dir/alps.png");
  EXPECT_EQ(n.Dir, "dir/");
  EXPECT_EQ(n.ImageName, "alps.jpg");
  EXPECT_EQ(n.CalibFile, "dir/alps.xml");
  n = SavedMapNames("alps");
  EXPECT_EQ(n.Dir, "");
  EXPECT_EQ(n.ImageName, "alps.jpg");
  EXPECT_EQ(n.CalibFile, "alps.xml");
}

} // namespace
} // namespace kartavo
