#include "codec_test_support.h"

#include "kartavo/framework/bmp_codec.h"
#include "kartavo/framework/png_codec.h"

using namespace codec_test;

namespace {

std::vector<uint8_t> EncodePng(const fw::TPixelImage& img) {
  fw::TMemoryStream s;
  fw::WritePng(s, img);
  return BytesOf(s);
}

fw::TPixelImage ReadVia(fw::TStream& s, const std::string& name) { return fw::ReadPng(s, name); }

std::string ErrorOf(const std::vector<uint8_t>& file) {
  try {
    fw::DecodePng(file.data(), file.size(), "broken.png");
  } catch (const fw::EInvalidGraphic& e) {
    return e.what();
  }
  return "(no error)";
}

uint32_t Crc32(const uint8_t* p, size_t n) {
  uint32_t c = 0xFFFFFFFF;
  for (size_t i = 0; i < n; ++i) {
    c ^= p[i];
    for (int k = 0; k < 8; ++k)
      c = (c >> 1) ^ (0xEDB88320 & (0u - (c & 1)));
  }
  return ~c;
}

// Sets width and height in the IHDR chunk and mends its checksum.
std::vector<uint8_t> WithHeaderSize(std::vector<uint8_t> f, uint32_t w, uint32_t h) {
  auto put = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
      f[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));
  };
  put(16, w);
  put(20, h);
  put(29, Crc32(f.data() + 12, 17));
  return f;
}

// Inserts a private ancillary chunk of n zero bytes after the IHDR chunk.
std::vector<uint8_t> WithPaddingChunk(std::vector<uint8_t> f, uint32_t n) {
  std::vector<uint8_t> chunk = {
      uint8_t(n >> 24), uint8_t(n >> 16), uint8_t(n >> 8), uint8_t(n), 'k', 'a', 'R', 't'};
  chunk.resize(8 + n, 0);
  const uint32_t crc = Crc32(chunk.data() + 4, 4 + n);
  for (int i = 3; i >= 0; --i)
    chunk.push_back(static_cast<uint8_t>(crc >> (8 * i)));
  f.insert(f.begin() + 33, chunk.begin(), chunk.end());
  return f;
}

// Sets bit depth, colour type and interlacing in the IHDR chunk.
std::vector<uint8_t> WithPixelLayout(std::vector<uint8_t> f, uint8_t depth, uint8_t colorType,
                                     uint8_t interlace) {
  f[24] = depth;
  f[25] = colorType;
  f[28] = interlace;
  const uint32_t crc = Crc32(f.data() + 12, 17);
  for (int i = 0; i < 4; ++i)
    f[29 + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
  return f;
}

} // namespace

TEST(CodecPng, RoundTripKeepsEveryFormatsColoursExactly) {
  for (fw::TPixelFormat f :
       {fw::pf1bit, fw::pf4bit, fw::pf8bit, fw::pf15bit, fw::pf16bit, fw::pf24bit, fw::pf32bit}) {
    const fw::TPixelImage img = RandomImage(23, 9, f, 11);
    const auto bytes = EncodePng(img);
    const fw::TPixelImage back = fw::DecodePng(bytes.data(), bytes.size(), "mem.png");
    EXPECT_EQ(back.Format, fw::pf24bit);
    EXPECT_TRUE(SameColors(back, img)) << "format " << int(f);
  }
}

TEST(CodecPng, ReadsPaletteGreySixteenBitAndInterlacedFiles) {
  if (!HaveTool("convert")) GTEST_SKIP() << "ImageMagick is not installed";
  TTempDir dir;
  const fw::TPixelImage img = RandomImage(31, 17, fw::pf4bit, 5);
  const std::string bmp = dir.File("src.bmp");
  fw::WriteBmpFile(bmp, img);
  for (const std::string options : {"PNG8:", "-depth 16 PNG48:", "-interlace PNG PNG24:"}) {
    const std::string png = dir.File("x.png");
    ASSERT_TRUE(RunShell("convert " + bmp + " " + options + png));
    EXPECT_TRUE(SameColors(fw::ReadPngFile(png), img)) << options;
  }
  // Grey files come back with equal channels.
  const std::string grey = dir.File("grey.png");
  ASSERT_TRUE(RunShell("convert " + bmp + " -colorspace Gray -depth 8 " + grey));
  const fw::TPixelImage g = fw::ReadPngFile(grey);
  for (int x = 0; x < g.Width; ++x) {
    const fw::TColor c = PixelColor(g, x, 3);
    EXPECT_TRUE(fw::GetRValue(c) == fw::GetGValue(c) && fw::GetGValue(c) == fw::GetBValue(c));
  }
}

TEST(CodecPng, TransparentPixelsAreCompositedOnWhite) {
  if (!HaveTool("convert")) GTEST_SKIP() << "ImageMagick is not installed";
  TTempDir dir;
  const std::string png = dir.File("alpha.png");
  // Pure red at 25 % opacity, fully transparent black, opaque blue.
  ASSERT_TRUE(RunShell(
      "convert -size 1x1 xc:'rgba(255,0,0,0.25)' xc:'rgba(0,0,0,0)' xc:blue +append PNG32:" + png));
  const fw::TPixelImage img = fw::ReadPngFile(png);
  ASSERT_EQ(img.Width, 3);
  const fw::TColor red = PixelColor(img, 0, 0);
  EXPECT_EQ(fw::GetRValue(red), 255);
  EXPECT_NEAR(fw::GetGValue(red), 191, 1);
  EXPECT_EQ(PixelColor(img, 1, 0), fw::clWhite);
  EXPECT_EQ(PixelColor(img, 2, 0), fw::clBlue);
}

