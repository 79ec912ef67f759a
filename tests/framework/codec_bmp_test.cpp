#include "codec_bmp_builder.h"
#include "codec_test_support.h"

#include "kartavo/framework/bmp_codec.h"
#include "kartavo/framework/detail/codec_support.h"

#include <algorithm>
#include <climits>

using namespace codec_test;

namespace {

fw::TPixelImage ReadBytes(const std::vector<uint8_t>& file, const std::string& name = "test.bmp") {
  fw::TMemoryStream s = StreamOf(file);
  return fw::ReadBmp(s, name);
}

fw::TPixelImage ReadVia(fw::TStream& s, const std::string& name) { return fw::ReadBmp(s, name); }

std::string ErrorOf(const std::vector<uint8_t>& file) {
  try {
    ReadBytes(file, "broken.bmp");
  } catch (const fw::EInvalidGraphic& e) {
    return e.what();
  }
  return "(no error)";
}

std::vector<fw::TColor> PaletteOf(const fw::TPixelImage& img) { return img.Palette; }

// A plain (uncompressed) file of a picture whose layout the format shares.
TBmpSpec PlainSpec(const fw::TPixelImage& img, bool topDown = false) {
  TBmpSpec s;
  s.Width = img.Width;
  s.Height = topDown ? -img.Height : img.Height;
  s.Bpp = static_cast<uint16_t>(fw::BitsPerPixel(img.Format));
  s.Palette = PaletteOf(img);
  s.Data = StoredRows(img, topDown);
  return s;
}

// A run-length file of w x h pixels, 8 bits a pixel (4 with four) and the
// palette; its codes are the test's to set.
TBmpSpec RleSpec(int w, int h, std::vector<fw::TColor> palette, bool four = false) {
  TBmpSpec s;
  s.Width = w;
  s.Height = h;
  s.Bpp = four ? 4 : 8;
  s.Compression = four ? 2 : 1;
  s.Palette = std::move(palette);
  return s;
}

// The picture as a run-length file: 4 or 8 bits a pixel as its format.
TBmpSpec RleSpecOf(const fw::TPixelImage& img, bool four) {
  TBmpSpec s = PlainSpec(img);
  s.Compression = four ? 2 : 1;
  s.Data = EncodeRle(img, four);
  return s;
}

// The picture written and read back.
fw::TPixelImage RoundTrip(const fw::TPixelImage& img, const std::string& name = "mem.bmp") {
  fw::TMemoryStream s;
  fw::WriteBmp(s, img);
  s.SetPosition(0);
  return fw::ReadBmp(s, name);
}

void ExpectProgressFromZeroToHundred(const std::vector<int>& seen) {
  ASSERT_GE(seen.size(), 3u);
  EXPECT_EQ(seen.front(), 0);
  EXPECT_EQ(seen.back(), 100);
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
}

} // namespace

TEST(CodecBmp, RoundTripKeepsFourAndTwentyFourBitPicturesExactly) {
  for (fw::TPixelFormat f : {fw::pf4bit, fw::pf24bit}) {
    for (int w : {1, 2, 3, 5, 8, 33}) {
      const fw::TPixelImage img = RandomImage(w, 7, f, static_cast<unsigned>(w));
      const fw::TPixelImage back = RoundTrip(img);
      EXPECT_EQ(back.Format, f);
      EXPECT_TRUE(SameColors(back, img)) << "width " << w;
      if (f == fw::pf4bit) {
        EXPECT_EQ(back.Palette, img.Palette);
      }
    }
  }
}

TEST(CodecBmp, OtherFormatsAreWrittenAsTwentyFourBitWithTheirColours) {
  for (fw::TPixelFormat f : {fw::pf1bit, fw::pf8bit, fw::pf15bit, fw::pf16bit, fw::pf32bit}) {
    const fw::TPixelImage img = RandomImage(13, 4, f, 7);
    const fw::TPixelImage back = RoundTrip(img);
    EXPECT_EQ(back.Format, fw::pf24bit);
    EXPECT_TRUE(SameColors(back, img)) << "format " << int(f);
  }
}

