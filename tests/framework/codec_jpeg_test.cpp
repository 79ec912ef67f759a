#include "codec_test_support.h"

#include "kartavo/framework/bmp_codec.h"
#include "kartavo/framework/jpeg_codec.h"

using namespace codec_test;

namespace {

std::vector<uint8_t> EncodeJpeg(const fw::TPixelImage& img, int quality = fw::kDefaultJpegQuality) {
  fw::TMemoryStream s;
  fw::WriteJpeg(s, img, quality);
  return BytesOf(s);
}

fw::TPixelImage ReadVia(fw::TStream& s, const std::string& name) { return fw::ReadJpeg(s, name); }

std::string ErrorOf(const std::vector<uint8_t>& file) {
  try {
    fw::DecodeJpeg(file.data(), file.size(), "broken.jpg");
  } catch (const fw::EInvalidGraphic& e) {
    return e.what();
  }
  return "(no error)";
}

// Sets the height and width in the frame header of a JPEG file.
std::vector<uint8_t> WithFrameSize(std::vector<uint8_t> f, int w, int h) {
  for (size_t i = 0; i + 8 < f.size(); ++i)
    if (f[i] == 0xFF && f[i + 1] == 0xC0) {
      f[i + 5] = static_cast<uint8_t>(h >> 8);
      f[i + 6] = static_cast<uint8_t>(h);
      f[i + 7] = static_cast<uint8_t>(w >> 8);
      f[i + 8] = static_cast<uint8_t>(w);
      break;
    }
  return f;
}

struct TCallbackStop {};

} // namespace

TEST(CodecJpeg, RoundTripStaysCloseToTheOriginal) {
  const fw::TPixelImage img = GradientImage(97, 61);
  for (int q : {50, 75, 95}) {
    const auto bytes = EncodeJpeg(img, q);
    const fw::TPixelImage back = fw::DecodeJpeg(bytes.data(), bytes.size(), "mem.jpg");
    EXPECT_EQ(back.Format, fw::pf24bit);
    ASSERT_EQ(back.Width, 97);
    ASSERT_EQ(back.Height, 61);
    EXPECT_LT(MeanChannelDifference(back, img), q == 95 ? 4.0 : 6.0) << "quality " << q;
  }
}

TEST(CodecJpeg, HigherQualityGivesLargerFilesAndSmallerErrors) {
  const fw::TPixelImage img = GradientImage(64, 64);
  const auto low = EncodeJpeg(img, 20), high = EncodeJpeg(img, 95);
  EXPECT_LT(low.size(), high.size());
  const auto lowImg = fw::DecodeJpeg(low.data(), low.size(), "l.jpg");
  const auto highImg = fw::DecodeJpeg(high.data(), high.size(), "h.jpg");
  EXPECT_LT(MeanChannelDifference(highImg, img), MeanChannelDifference(lowImg, img));
}

TEST(CodecJpeg, WritesEveryPixelFormat) {
  for (fw::TPixelFormat f :
       {fw::pf1bit, fw::pf4bit, fw::pf8bit, fw::pf15bit, fw::pf16bit, fw::pf32bit}) {
    // A flat picture of one colour survives lossy coding nearly unchanged.
    fw::TPixelImage img = RandomImage(32, 32, f, 3);
    const int bpp = fw::BitsPerPixel(f);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32 * bpp / 8; ++x)
        img.Row(y)[x] = bpp < 8 ? 0xFF : img.Row(0)[x % (bpp / 8)];
    const auto bytes = EncodeJpeg(img, 100);
    const auto back = fw::DecodeJpeg(bytes.data(), bytes.size(), "f.jpg");
    EXPECT_LT(MeanChannelDifference(back, img), 3.0) << "format " << int(f);
  }
}

TEST(CodecJpeg, DecodesExactlyAsDjpegDoes) {
  if (!HaveTool("djpeg") || !HaveTool("cjpeg"))
    GTEST_SKIP() << "libjpeg-turbo's tools are not installed";
  TTempDir dir;
  const std::string bmp = dir.File("src.bmp");
  fw::WriteBmpFile(bmp, GradientImage(75, 43));
  // Colour, grey and progressive files, made by libjpeg's own encoder.
  for (const std::string options : {"", "-grayscale", "-progressive", "-sample 1x1 -optimize"}) {
    const std::string jpg = dir.File("x.jpg"), ref = dir.File("ref.bmp");
    ASSERT_TRUE(RunShell("cjpeg " + options + " -outfile " + jpg + " " + bmp));
    ASSERT_TRUE(RunShell("djpeg -bmp -outfile " + ref + " " + jpg));
    const fw::TPixelImage ours = fw::ReadJpegFile(jpg);
    const fw::TPixelImage theirs = fw::ReadBmpFile(ref);
    EXPECT_TRUE(SameColors(ours, theirs)) << "cjpeg " << options;
  }
}