TEST(CodecPng, TruncatedOrCorruptedFilesAreRefusedOrDecodeUnchanged) {
  const auto file = EncodePng(RandomImage(6, 5, fw::pf4bit, 2));
  ExpectRefusesOrMatches(ReadVia, file);
  ExpectRefusesOrMatches(ReadVia, file, true);
}

TEST(CodecPng, RefusesAbsurdDimensionsBeforeDecoding) {
  const auto file = EncodePng(RandomImage(6, 5, fw::pf24bit, 2));
  EXPECT_NE(ErrorOf(WithHeaderSize(file, 100000, 100000)).find("too large"), std::string::npos);
  EXPECT_NE(ErrorOf(WithHeaderSize(file, 10000, 10000)).find("too short"), std::string::npos);
  EXPECT_NE(ErrorOf({1, 2, 3}).find("not a PNG"), std::string::npos);
}

TEST(CodecPng, PictureLargerThanItsCompressedDataCanInflateToIsRefused) {
  const auto file = EncodePng(RandomImage(6, 5, fw::pf24bit, 2));
  // 200 x 200 RGB rows are 120 KB; a hundred bytes of deflate data inflate to 100 KB at most.
  EXPECT_NE(ErrorOf(WithHeaderSize(file, 200, 200)).find("compressed data too short"),
            std::string::npos);
  // 16 KB of other chunks do not count: a 16384 x 8000 one-bit interlaced picture
  // needs 16 MB of rows.
  const auto padded =
      WithHeaderSize(WithPixelLayout(WithPaddingChunk(file, 16000), 1, 0, 1), 16384, 8000);
  EXPECT_NE(ErrorOf(padded).find("compressed data too short"), std::string::npos)
      << ErrorOf(padded);
}

TEST(CodecPng, AncillaryChunksAreSkippedWhateverTheyClaim) {
  const fw::TPixelImage img = RandomImage(6, 5, fw::pf24bit, 4);
  const auto file = EncodePng(img);
  // A real chunk of no use for the picture: skipped, the picture unchanged.
  const auto padded = WithPaddingChunk(file, 3000);
  EXPECT_EQ(fw::DecodePng(padded.data(), padded.size(), "p.png").Bits,
            fw::DecodePng(file.data(), file.size(), "p.png").Bits);
  // A suggested-palette chunk claiming 1.5 GB in a 60-byte file (a fuzzing
  // finding: libpng allocated for the claim) is refused as truncated.
  std::vector<uint8_t> claim(file.begin(), file.begin() + 33);
  const uint8_t head[] = {0x5B, 0, 0, 0, 's', 'P', 'L', 'T', 'E', 0, 0};
  claim.insert(claim.end(), std::begin(head), std::end(head));
  EXPECT_NE(ErrorOf(claim).find("broken.png"), std::string::npos);
}

TEST(CodecPng, InterlacedFilesOfEverySizeMatchTheirPlainTwins) {
  if (!HaveTool("convert")) GTEST_SKIP() << "ImageMagick is not installed";
  TTempDir dir;
  for (auto [w, h] : {std::pair{1, 1}, std::pair{2, 3}, std::pair{5, 1}, std::pair{8, 8},
                      std::pair{9, 9}, std::pair{17, 6}, std::pair{33, 40}}) {
    const fw::TPixelImage img = RandomImage(w, h, fw::pf24bit, static_cast<unsigned>(w * h));
    const std::string bmp = dir.File("src.bmp"), png = dir.File("i.png");
    fw::WriteBmpFile(bmp, img);
    for (const std::string options : {"-interlace PNG PNG24:", "-interlace PNG -colors 7 PNG8:"}) {
      ASSERT_TRUE(RunShell("convert " + bmp + " " + options + png));
      const fw::TPixelImage got = fw::ReadPngFile(png);
      if (options.find("PNG24") != std::string::npos) {
        EXPECT_TRUE(SameColors(got, img)) << w << "x" << h;
      }
      ASSERT_TRUE(RunShell("convert " + png + " -interlace none " + bmp));
      EXPECT_TRUE(SameColors(got, fw::ReadBmpFile(bmp))) << w << "x" << h << " " << options;
    }
  }
}

TEST(CodecPng, SizeCheckSeesTheHeaderBeforeAnyRow) {
  const auto file = EncodePng(RandomImage(7, 9, fw::pf24bit, 3));
  std::vector<int> progress;
  auto refuse = [](int w, int h) {
    if (w == 7 && h == 9) throw std::length_error("refused");
  };
  EXPECT_THROW(
      fw::DecodePng(
          file.data(), file.size(), "x.png", [&](int p) { progress.push_back(p); }, refuse),
      std::length_error);
  EXPECT_EQ(progress, std::vector<int>{0});
}

TEST(CodecPng, FilesWeWriteOpenInImageMagick) {
  if (!HaveIdentify()) GTEST_SKIP() << "ImageMagick's identify is not installed";
  TTempDir dir;
  const std::string path = dir.File("out.png");
  fw::WritePngFile(path, RandomImage(41, 13, fw::pf15bit, 1));
  EXPECT_EQ(Identify(path, "%w %h %z"), "41 13 8");
}

TEST(CodecPng, ReportsProgressFromZeroToHundred) {
  const auto file = EncodePng(RandomImage(50, 300, fw::pf24bit, 1));
  std::vector<int> seen;
  fw::DecodePng(file.data(), file.size(), "p.png", [&](int p) { seen.push_back(p); });
  ASSERT_GE(seen.size(), 3u);
  EXPECT_EQ(seen.front(), 0);
  EXPECT_EQ(seen.back(), 100);
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  auto stop = [](int p) {
    if (p > 50) throw std::runtime_error("stop");
  };
  EXPECT_THROW(fw::DecodePng(file.data(), file.size(), "p.png", stop), std::runtime_error);
}
