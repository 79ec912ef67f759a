#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/bmp_codec.h"
#include "kartavo/framework/jpeg_codec.h"
#include "kartavo/framework/png_codec.h"
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/package/exceptions.h"
#include "picture_support.h"
#include "xml_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kartavo {
namespace {
using testing::Picture;
using testing::TScratchDir;
using testing::WriteBytes;

struct MapFixture : ::testing::Test {
  MapFixture() { map.SetName("GeoMap1"); }
  TGeoMap map{nullptr};
  TScratchDir dir;
};

using ImageGeoMap = MapFixture;

TEST_F(ImageGeoMap, JpegLoadsWhateverTheCaseOfItsExtensionWithProgress) {
  fw::WriteJpegFile(dir.File("MAP.JPG"), Picture(40, 30));
  std::vector<int> progress;
  map.OnDataLoading = [&](fw::TObject* sender, int p) {
    EXPECT_EQ(sender, &map);
    progress.push_back(p);
  };
  const int paints = map.PaintCount();
  map.SetMapImgName(dir.File("MAP.JPG"));
  EXPECT_EQ(map.MapImgFile(), dir.File("MAP.JPG"));
  EXPECT_EQ(map.MapImgWidth(), 40);
  EXPECT_EQ(map.MapImgHeight(), 30);
  EXPECT_EQ(map.MapBitmap()->Width(), 40);
  EXPECT_EQ(map.TopLeft(), (quillon::TPoint{0, 0}));
  EXPECT_EQ(map.PaintCount(), paints + 1);
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.back(), 100);
}

TEST_F(ImageGeoMap, PngAndBmpFilesAreReadToo) {
  fw::WritePngFile(dir.File("scan.png"), Picture(12, 7));
  map.SetMapImgName(dir.File("scan.png"));
  EXPECT_EQ(map.MapImgWidth(), 12);
  fw::WriteBmpFile(dir.File("scan.bmp"), Picture(9, 5));
  map.SetMapImgName(dir.File("scan.bmp"));
  EXPECT_EQ(map.MapBitmap()->Height(), 5);
}

TEST_F(ImageGeoMap, UnreadableFormatRaisesAndChangesNothing) {
  fw::WriteJpegFile(dir.File("map.jpg"), Picture(20, 10));
  map.SetMapImgName(dir.File("map.jpg"));
  WriteBytes(dir.File("scan.tif"), "II*");
  try {
    map.SetMapImgName(dir.File("scan.tif"));
    ADD_FAILURE();
  } catch (const EORVGeoMapError& e) {
    EXPECT_EQ(std::string(e.what()), "Component \"GeoMap1\": cannot read map image \"" +
                                         dir.File("scan.tif") + "\": unsupported image format");
  }
  EXPECT_EQ(map.MapImgFile(), dir.File("map.jpg"));
  EXPECT_EQ(map.MapImgWidth(), 20);
  EXPECT_EQ(map.MapBitmap()->Width(), 20);
}

TEST_F(ImageGeoMap, MissingFileEmptiesTheMap) {
  fw::WriteJpegFile(dir.File("map.jpg"), Picture(20, 10));
  map.SetMapImgName(dir.File("map.jpg"));
  map.SetMapImgName(dir.File("gone.jpg"));
  EXPECT_EQ(map.MapImgFile(), "");
  EXPECT_EQ(map.MapImgWidth(), 0);
  EXPECT_EQ(map.MapImgHeight(), 0);
}

TEST_F(ImageGeoMap, RequestHandlerChoosesTheFileAndTheRequestedNameIsKept) {
  std::filesystem::create_directories(dir.Path() / "dir");
  fw::WriteJpegFile(dir.File("dir/alps.jpg"), Picture(16, 8));
  map.OnMapImageRequest = [&](fw::TObject*, std::string& name) {
    name = dir.File("dir/" + name + ".jpg");
  };
  map.SetMapImgName("alps");
  EXPECT_EQ(map.MapImgFile(), "alps");
  EXPECT_EQ(map.MapImgWidth(), 16);
}

