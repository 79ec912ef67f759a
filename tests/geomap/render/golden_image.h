// Comparison of a rendered picture with a reference PNG committed under
// tests/data/golden/. A mismatch writes NAME.actual.png and NAME.diff.png
// (differing pixels in magenta over a faded copy of the reference) into the
// test's working folder, so that a person can look at them. With
// KARTAVO_UPDATE_GOLDEN=1 in the environment the reference is written
// instead (review it before committing).
#pragma once

#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/detail/pixel_value.h"
#include "kartavo/framework/png_codec.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace rendertest {

// The picture as 24-bit colours, whatever the bitmap's format.
inline fw::TPixelImage As24Bit(const fw::TBitmap& bmp) {
  fw::TBitmap copy;
  copy.Assign(&bmp);
  copy.SetPixelFormat(fw::pf24bit);
  return copy.PixelImage();
}

// Empty when the picture equals the reference, otherwise what differs.
inline std::string CompareWithGolden(const fw::TPixelImage& actual, const std::string& name) {
  const std::filesystem::path golden =
      std::filesystem::path(KARTAVO_TEST_DATA) / "golden" / (name + ".png");
  if (const char* u = std::getenv("KARTAVO_UPDATE_GOLDEN"); u && std::string(u) == "1") {
    std::filesystem::create_directories(golden.parent_path());
    fw::WritePngFile(golden.string(), actual);
    return {};
  }
  if (!std::filesystem::exists(golden)) return "no reference picture " + golden.string();
  const fw::TPixelImage ref = fw::ReadPngFile(golden.string());
  std::string why;
  if (ref.Width != actual.Width || ref.Height != actual.Height)
    why = "size differs from the reference";
  fw::TPixelImage diff = ref;
  int differing = 0;
  for (int y = 0; y < ref.Height && why.empty(); ++y)
    for (int x = 0; x < ref.Width; ++x) {
      const fw::TColor a = fw::DecodeValue(actual, fw::ReadValue(actual, x, y));
      const fw::TColor r = fw::DecodeValue(ref, fw::ReadValue(ref, x, y));
      const fw::TColor faded = ((r >> 2) & 0x3F3F3F) + 0xA0A0A0;
      fw::WriteValue(diff, x, y, fw::EncodeColor(diff, a == r ? faded : 0xFF00FF));
      differing += a != r;
    }
  if (why.empty() && differing == 0) return {};
  if (why.empty()) why = std::to_string(differing) + " pixels differ from the reference";
  fw::WritePngFile(name + ".actual.png", actual);
  if (differing) fw::WritePngFile(name + ".diff.png", diff);
  return why + " " + golden.string() + "; see " +
         (std::filesystem::current_path() / (name + ".actual.png")).string();
}

} // namespace rendertest
