#include "gfx_test_support.h"

#include "kartavo/framework/errors.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace fw;

namespace {

std::string TempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() /
          ("kartavo_gfx_" + std::to_string(::getpid()) + "_" + name))
      .string();
}

} // namespace

TEST(GfxBitmapFile, SavedBitmapsLoadWithTheSameColours) {
  for (TPixelFormat f : {pf4bit, pf24bit, pf32bit}) {
    auto bmp = gfxtest::NoiseBitmap(23, 11, f, 8);
    bmp->Canvas()->Pen()->SetColor(clRed);
    bmp->Canvas()->MoveTo(0, 0);
    bmp->Canvas()->LineTo(23, 11);
    const std::string path = TempPath("roundtrip.bmp");
    bmp->SaveToFile(path);
    TBitmap back;
    back.LoadFromFile(path);
    std::remove(path.c_str());
    ASSERT_EQ(back.Width(), 23);
    ASSERT_EQ(back.Height(), 11);
    for (int y = 0; y < 11; ++y)
      for (int x = 0; x < 23; ++x)
        ASSERT_EQ(back.Canvas()->Pixels(x, y), bmp->Canvas()->Pixels(x, y)) << int(f);
    // The loaded bitmap is drawable.
    back.Canvas()->FillRect(Rect(0, 0, 2, 2));
    EXPECT_EQ(back.Canvas()->Pixels(1, 1), clWhite);
  }
}

TEST(GfxBitmapFile, MissingOrBrokenFilesRaiseAndKeepTheBitmap) {
  TBitmap bmp;
  bmp.SetSize(3, 2);
  EXPECT_THROW(bmp.LoadFromFile(TempPath("does_not_exist.bmp")), EInOutError);
  const std::string path = TempPath("broken.bmp");
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("BM this is not a bitmap", f);
  std::fclose(f);
  EXPECT_THROW(bmp.LoadFromFile(path), EInvalidGraphic);
  std::remove(path.c_str());
  EXPECT_EQ(bmp.Width(), 3);
  EXPECT_EQ(bmp.Height(), 2);
}