TEST_F(ImageGeoMap, PixelLimitRefusesLargerImagesAndKeepsThePreviousPicture) {
  fw::WriteBmpFile(dir.File("ok.bmp"), Picture(2000, 1500));
  map.SetMapImgName(dir.File("ok.bmp"));
  EXPECT_EQ(map.MapImgWidth(), 2000);
  fw::WriteBmpFile(dir.File("big.bmp"), Picture(2001, 1500));
  try {
    map.SetMapImgName(dir.File("big.bmp"));
    ADD_FAILURE();
  } catch (const EORVGeoMapError& e) {
    EXPECT_EQ(std::string(e.what()), "Component \"GeoMap1\": Cannot use map image, maximum of "
                                     "3000000 pixels exceeded (size of map is 2001 x 1500)");
  }
  EXPECT_EQ(map.MapImgFile(), dir.File("ok.bmp"));
  EXPECT_EQ(map.MapBitmap()->Width(), 2000);

  // A header claiming 4000 x 3000 pixels over no pixel data: the map's limit
  // speaks from the header, before the reader finds the data missing.
  const std::string header = std::string("BM") + std::string(8, '\0') + "\x36" +
                             std::string(3, '\0') + "\x28" + std::string(3, '\0') + "\xA0\x0F" +
                             std::string(2, '\0') + "\xB8\x0B" + std::string(2, '\0') + "\x01" +
                             std::string(1, '\0') + "\x18" + std::string(25, '\0');
  WriteBytes(dir.File("claims.bmp"), header);
  std::vector<int> progress;
  map.OnDataLoading = [&](fw::TObject*, int percent) { progress.push_back(percent); };
  try {
    map.SetMapImgName(dir.File("claims.bmp"));
    ADD_FAILURE();
  } catch (const EORVGeoMapError& e) {
    EXPECT_NE(std::string(e.what()).find("(size of map is 4000 x 3000)"), std::string::npos);
  }
  EXPECT_LE(progress.size(), 1u); // at most the start: no row was decoded
  EXPECT_EQ(map.MapBitmap()->Width(), 2000);

  fw::TBitmap big;
  big.SetSize(1500, 2001);
  EXPECT_THROW(map.SetMapBitMap(&big), EORVGeoMapError);
  EXPECT_EQ(map.MapBitmap()->Width(), 2000);
  EXPECT_EQ(map.MapImgHeight(), 1500);
}

TEST_F(ImageGeoMap, HostBitmapIsCopiedAndNamedUnknown) {
  fw::TBitmap bmp;
  bmp.SetSize(33, 22);
  map.SetMapBitMap(&bmp);
  bmp.SetSize(1, 1);
  EXPECT_EQ(map.MapImgFile(), "$unknown$");
  EXPECT_EQ(map.MapImgWidth(), 33);
  EXPECT_EQ(map.MapBitmap()->Height(), 22);
}

TEST_F(ImageGeoMap, ResizeScalesImageAndCalibrationRoundingHalvesToEven) {
  fw::TBitmap bmp;
  bmp.SetSize(1000, 801);
  map.SetMapBitMap(&bmp);
  map.SetCalibModel(cmEquiRect);
  map.AddCalibPoint(47.0, 11.0, 301, 75);
  map.AddCalibPoint(46.0, 11.0, 301, 775);
  map.AddCalibPoint(47.0, 12.0, 901, 75);
  map.ResizeMap(0.5);
  EXPECT_EQ(map.MapImgWidth(), 500);
  EXPECT_EQ(map.MapImgHeight(), 400);
  EXPECT_EQ(map.MapBitmap()->Width(), 500);
  EXPECT_EQ(map.CalibData().CalQuads[1].MapX, 150);
  EXPECT_EQ(map.CalibData().CalQuads[1].MapY, 38);
  EXPECT_EQ(map.MapImgFile(), "$unknown$");
  bool valid = false;
  EXPECT_NEAR(map.CalcLatitude(150, 388, valid), 46.0, 0.01);

  bmp.SetSize(1600, 1200);
  map.SetMapBitMap(&bmp);
  map.ResizeMap(800);
  EXPECT_EQ(map.MapImgWidth(), 800);
  EXPECT_EQ(map.MapImgHeight(), 600);
  EXPECT_THROW(map.ResizeMap(-1.0), EORVGeoMapError);
  EXPECT_THROW(map.ResizeMap(0), EORVGeoMapError);
  EXPECT_EQ(map.MapImgWidth(), 800);
}

TEST_F(ImageGeoMap, ResizeWithoutImageChangesNothing) {
  map.ResizeMap(800);
  EXPECT_EQ(map.MapImgWidth(), 0);
  EXPECT_EQ(map.MapImgFile(), "");
}

TEST_F(ImageGeoMap, RenameKeepsDirectoryAndExtensionAndRefusesWhatItCannotDo) {
  std::filesystem::create_directories(dir.Path() / "dir");
  fw::WriteJpegFile(dir.File("dir/old.jpg"), Picture(4, 4));
  map.SetMapImgName(dir.File("dir/old.jpg"));
  EXPECT_FALSE(map.RenameMapImg(""));
  EXPECT_TRUE(map.RenameMapImg("other.txt"));
  EXPECT_EQ(map.MapImgFile(), dir.File("dir/other.jpg"));
  EXPECT_TRUE(std::filesystem::exists(dir.File("dir/other.jpg")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("dir/old.jpg")));

  std::filesystem::create_directories(dir.Path() / "dir" / "taken.jpg");
  EXPECT_FALSE(map.RenameMapImg("taken"));
  EXPECT_EQ(map.MapImgFile(), dir.File("dir/other.jpg"));
  fw::WriteJpegFile(dir.File("dir/kept.jpg"), Picture(2, 2));
  EXPECT_FALSE(map.RenameMapImg("kept"));
  EXPECT_EQ(map.MapImgFile(), dir.File("dir/other.jpg"));
  EXPECT_TRUE(std::filesystem::exists(dir.File("dir/other.jpg")));
}

} // namespace
} // namespace kartavo
