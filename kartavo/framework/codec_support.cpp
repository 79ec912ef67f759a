#include "kartavo/framework/detail/codec_support.h"

#include "kartavo/framework/detail/pixel_value.h"

#include <algorithm>
#include <climits>

namespace fw {

void RaiseReadError(const char* kind, const std::string& name, const std::string& reason) {
  throw EInvalidGraphic(std::string("Cannot read ") + kind + " image \"" + name + "\": " + reason);
}

void RaiseWriteError(const char* kind, const std::string& name, const std::string& reason) {
  throw EInvalidGraphic(std::string("Cannot write ") + kind + " image \"" + name + "\": " + reason);
}

void CheckImageDimensions(const char* kind, const std::string& name, int64_t width, int64_t height,
                          int64_t dataBytes, int64_t maxPixelsPerByte,
                          const TImageSizeCheck& sizeCheck) {
  if (width < 0 || height < 0) RaiseReadError(kind, name, "negative image size");
  // The caller's own limit speaks first: its refusal names the limit it knows.
  if (sizeCheck)
    sizeCheck(static_cast<int>(std::min<int64_t>(width, INT_MAX)),
              static_cast<int>(std::min<int64_t>(height, INT_MAX)));
  if (width > kMaxImagePixels || height > kMaxImagePixels || width * height > kMaxImagePixels)
    RaiseReadError(kind, name,
                   "image of " + std::to_string(width) + " x " + std::to_string(height) +
                       " pixels is too large");
  // A picture without pixels needs no data and no storage; decoders return
  // it without walking its rows, and its other side is bounded on its own.
  if (width == 0 || height == 0) {
    if (width > kMaxEmptyImageSide || height > kMaxEmptyImageSide)
      RaiseReadError(kind, name,
                     "empty image of " + std::to_string(width) + " x " + std::to_string(height) +
                         " pixels claims too many rows or columns");
    return;
  }
  // A few bytes of data cannot describe a huge picture: refuse before allocating.
  const int64_t limit = std::max<int64_t>(dataBytes, 1) * maxPixelsPerByte;
  if (width * height > limit)
    RaiseReadError(kind, name,
                   "file too short for an image of " + std::to_string(width) + " x " +
                       std::to_string(height) + " pixels");
}

static size_t PaletteSize(TPixelFormat format) {
  switch (format) {
  case pf1bit:
    return 2;
  case pf4bit:
    return 16;
  case pf8bit:
    return 256;
  default:
    return 0;
  }
}

TPixelImage MakePixelImage(int width, int height, TPixelFormat format) {
  TPixelImage image;
  image.Width = width;
  image.Height = height;
  image.Format = format;
  image.Palette.assign(PaletteSize(format), clBlack);
  image.Bits.assign(static_cast<size_t>(RowStride(width, format) * height), 0);
  return image;
}

TPixelImage MakeGrowingPixelImage(int width, int height, TPixelFormat format) {
  TPixelImage image = MakePixelImage(width, 0, format);
  image.Height = height;
  return image;
}

void StoreRowsUpTo(TPixelImage& image, int y) {
  const int64_t stride = image.Stride();
  const int64_t have =
      stride == 0 ? image.Height : static_cast<int64_t>(image.Bits.size()) / stride;
  if (y < have) return;
  const int64_t rows = std::min<int64_t>(image.Height, std::max<int64_t>(y + 1, 2 * have));
  // Reserving exactly keeps the vector from doubling past the picture's size.
  image.Bits.reserve(static_cast<size_t>(rows * stride));
  image.Bits.resize(static_cast<size_t>(rows * stride), 0);
}

bool IsConsistent(const TPixelImage& image) {
  if (image.Width < 0 || image.Height < 0) return false;
  if (image.Format == pfDevice || image.Format == pfCustom) return false;
  if (static_cast<int64_t>(image.Bits.size()) < image.Stride() * image.Height) return false;
  return image.Palette.size() >= PaletteSize(image.Format);
}

static void PutColor(uint8_t* out, TColor c) {
  out[0] = GetBValue(c);
  out[1] = GetGValue(c);
  out[2] = GetRValue(c);
}

// Widens a 5- or 6-bit channel value to 8 bits the way the canvas reads such
// pixels back, so a saved 15-bit bitmap shows the colours Pixels reported.
static uint8_t Widen5(unsigned v) { return From5Bits(static_cast<uint8_t>(v)); }
static uint8_t Widen6(unsigned v) { return From6Bits(static_cast<uint8_t>(v)); }

void RowToBgr24(const TPixelImage& image, int y, uint8_t* out) {
  const uint8_t* row = image.Row(y);
  const int w = image.Width;
  switch (image.Format) {
  case pf1bit:
    for (int x = 0; x < w; ++x)
      PutColor(out + 3 * x, image.Palette[(row[x >> 3] >> (7 - (x & 7))) & 1]);
    break;
  case pf4bit:
    for (int x = 0; x < w; ++x)
      PutColor(out + 3 * x, image.Palette[(x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4]);
    break;
  case pf8bit:
    for (int x = 0; x < w; ++x)
      PutColor(out + 3 * x, image.Palette[row[x]]);
    break;
  case pf15bit:
  case pf16bit:
    for (int x = 0; x < w; ++x) {
      unsigned v = row[2 * x] | (row[2 * x + 1] << 8);
      uint8_t* p = out + 3 * x;
      p[0] = Widen5(v & 0x1F);
      if (image.Format == pf15bit) {
        p[1] = Widen5((v >> 5) & 0x1F);
        p[2] = Widen5((v >> 10) & 0x1F);
      } else {
        p[1] = Widen6((v >> 5) & 0x3F);
        p[2] = Widen5((v >> 11) & 0x1F);
      }
    }
    break;
  case pf24bit:
    std::copy(row, row + 3 * static_cast<int64_t>(w), out);
    break;
  default:
    for (int x = 0; x < w; ++x)
      std::copy(row + 4 * x, row + 4 * x + 3, out + 3 * x);
    break;
  }
}

std::vector<uint8_t> ReadRemaining(TStream& stream, const char* kind, const std::string& name,
                                   int64_t maxBytes) {
  const int64_t left = stream.Size() - stream.Position();
  if (left > maxBytes) RaiseReadError(kind, name, "file too large");
  std::vector<uint8_t> data(static_cast<size_t>(std::max<int64_t>(left, 0)));
  const int64_t got = data.empty() ? 0 : stream.Read(data.data(), left);
  data.resize(static_cast<size_t>(got));
  return data;
}

} // namespace fw
