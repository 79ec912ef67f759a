// The bands a raster program sees in a map image, read from the header only:
// what the VRT of a map must describe band for band.
#include "../picture_support.h"
#include "../xml_test_support.h"
#include "kartavo/framework/jpeg_codec.h"
#include "kartavo/geomap/georef/detail/image_bands.h"
#include "kartavo/package/exceptions.h"

#include <gtest/gtest.h>

namespace kartavo {
namespace {
using georef::ReadImageBands;
using georef::TImageBands;
using testing::TScratchDir;
using testing::WriteBytes;

std::string Be32(uint32_t v) {
  return {char(v >> 24), char(v >> 16 & 0xFF), char(v >> 8 & 0xFF), char(v & 0xFF)};
}

// The signature and the header chunk of a PNG, which is all the reader needs.
std::string PngHeader(int w, int h, int depth, int colourType) {
  return std::string("\x89PNG\r\n\x1a\n", 8) + Be32(13) + "IHDR" + Be32(uint32_t(w)) +
         Be32(uint32_t(h)) + char(depth) + char(colourType) + std::string(3, '\0') + Be32(0);
}

TImageBands Bands(const std::string& bytes) {
  TScratchDir dir;
  WriteBytes(dir.File("image"), bytes);
  return ReadImageBands(dir.File("image"));
}

TEST(ImageBands, PngColourTypesGiveTheirBands) {
  TImageBands b = Bands(PngHeader(640, 480, 8, 6));
  EXPECT_EQ(b.Width, 640);
  EXPECT_EQ(b.Height, 480);
  EXPECT_EQ(b.Count, 4);
  EXPECT_EQ(Bands(PngHeader(5, 5, 8, 0)).Count, 1);
  EXPECT_EQ(Bands(PngHeader(5, 5, 8, 2)).Count, 3);
  EXPECT_EQ(Bands(PngHeader(5, 5, 8, 4)).Count, 2);
  b = Bands(PngHeader(5, 5, 4, 3));
  EXPECT_TRUE(b.Palette);
  EXPECT_EQ(b.Count, 1);
  EXPECT_TRUE(Bands(PngHeader(5, 5, 16, 2)).Sixteen);
}

TEST(ImageBands, JpegFramesAndBitmapHeaders) {
  TScratchDir dir;
  fw::WriteJpegFile(dir.File("map.jpg"), testing::Picture(321, 123));
  const TImageBands j = ReadImageBands(dir.File("map.jpg"));
  EXPECT_EQ(j.Width, 321);
  EXPECT_EQ(j.Height, 123);
  EXPECT_EQ(j.Count, 3);
  // A grey baseline frame after an application segment and fill bytes.
  const std::string grey = std::string("\xFF\xD8\xFF\xE0\x00\x04xx\xFF\xFF\xC0\x00\x0B\x08\x00\x20"
                                       "\x00\x40\x01\x01\x11\x00",
                                       22);
  const TImageBands g = Bands(grey);
  EXPECT_EQ(g.Count, 1);
  EXPECT_EQ(g.Width, 64);
  EXPECT_EQ(g.Height, 32);
  // A 8-bit bitmap stored top-down (negative height).
  std::string bmp = "BM" + std::string(12, '\0') + std::string("\x28\0\0\0", 4) +
                    std::string("\x10\0\0\0", 4) + std::string("\xF0\xFF\xFF\xFF", 4) +
                    std::string("\1\0\x08\0", 4) + std::string(24, '\0');
  const TImageBands p = Bands(bmp);
  EXPECT_TRUE(p.Palette);
  EXPECT_EQ(p.Width, 16);
  EXPECT_EQ(p.Height, 16);
}

TEST(ImageBands, OtherFilesAndDamagedHeadersAreRefused) {
  EXPECT_THROW(Bands("GIF89a......"), EORVGeoMapError);
  EXPECT_THROW(Bands(PngHeader(0, 5, 8, 2)), EORVGeoMapError);
  EXPECT_THROW(Bands(PngHeader(5, 5, 8, 5)), EORVGeoMapError);
  EXPECT_THROW(Bands(std::string("\xFF\xD8\xFF\xDA\x00\x02", 6)), EORVGeoMapError); // no frame
  EXPECT_THROW(Bands(std::string("\xFF\xD8\xFF\xC0\x00\x0B", 6)), EORVGeoMapError); // cut short
  EXPECT_THROW(Bands("BM"), EORVGeoMapError);
  EXPECT_THROW(ReadImageBands("/nonexistent/map.jpg"), EORVGeoMapError);
}

} // namespace
} // namespace kartavo
