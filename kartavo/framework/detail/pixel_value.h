// Stored pixel values of each pixel format and their colours.
//
// A "value" is what a pixel holds in its format: a palette index for pf1bit,
// pf4bit and pf8bit, the 15- or 16-bit word for pf15bit and pf16bit, and
// 0x00RRGGBB for pf24bit and pf32bit (the unused byte of pf32bit stays 0).
// Raster operations work on values, so an XOR drawn twice restores the
// pixel in every format.
//
// 5-bit channels round to nearest both ways: c5 = (c8 * 31 + 127) / 255 and
// back c8 = (c5 * 255 + 15) / 31, so a colour drawn into a 15-bit bitmap reads
// back rounded to the nearest of its 32 levels and a 15-bit colour survives
// the trip through 8 bits unchanged. 6-bit green of pf16bit likewise with 63.
#pragma once

#include "kartavo/framework/color.h"
#include "kartavo/framework/pixel_image.h"

#include <array>
#include <cstdint>
#include <span>

namespace fw {

constexpr uint8_t To5Bits(uint8_t c8) { return static_cast<uint8_t>((c8 * 31 + 127) / 255); }
constexpr uint8_t From5Bits(uint8_t c5) { return static_cast<uint8_t>((c5 * 255 + 15) / 31); }
constexpr uint8_t To6Bits(uint8_t c8) { return static_cast<uint8_t>((c8 * 63 + 127) / 255); }
constexpr uint8_t From6Bits(uint8_t c6) { return static_cast<uint8_t>((c6 * 255 + 31) / 63); }

// The 16-colour palette of new 4-bit bitmaps, in the platform's order:
// black, maroon, green, olive, navy, purple, teal, silver, gray, red, lime,
// yellow, blue, fuchsia, aqua, white. XOR with white (index 15) swaps index
// i with 15 - i: black and white, maroon and aqua, silver and gray ...
const std::array<TColor, 16>& DefaultPalette16();
// The palettes of new 1-bit (black, white) and 8-bit bitmaps.
std::span<const TColor> DefaultPalette(TPixelFormat format);

// The entry of palette nearest to c (Euclidean distance in RGB, lowest index
// on ties).
int NearestPaletteIndex(std::span<const TColor> palette, TColor c);

bool IsPaletteFormat(TPixelFormat format);
// All bits a value of the format can hold.
uint32_t ValueMask(TPixelFormat format);

// The value that best shows colour c in image (nearest palette entry for
// palette formats, rounded channels for 15 and 16 bits).
uint32_t EncodeColor(const TPixelImage& image, TColor c);
TColor DecodeValue(const TPixelImage& image, uint32_t value);

// Pixel values by position; the caller keeps x and y inside the image.
uint32_t ReadValue(const TPixelImage& image, int x, int y);
void WriteValue(TPixelImage& image, int x, int y, uint32_t value);

// The colour of a 15-bit word (bits 0-4 blue, 5-9 green, 10-14 red) and back.
TColor Color15(uint16_t word);
uint16_t Word15(TColor c);

} // namespace fw