TEST(CodecJpeg, ReadsAdobeCmykFiles) {
  if (!HaveTool("convert")) GTEST_SKIP() << "ImageMagick is not installed";
  TTempDir dir;
  const fw::TPixelImage img = GradientImage(40, 30);
  const std::string bmp = dir.File("src.bmp"), jpg = dir.File("cmyk.jpg");
  fw::WriteBmpFile(bmp, img);
  ASSERT_TRUE(RunShell("convert " + bmp + " -colorspace CMYK -quality 100 " + jpg));
  ASSERT_EQ(Identify(jpg, "%[colorspace]"), "CMYK");
  const fw::TPixelImage back = fw::ReadJpegFile(jpg);
  EXPECT_LT(MeanChannelDifference(back, img), 4.0);
}

TEST(CodecJpeg, DefaultQualityIsTheLibrarysDefault) {
  if (!HaveIdentify()) GTEST_SKIP() << "ImageMagick's identify is not installed";
  TTempDir dir;
  const std::string path = dir.File("default.jpg");
  fw::WriteJpegFile(path, GradientImage(50, 40));
  EXPECT_EQ(Identify(path, "%w %h %Q"), "50 40 75");
}

TEST(CodecJpeg, TruncatedOrCorruptedFilesAreRefusedOrDecodeUnchanged) {
  const auto file = EncodeJpeg(GradientImage(16, 16));
  ExpectRefusesOrMatches(ReadVia, file);
  ExpectRefusesOrMatches(ReadVia, file, true);
}

TEST(CodecJpeg, RefusesAbsurdDimensionsBeforeDecoding) {
  const auto file = EncodeJpeg(GradientImage(16, 16));
  EXPECT_NE(ErrorOf(WithFrameSize(file, 65000, 65000)).find("too large"), std::string::npos);
  EXPECT_NE(ErrorOf(WithFrameSize(file, 12000, 12000)).find("too short"), std::string::npos);
  // Every 8 x 8 block costs at least a bit: a few hundred bytes hold no 2000 x 2000 picture.
  ASSERT_LT(file.size(), 2000u);
  EXPECT_NE(ErrorOf(WithFrameSize(file, 2000, 2000)).find("too short"), std::string::npos);
  EXPECT_NE(ErrorOf({}).find("empty"), std::string::npos);
  EXPECT_NE(ErrorOf({'B', 'M', 0, 0}).find("broken.jpg"), std::string::npos);
}

TEST(CodecJpeg, SizeCheckRefusesFromTheHeader) {
  const auto file = EncodeJpeg(GradientImage(40, 24));
  std::vector<std::pair<int, int>> asked;
  auto check = [&](int w, int h) {
    asked.emplace_back(w, h);
    if (w * h > 900) throw std::length_error("too many pixels for the caller");
  };
  std::vector<int> progress;
  EXPECT_THROW(fw::DecodeJpeg(
                   file.data(), file.size(), "x.jpg", [&](int p) { progress.push_back(p); }, check),
               std::length_error);
  EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{40, 24}}));
  EXPECT_EQ(progress, std::vector<int>{0}); // refused before any row was decoded
  const auto small = EncodeJpeg(GradientImage(30, 30));
  EXPECT_EQ(fw::DecodeJpeg(small.data(), small.size(), "x.jpg", {}, check).Width, 30);
}

TEST(CodecJpeg, ReportsProgressAndLetsTheCallbackStopIt) {
  const auto file = EncodeJpeg(GradientImage(300, 400));
  std::vector<int> seen;
  fw::DecodeJpeg(file.data(), file.size(), "p.jpg", [&](int p) { seen.push_back(p); });
  ASSERT_GE(seen.size(), 3u);
  EXPECT_EQ(seen.front(), 0);
  EXPECT_EQ(seen.back(), 100);
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  seen.clear();
  fw::TMemoryStream s;
  fw::WriteJpeg(s, GradientImage(300, 400), 80, [&](int p) { seen.push_back(p); });
  ASSERT_GE(seen.size(), 3u);
  EXPECT_EQ(seen.back(), 100);
  // A callback that throws stops decoding and encoding; its exception arrives unchanged.
  auto stop = [](int p) {
    if (p >= 30) throw TCallbackStop();
  };
  EXPECT_THROW(fw::DecodeJpeg(file.data(), file.size(), "p.jpg", stop), TCallbackStop);
  EXPECT_THROW(fw::WriteJpeg(s, GradientImage(300, 400), 80, stop), TCallbackStop);
}

TEST(CodecJpeg, RefusesWhatCannotBeWritten) {
  fw::TMemoryStream s;
  EXPECT_THROW(fw::WriteJpeg(s, RandomImage(0, 5, fw::pf24bit, 1)), fw::EInvalidGraphic);
  EXPECT_THROW(fw::WriteJpeg(s, RandomImage(5, 5, fw::pf24bit, 1), 0), fw::EInvalidGraphic);
  EXPECT_THROW(fw::WriteJpeg(s, RandomImage(5, 5, fw::pf24bit, 1), 101), fw::EInvalidGraphic);
  fw::TPixelImage broken = RandomImage(5, 5, fw::pf24bit, 1);
  broken.Bits.resize(10);
  EXPECT_THROW(fw::WriteJpeg(s, broken), fw::EInvalidGraphic);
  // Beyond libjpeg's limit of 65500 pixels a side.
  EXPECT_THROW(fw::WriteJpeg(s, RandomImage(70000, 1, fw::pf24bit, 1)), fw::EInvalidGraphic);
  EXPECT_EQ(s.Size(), 0);
}