TEST(CodecBmp, PicturesWithAZeroSideRoundTrip) {
  for (fw::TPixelFormat f : {fw::pf4bit, fw::pf24bit, fw::pf32bit})
    for (auto [w, h] : {std::pair{0, 0}, std::pair{0, 1032}, std::pair{1032, 0}}) {
      const fw::TPixelImage back = RoundTrip(RandomImage(w, h, f, 1), "empty.bmp");
      EXPECT_EQ(back.Width, w) << int(f);
      EXPECT_EQ(back.Height, h) << int(f);
      EXPECT_TRUE(back.Bits.empty());
    }
}

TEST(CodecBmp, EmptyPicturesNeedNoDataAndClaimAtMostASixteenBitSide) {
  // A fuzzing finding: a run-length file of 0 x 1032 pixels was read, but
  // the plain file written from it was refused as too short.
  TBmpSpec s = RleSpec(0, 1032, {fw::clWhite});
  s.Data = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
  fw::TPixelImage img = ReadBytes(BuildBmp(s));
  EXPECT_EQ(img.Width, 0);
  EXPECT_EQ(img.Height, 1032);
  EXPECT_EQ(RoundTrip(img, "again.bmp").Height, 1032);
  // An empty picture may claim as many rows or columns as a 16-bit side
  // holds, from no data at all; one more is refused by reader and writer.
  for (bool wide : {false, true}) {
    s = TBmpSpec{};
    (wide ? s.Width : s.Height) = static_cast<int32_t>(fw::kMaxEmptyImageSide);
    img = ReadBytes(BuildBmp(s));
    EXPECT_EQ(wide ? img.Width : img.Height, fw::kMaxEmptyImageSide);
    EXPECT_TRUE(img.Bits.empty());
    (wide ? s.Width : s.Height) += 1;
    EXPECT_NE(ErrorOf(BuildBmp(s)).find("claims too many rows or columns"), std::string::npos);
    (wide ? img.Width : img.Height) += 1;
    fw::TMemoryStream refused;
    EXPECT_THROW(fw::WriteBmp(refused, img), fw::EInvalidGraphic);
    EXPECT_EQ(refused.Size(), 0);
  }
}

TEST(CodecBmp, ReadsPlainFilesOfEveryDepthBothRowOrders) {
  struct TCase {
    fw::TPixelFormat Stored;
    fw::TPixelFormat Expected;
  };
  for (TCase c : {TCase{fw::pf1bit, fw::pf4bit}, TCase{fw::pf4bit, fw::pf4bit},
                  TCase{fw::pf8bit, fw::pf24bit}, TCase{fw::pf15bit, fw::pf15bit},
                  TCase{fw::pf24bit, fw::pf24bit}, TCase{fw::pf32bit, fw::pf32bit}}) {
    for (bool topDown : {false, true}) {
      fw::TPixelImage img = RandomImage(11, 5, c.Stored, 3);
      if (c.Stored == fw::pf15bit) // the top bit of a 5-5-5 word is unused
        for (size_t i = 1; i < img.Bits.size(); i += 2)
          img.Bits[i] |= 0x80;
      const fw::TPixelImage got = ReadBytes(BuildBmp(PlainSpec(img, topDown)));
      EXPECT_EQ(got.Format, c.Expected);
      EXPECT_TRUE(SameColors(got, img)) << "format " << int(c.Stored) << " top-down " << topDown;
    }
  }
}

