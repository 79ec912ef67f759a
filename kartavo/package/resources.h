// The images the library carries, found by resource name as the atlas
// control loads them: the cursors CURGEOHAND and CURGEOZOOM (32 × 32
// monochrome) and the button bitmaps POINTR, ZOOM11 and ZOOMIN (40 × 20,
// 256 colours). Names are compared without regard to letter case.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/framework/pixel_image.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace kartavo {

// What a cursor pixel does to the screen below it.
enum TCursorPixel : uint8_t { cpTransparent, cpBlack, cpWhite, cpInvert };

// A monochrome cursor as AND and XOR masks: one bit a pixel, rows top-down,
// four bytes a row, the leftmost pixel in the highest bit of its byte.
// AND 1 XOR 0 leaves the screen, AND 0 XOR 0 is black, AND 0 XOR 1 white,
// AND 1 XOR 1 inverts.
struct KARTAVO_API TCursorResource {
  static constexpr int Width = 32;
  static constexpr int Height = 32;
  int HotSpotX = 0;
  int HotSpotY = 0;
  std::array<uint8_t, Width * Height / 8> AndMask{};
  std::array<uint8_t, Width * Height / 8> XorMask{};

  // The pixel at (x, y); cpTransparent outside the cursor.
  TCursorPixel Pixel(int x, int y) const;
};

// The cursor of that name, or nullptr when the library has none.
KARTAVO_API const TCursorResource* FindCursorResource(std::string_view Name);
// The bitmap of that name (pf8bit with a 256-entry palette), or nullptr.
KARTAVO_API const fw::TPixelImage* FindBitmapResource(std::string_view Name);

KARTAVO_API std::span<const std::string_view> CursorResourceNames();
KARTAVO_API std::span<const std::string_view> BitmapResourceNames();

} // namespace kartavo
