#include "kartavo/framework/detail/pixel_value.h"

#include <vector>

namespace fw {

namespace {

const std::vector<TColor>& DefaultPalette256() {
  // 6 x 6 x 6 colour cube, then a 40-step gray ramp.
  static const std::vector<TColor> palette = [] {
    std::vector<TColor> p;
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b)
          p.push_back(RGB(r * 51, g * 51, b * 51));
    for (int i = 0; i < 40; ++i) {
      auto v = static_cast<uint8_t>((i * 255 + 19) / 39);
      p.push_back(RGB(v, v, v));
    }
    return p;
  }();
  return palette;
}

constexpr std::array<TColor, 2> kPalette2 = {clBlack, clWhite};

// The colours of a palette image: its own palette, or where it has none the
// default one of its format.
std::span<const TColor> ShownPalette(const TPixelImage& image) {
  if (image.Palette.empty()) return DefaultPalette(image.Format);
  return image.Palette;
}

} // namespace

const std::array<TColor, 16>& DefaultPalette16() {
  static constexpr std::array<TColor, 16> palette = {
      clBlack, clMaroon, clGreen, clOlive,  clNavy, clPurple,  clTeal, clSilver,
      clGray,  clRed,    clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};
  return palette;
}

std::span<const TColor> DefaultPalette(TPixelFormat format) {
  switch (format) {
  case pf1bit:
    return kPalette2;
  case pf4bit:
    return DefaultPalette16();
  case pf8bit:
    return DefaultPalette256();
  default:
    return {};
  }
}

int NearestPaletteIndex(std::span<const TColor> palette, TColor c) {
  int best = 0;
  int64_t bestDist = INT64_MAX;
  for (size_t i = 0; i < palette.size(); ++i) {
    int dr = GetRValue(palette[i]) - GetRValue(c);
    int dg = GetGValue(palette[i]) - GetGValue(c);
    int db = GetBValue(palette[i]) - GetBValue(c);
    int64_t d = dr * dr + dg * dg + db * db;
    if (d < bestDist) {
      bestDist = d;
      best = static_cast<int>(i);
    }
  }
  return best;
}

bool IsPaletteFormat(TPixelFormat format) {
  return format == pf1bit || format == pf4bit || format == pf8bit;
}

uint32_t ValueMask(TPixelFormat format) {
  switch (format) {
  case pf1bit:
    return 0x1;
  case pf4bit:
    return 0xF;
  case pf8bit:
    return 0xFF;
  case pf15bit:
    return 0x7FFF;
  case pf16bit:
    return 0xFFFF;
  default:
    return 0xFFFFFF;
  }
}

TColor Color15(uint16_t word) {
  return RGB(From5Bits((word >> 10) & 31), From5Bits((word >> 5) & 31), From5Bits(word & 31));
}

uint16_t Word15(TColor c) {
  return static_cast<uint16_t>((To5Bits(GetRValue(c)) << 10) | (To5Bits(GetGValue(c)) << 5) |
                               To5Bits(GetBValue(c)));
}

uint32_t EncodeColor(const TPixelImage& image, TColor c) {
  c &= 0xFFFFFF;
  switch (image.Format) {
  case pf1bit:
  case pf4bit:
  case pf8bit:
    return static_cast<uint32_t>(NearestPaletteIndex(ShownPalette(image), c));
  case pf15bit:
    return Word15(c);
  case pf16bit:
    return (uint32_t{To5Bits(GetRValue(c))} << 11) | (uint32_t{To6Bits(GetGValue(c))} << 5) |
           To5Bits(GetBValue(c));
  default:
    return (uint32_t{GetRValue(c)} << 16) | (uint32_t{GetGValue(c)} << 8) | GetBValue(c);
  }
}

TColor DecodeValue(const TPixelImage& image, uint32_t value) {
  switch (image.Format) {
  case pf1bit:
  case pf4bit:
  case pf8bit: {
    const std::span<const TColor> palette = ShownPalette(image);
    return value < palette.size() ? palette[value] & 0xFFFFFF : clBlack;
  }
  case pf15bit:
    return Color15(static_cast<uint16_t>(value));
  case pf16bit:
    return RGB(From5Bits((value >> 11) & 31), From6Bits((value >> 5) & 63), From5Bits(value & 31));
  default:
    return RGB(static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8),
               static_cast<uint8_t>(value));
  }
}

uint32_t ReadValue(const TPixelImage& image, int x, int y) {
  const uint8_t* row = image.Row(y);
  switch (image.Format) {
  case pf1bit:
    return (row[x >> 3] >> (7 - (x & 7))) & 1;
  case pf4bit:
    return (x & 1) ? row[x >> 1] & 0xF : row[x >> 1] >> 4;
  case pf8bit:
    return row[x];
  case pf15bit:
  case pf16bit:
    return row[2 * x] | (row[2 * x + 1] << 8);
  case pf24bit: {
    const uint8_t* p = row + 3 * x;
    return p[0] | (p[1] << 8) | (p[2] << 16);
  }
  default: {
    const uint8_t* p = row + 4 * x;
    return p[0] | (p[1] << 8) | (p[2] << 16);
  }
  }
}

void WriteValue(TPixelImage& image, int x, int y, uint32_t value) {
  uint8_t* row = image.Row(y);
  switch (image.Format) {
  case pf1bit: {
    uint8_t bit = static_cast<uint8_t>(0x80 >> (x & 7));
    row[x >> 3] = (value & 1) ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit);
    break;
  }
  case pf4bit: {
    uint8_t& b = row[x >> 1];
    b = (x & 1) ? static_cast<uint8_t>((b & 0xF0) | (value & 0xF))
                : static_cast<uint8_t>((b & 0x0F) | ((value & 0xF) << 4));
    break;
  }
  case pf8bit:
    row[x] = static_cast<uint8_t>(value);
    break;
  case pf15bit:
  case pf16bit:
    row[2 * x] = static_cast<uint8_t>(value);
    row[2 * x + 1] = static_cast<uint8_t>(value >> 8);
    break;
  case pf24bit: {
    uint8_t* p = row + 3 * x;
    p[0] = static_cast<uint8_t>(value);
    p[1] = static_cast<uint8_t>(value >> 8);
    p[2] = static_cast<uint8_t>(value >> 16);
    break;
  }
  default: {
    uint8_t* p = row + 4 * x;
    p[0] = static_cast<uint8_t>(value);
    p[1] = static_cast<uint8_t>(value >> 8);
    p[2] = static_cast<uint8_t>(value >> 16);
    p[3] = 0;
    break;
  }
  }
}

} // namespace fw
