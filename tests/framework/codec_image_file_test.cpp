#include "codec_test_support.h"

#include "kartavo/framework/bmp_codec.h"
#include "kartavo/framework/image_file.h"
#include "kartavo/framework/jpeg_codec.h"
#include "kartavo/framework/png_codec.h"

using namespace codec_test;

TEST(CodecImageFile, RecognisesFilesByContentNotByName) {
  TTempDir dir;
  const fw::TPixelImage img = GradientImage(64, 48);
  const std::string bmp = dir.File("really_bmp.jpg"), png = dir.File("really_png.bmp"),
                    jpg = dir.File("really_jpg.png");
  fw::WriteBmpFile(bmp, img);
  fw::WritePngFile(png, img);
  fw::WriteJpegFile(jpg, img, 100);
  EXPECT_TRUE(SameColors(fw::ReadImageFile(bmp), img));
  EXPECT_TRUE(SameColors(fw::ReadImageFile(png), img));
  EXPECT_LT(MeanChannelDifference(fw::ReadImageFile(jpg), img), 8.0);
  const auto head = FileBytes(jpg);
  EXPECT_EQ(fw::DetectImageFormat(head.data(), head.size()), fw::iffJpeg);
}

TEST(CodecImageFile, UnknownFormatsNameTheFile) {
  TTempDir dir;
  for (const std::string content : {"", "GIF89a....", "B"}) {
    const std::string path = dir.File("odd.img");
    {
      fw::TFileStream f(path, fw::fmCreate);
      f.WriteBuffer(content.data(), static_cast<int64_t>(content.size()));
    }
    try {
      fw::ReadImageFile(path);
      ADD_FAILURE() << "no error for " << content;
    } catch (const fw::EInvalidGraphic& e) {
      EXPECT_EQ(std::string(e.what()), "Unsupported image format \"" + path + "\"");
    }
  }
  EXPECT_THROW(fw::ReadImageFile(dir.File("missing.png")), fw::EInOutError);
}

TEST(CodecImageFile, ReadsFromTheStreamsPosition) {
  const fw::TPixelImage img = RandomImage(5, 5, fw::pf4bit, 2);
  fw::TMemoryStream s;
  s.WriteBuffer("prefix", 6);
  fw::WritePng(s, img);
  s.SetPosition(6);
  EXPECT_TRUE(SameColors(fw::ReadImage(s, "s.png"), img));
}