TEST(CodecBmp, ReadsBitFieldFilesInInfoAndV5Headers) {
  // 5-6-5 words, with the masks after a 40-byte header and inside a V5 header.
  const fw::TPixelImage img565 = RandomImage(6, 3, fw::pf16bit, 4);
  for (uint32_t headerSize : {40u, 124u}) {
    TBmpSpec s = PlainSpec(img565);
    s.HeaderSize = headerSize;
    s.Compression = 3;
    s.Masks = {0xF800, 0x07E0, 0x001F};
    const fw::TPixelImage got = ReadBytes(BuildBmp(s));
    EXPECT_EQ(got.Format, fw::pf24bit);
    EXPECT_TRUE(SameColors(got, img565));
  }
  // 32-bit pixels with red in the low byte: the masks, not the byte order, decide.
  fw::TPixelImage swapped = RandomImage(4, 2, fw::pf32bit, 5);
  fw::TPixelImage expected = swapped;
  for (size_t i = 0; i + 3 < expected.Bits.size(); i += 4)
    std::swap(expected.Bits[i], expected.Bits[i + 2]);
  TBmpSpec s = PlainSpec(swapped);
  s.HeaderSize = 108;
  s.Compression = 3;
  s.Masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
  EXPECT_TRUE(SameColors(ReadBytes(BuildBmp(s)), expected));
}

TEST(CodecBmp, ReadsCoreHeaderFilesWithThreeBytePalettes) {
  for (fw::TPixelFormat f : {fw::pf8bit, fw::pf24bit}) {
    const fw::TPixelImage img = RandomImage(7, 3, f, 9);
    TBmpSpec s = PlainSpec(img);
    s.HeaderSize = 12;
    EXPECT_TRUE(SameColors(ReadBytes(BuildBmp(s)), img));
  }
}

TEST(CodecBmp, ShortPaletteLeavesMissingColoursBlack) {
  fw::TPixelImage img = RandomImage(4, 1, fw::pf8bit, 2);
  img.Row(0)[0] = 0;
  img.Row(0)[1] = 1;
  img.Row(0)[2] = 2;
  img.Row(0)[3] = 200;
  TBmpSpec s = PlainSpec(img);
  s.Palette.resize(3);
  s.ColorsUsed = 3;
  const fw::TPixelImage got = ReadBytes(BuildBmp(s));
  EXPECT_EQ(PixelColor(got, 2, 0), img.Palette[2]);
  EXPECT_EQ(PixelColor(got, 3, 0), fw::clBlack);
}

TEST(CodecBmp, ReadsRunLengthFilesAsTheirPlainTwins) {
  for (bool four : {false, true}) {
    for (int w : {1, 4, 9, 300}) {
      fw::TPixelImage img =
          RandomImage(w, 6, four ? fw::pf4bit : fw::pf8bit, static_cast<unsigned>(w));
      // Long runs of one index alternate with noise.
      for (int y = 0; y < img.Height; y += 2)
        for (int x = 0; x < w; ++x)
          if (four)
            img.Row(y)[x / 2] = 0x33;
          else
            img.Row(y)[x] = 42;
      const fw::TPixelImage got = ReadBytes(BuildBmp(RleSpecOf(img, four)));
      EXPECT_EQ(got.Format, four ? fw::pf4bit : fw::pf24bit);
      EXPECT_TRUE(SameColors(got, img)) << "four " << four << " width " << w;
    }
  }
}

TEST(CodecBmp, RunLengthOffsetsSkipPixelsThatKeepIndexZero) {
  TBmpSpec s = RleSpec(4, 3, {fw::clWhite, fw::clRed, fw::clBlue});
  // two red on the bottom row, move right 1 and up 1, one blue, end of bitmap
  s.Data = {2, 1, 0, 2, 1, 1, 1, 2, 0, 1};
  const fw::TPixelImage got = ReadBytes(BuildBmp(s));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) {
      fw::TColor want = fw::clWhite;
      if (y == 2 && x < 2) want = fw::clRed;
      if (y == 1 && x == 3) want = fw::clBlue;
      EXPECT_EQ(PixelColor(got, x, y), want) << x << "," << y;
    }
}

TEST(CodecBmp, RunsPastTheRightEdgeAreClipped) {
  TBmpSpec s = RleSpec(3, 1, {fw::clWhite, fw::clRed});
  s.Data = {5, 1, 0, 0, 0, 1};
  const fw::TPixelImage got = ReadBytes(BuildBmp(s));
  for (int x = 0; x < 3; ++x)
    EXPECT_EQ(PixelColor(got, x, 0), fw::clRed);
}

