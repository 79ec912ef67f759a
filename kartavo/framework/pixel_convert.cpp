#include "kartavo/framework/detail/pixel_convert.h"

#include "kartavo/framework/detail/pixel_value.h"
#include "kartavo/framework/detail/raster_target.h"
#include "kartavo/framework/errors.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace fw {

TPixelFormat EffectiveFormat(TPixelFormat format) {
  return (format == pfDevice || format == pfCustom) ? pf24bit : format;
}

TPixelImage BlankPixelImage(int width, int height, TPixelFormat format) {
  if (width < 0 || height < 0 || int64_t{width} * height > kMaxImagePixels)
    throw EInvalidGraphic("Bitmap size " + std::to_string(width) + " x " + std::to_string(height) +
                          " is out of range");
  TPixelImage img;
  img.Width = width;
  img.Height = height;
  img.Format = EffectiveFormat(format);
  auto palette = DefaultPalette(img.Format);
  img.Palette.assign(palette.begin(), palette.end());
  img.Bits.assign(static_cast<size_t>(img.Stride() * height), 0);
  if (width > 0 && height > 0) {
    TRasterTarget white(img, Rect(0, 0, width, height), pmCopy, EncodeColor(img, clWhite));
    for (int y = 0; y < height; ++y)
      white.Span(y, 0, width);
  }
  return img;
}

TPixelImage ConvertPixelImage(const TPixelImage& image, TPixelFormat format) {
  format = EffectiveFormat(format);
  if (format == image.Format) return image;
  TPixelImage out = BlankPixelImage(image.Width, image.Height, format);
  for (int y = 0; y < image.Height; ++y) {
    TColor last = 0xFFFFFFFF; // no colour yet
    uint32_t lastValue = 0;
    for (int x = 0; x < image.Width; ++x) {
      TColor c = DecodeValue(image, ReadValue(image, x, y));
      if (c != last) {
        last = c;
        lastValue = EncodeColor(out, c);
      }
      WriteValue(out, x, y, lastValue);
    }
  }
  return out;
}

TPixelImage ResizePixelImage(const TPixelImage& image, int width, int height) {
  TPixelImage out = BlankPixelImage(width, height, image.Format);
  out.Palette = image.Palette;
  if (out.Palette.empty()) {
    auto palette = DefaultPalette(out.Format);
    out.Palette.assign(palette.begin(), palette.end());
  }
  if (IsPaletteFormat(out.Format)) { // blank in the kept palette
    TRasterTarget white(out, Rect(0, 0, width, height), pmCopy, EncodeColor(out, clWhite));
    for (int y = 0; y < height; ++y)
      white.Span(y, 0, width);
  }
  int w = std::min(width, image.Width), h = std::min(height, image.Height);
  int64_t bits = int64_t{w} * BitsPerPixel(out.Format);
  for (int y = 0; y < h; ++y) {
    // A zero-width image has no storage at all: its rows are null pointers.
    if (bits >= 8) std::memcpy(out.Row(y), image.Row(y), static_cast<size_t>(bits / 8));
    for (int x = static_cast<int>(bits / 8 * 8 / BitsPerPixel(out.Format)); x < w; ++x)
      WriteValue(out, x, y, ReadValue(image, x, y));
  }
  return out;
}

} // namespace fw
