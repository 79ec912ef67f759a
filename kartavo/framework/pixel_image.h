// The pixel storage shared by bitmaps and the image codecs: rows top-down,
// each row padded to a multiple of 4 bytes as in a device-independent bitmap.
//   pf4bit : two pixels a byte, the left one in the high nibble; 16-colour palette
//   pf8bit : one palette index a byte; 256-colour palette
//   pf15bit: 16-bit little-endian words, bits 0-4 blue, 5-9 green, 10-14 red
//   pf24bit: bytes blue, green, red
//   pf32bit: bytes blue, green, red, unused
#pragma once

#include "kartavo/framework/color.h"

#include <cstdint>
#include <vector>

namespace fw {

enum TPixelFormat : uint8_t {
  pfDevice,
  pf1bit,
  pf4bit,
  pf8bit,
  pf15bit,
  pf16bit,
  pf24bit,
  pf32bit,
  pfCustom
};

constexpr int BitsPerPixel(TPixelFormat f) {
  switch (f) {
  case pf1bit:
    return 1;
  case pf4bit:
    return 4;
  case pf8bit:
    return 8;
  case pf15bit:
  case pf16bit:
    return 16;
  case pf24bit:
    return 24;
  default:
    return 32;
  }
}

// Bytes per row, padded to 4; 64-bit so that huge widths cannot overflow.
constexpr int64_t RowStride(int64_t width, TPixelFormat f) {
  return ((width * BitsPerPixel(f) + 31) / 32) * 4;
}

struct TPixelImage {
  int Width = 0;
  int Height = 0;
  TPixelFormat Format = pf24bit;
  std::vector<TColor> Palette; // 16 entries for pf4bit, 256 for pf8bit, else empty
  std::vector<uint8_t> Bits;   // Height rows of RowStride(Width, Format) bytes

  int64_t Stride() const { return RowStride(Width, Format); }
  uint8_t* Row(int y) { return Bits.data() + static_cast<int64_t>(y) * Stride(); }
  const uint8_t* Row(int y) const { return Bits.data() + static_cast<int64_t>(y) * Stride(); }
  // Same size, format, palette and stored bytes.
  friend bool operator==(const TPixelImage&, const TPixelImage&) = default;
};

// Images beyond this many pixels are refused before any allocation.
constexpr int64_t kMaxImagePixels = int64_t{1} << 28;

} // namespace fw