TEST(CodecBmp, RefusesBrokenRunLengthData) {
  TBmpSpec s = RleSpec(4, 2, {fw::clWhite, fw::clRed});
  const std::vector<std::vector<uint8_t>> broken = {
      {0, 2, 0, 5, 0, 1},       // offset moves above the top row
      {0, 0, 0, 0, 2, 1, 0, 1}, // run after the last row
      {0, 9, 1, 1, 1},          // literal stretch longer than the data
      {2, 1, 0, 0},             // rows missing, no end code
  };
  for (const auto& data : broken) {
    s.Data = data;
    EXPECT_NE(ErrorOf(BuildBmp(s)).find("broken.bmp"), std::string::npos);
  }
  s.Data = {2, 1};
  s.Compression = 1;
  s.Height = -2; // run-length files are always bottom-up
  EXPECT_NE(ErrorOf(BuildBmp(s)).find("top-down"), std::string::npos);
}

TEST(CodecBmp, RefusesAbsurdDimensionsBeforeAllocating) {
  TBmpSpec s;
  s.Bpp = 24;
  s.Data.assign(64, 0);
  for (auto [w, h] : {std::pair{INT32_MAX, INT32_MAX}, std::pair{100000, 100000}, std::pair{-5, 5},
                      std::pair{5, INT32_MIN}, std::pair{1 << 20, 1}, std::pair{0, 1 << 26}}) {
    s.Width = w;
    s.Height = h;
    const std::string msg = ErrorOf(BuildBmp(s));
    EXPECT_NE(msg.find("broken.bmp"), std::string::npos) << w << "x" << h << ": " << msg;
  }
  // Run-length data may skip rows, but not describe a giant picture in a few bytes.
  s.Width = 10000;
  s.Height = 10000;
  s.Bpp = 8;
  s.Compression = 1;
  s.Palette = {fw::clWhite};
  s.Data = {0, 1};
  EXPECT_NE(ErrorOf(BuildBmp(s)).find("too short"), std::string::npos);
  // 3 KB of codes cannot stand for 16384 x 8192 pixels: 255 a run at most.
  s.Width = 16384;
  s.Height = 8192;
  s.Data.assign(3000, 0);
  EXPECT_NE(ErrorOf(BuildBmp(s)).find("too short"), std::string::npos);
  s.Width = 2000;
  s.Height = 190;
  EXPECT_EQ(ErrorOf(BuildBmp(s)).find("too short"), std::string::npos);
}

TEST(CodecBmp, ProgressStaysWithinAHundredWhenCodesRunPastTheLastRow) {
  TBmpSpec s = RleSpec(2, 2, {fw::clWhite, fw::clRed}, true);
  s.Data = {2, 0x11, 0, 0, 2, 0x11, 0, 0, 0, 0, 0, 0, 0, 0}; // three end-of-line codes too many
  fw::TMemoryStream m = StreamOf(BuildBmp(s));
  std::vector<int> seen;
  fw::ReadBmp(m, "x.bmp", [&](int p) { seen.push_back(p); });
  ASSERT_FALSE(seen.empty());
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  EXPECT_EQ(seen.back(), 100);
}

TEST(CodecBmp, RunLengthRowsSkippedByCodesTakePaletteEntryZero) {
  TBmpSpec s = RleSpec(3, 4, {fw::clBlue, fw::clRed});
  // one red on the bottom row, jump up two rows (staying right of it), one red, end of bitmap
  s.Data = {1, 1, 0, 2, 0, 2, 1, 1, 0, 1};
  const fw::TPixelImage got = ReadBytes(BuildBmp(s));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 3; ++x) {
      const bool red = (x == 0 && y == 3) || (x == 1 && y == 1);
      EXPECT_EQ(PixelColor(got, x, y), red ? fw::clRed : fw::clBlue) << x << "," << y;
    }
}

TEST(CodecBmp, RefusesBadOffsetsHeadersAndDepths) {
  const fw::TPixelImage img = RandomImage(4, 4, fw::pf24bit, 1);
  TBmpSpec s = PlainSpec(img);
  s.OffBits = 1 << 20;
  EXPECT_NE(ErrorOf(BuildBmp(s)).find("offset"), std::string::npos);
  s.OffBits = 20; // inside the header
  EXPECT_NE(ErrorOf(BuildBmp(s)).find("offset"), std::string::npos);
  s.OffBits = -1;
  s.HeaderSize = 44;
  EXPECT_NE(ErrorOf(BuildBmp(s)).find("header size"), std::string::npos);
  s.HeaderSize = 40;
  s.Bpp = 7;
  EXPECT_NE(ErrorOf(BuildBmp(s)).find("bits per pixel"), std::string::npos);
  s.Bpp = 24;
  s.Compression = 1; // RLE8 with 24 bits
  EXPECT_NE(ErrorOf(BuildBmp(s)).find("compression"), std::string::npos);
  EXPECT_NE(ErrorOf({'G', 'I', 'F', '8'}).find("not a bitmap"), std::string::npos);
}

TEST(CodecBmp, TruncatedOrCorruptedFilesAreRefusedOrDecodeUnchanged) {
  std::vector<std::vector<uint8_t>> files;
  files.push_back(BuildBmp(PlainSpec(RandomImage(4, 3, fw::pf24bit, 1))));
  files.push_back(BuildBmp(PlainSpec(RandomImage(8, 3, fw::pf4bit, 2), true)));
  TBmpSpec core = PlainSpec(RandomImage(4, 2, fw::pf8bit, 3));
  core.HeaderSize = 12;
  core.Palette.resize(4);
  files.push_back(BuildBmp(core));
  for (bool four : {false, true}) {
    const fw::TPixelImage img = RandomImage(6, 3, four ? fw::pf4bit : fw::pf8bit, 4);
    files.push_back(BuildBmp(RleSpecOf(img, four)));
  }
  for (const auto& f : files)
    ExpectRefusesOrMatches(ReadVia, f);
  for (const auto& f : files)
    ExpectRefusesOrMatches(ReadVia, f, true);
}

TEST(CodecBmp, ReportsProgressFromZeroToHundred) {
  const fw::TPixelImage img = RandomImage(1000, 1500, fw::pf24bit, 1);
  std::vector<int> seen;
  fw::TMemoryStream s;
  fw::WriteBmp(s, img, [&](int p) { seen.push_back(p); });
  ExpectProgressFromZeroToHundred(seen);
  seen.clear();
  s.SetPosition(0);
  fw::ReadBmp(s, "p.bmp", [&](int p) { seen.push_back(p); });
  ExpectProgressFromZeroToHundred(seen);
}

TEST(CodecBmp, FilesWeWriteOpenInImageMagick) {
  if (!HaveIdentify()) GTEST_SKIP() << "ImageMagick's identify is not installed";
  TTempDir dir;
  for (fw::TPixelFormat f : {fw::pf4bit, fw::pf24bit, fw::pf15bit}) {
    const std::string path = dir.File("out" + std::to_string(int(f)) + ".bmp");
    fw::WriteBmpFile(path, RandomImage(37, 21, f, 5));
    EXPECT_EQ(Identify(path), "37 21") << "format " << int(f);
  }
}

TEST(CodecBmp, FileErrorsNameTheFile) {
  TTempDir dir;
  const std::string path = dir.File("missing.bmp");
  EXPECT_THROW(fw::ReadBmpFile(path), fw::EInOutError);
  const std::string bad = dir.File("bad.bmp");
  {
    fw::TFileStream f(bad, fw::fmCreate);
    f.WriteBuffer("BMxx", 4);
  }
  try {
    fw::ReadBmpFile(bad);
    FAIL() << "no error";
  } catch (const fw::EInvalidGraphic& e) {
    EXPECT_NE(std::string(e.what()).find(bad), std::string::npos);
  }
}
