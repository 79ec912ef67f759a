#include "kartavo/framework/bmp_codec.h"

#include "kartavo/framework/detail/codec_support.h"
#include "kartavo/framework/errors.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace fw {

namespace {

constexpr const char* kKind = "BMP";

enum : uint32_t { kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitFields = 3, kBiAlphaBitFields = 6 };

// Bounds-checked little-endian access to the file's bytes.
class TBmpBytes {
public:
  TBmpBytes(const std::vector<uint8_t>& data, const std::string& name) : FData(data), FName(name) {}
  size_t Size() const { return FData.size(); }
  const uint8_t* At(size_t offset) const { return FData.data() + offset; }
  void Need(size_t offset, size_t count, const char* what) const {
    if (offset > FData.size() || count > FData.size() - offset)
      Fail(std::string("truncated ") + what);
  }
  uint16_t U16(size_t offset) const {
    Need(offset, 2, "header");
    return static_cast<uint16_t>(FData[offset] | (FData[offset + 1] << 8));
  }
  uint32_t U32(size_t offset) const {
    Need(offset, 4, "header");
    return static_cast<uint32_t>(FData[offset]) | (static_cast<uint32_t>(FData[offset + 1]) << 8) |
           (static_cast<uint32_t>(FData[offset + 2]) << 16) |
           (static_cast<uint32_t>(FData[offset + 3]) << 24);
  }
  int32_t I32(size_t offset) const { return static_cast<int32_t>(U32(offset)); }
  [[noreturn]] void Fail(const std::string& reason) const { RaiseReadError(kKind, FName, reason); }

private:
  const std::vector<uint8_t>& FData;
  const std::string& FName;
};

struct TBmpHeader {
  int64_t Width = 0;
  int64_t Height = 0;
  bool TopDown = false;
  int Bpp = 0;
  uint32_t Compression = kBiRgb;
  std::array<uint32_t, 3> Masks{0x00FF0000, 0x0000FF00, 0x000000FF}; // red, green, blue
  std::vector<TColor> Palette;
  size_t DataOffset = 0;
  size_t DataSize = 0;
};

// One colour channel of a bit-field pixel.
struct TChannel {
  uint32_t Mask = 0;
  int Shift = 0;
  int Bits = 0;

  explicit TChannel(uint32_t mask) : Mask(mask) {
    if (mask == 0) return;
    Shift = std::countr_zero(mask);
    Bits = std::bit_width(mask >> Shift);
  }
  uint8_t Extract(uint32_t v) const {
    if (Mask == 0) return 0;
    uint32_t c = (v & Mask) >> Shift;
    if (Bits >= 8) return static_cast<uint8_t>(c >> (Bits - 8));
    // Nearest 8-bit value, as 15- and 16-bit pixels read back everywhere else.
    const uint32_t top = (1u << Bits) - 1;
    return static_cast<uint8_t>((c * 255 + top / 2) / top);
  }
};

bool ValidBitCount(uint32_t compression, int bpp) {
  switch (compression) {
  case kBiRgb:
    return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
  case kBiRle8:
    return bpp == 8;
  case kBiRle4:
    return bpp == 4;
  case kBiBitFields:
  case kBiAlphaBitFields:
    return bpp == 16 || bpp == 32;
  default:
    return false;
  }
}

void ReadPalette(const TBmpBytes& bytes, size_t start, size_t limit, int entrySize,
                 uint32_t colorsUsed, TBmpHeader& h) {
  int64_t count = int64_t{1} << h.Bpp;
  if (colorsUsed != 0 && colorsUsed < count) count = colorsUsed;
  // Some writers store fewer entries than they declare; take what is there.
  if (limit > bytes.Size()) limit = bytes.Size();
  const int64_t room = limit > start ? static_cast<int64_t>(limit - start) / entrySize : 0;
  count = std::min(count, room);
  h.Palette.assign(size_t{1} << h.Bpp, clBlack);
  for (int64_t i = 0; i < count; ++i) {
    const uint8_t* p = bytes.At(start + static_cast<size_t>(i) * entrySize);
    h.Palette[static_cast<size_t>(i)] = RGB(p[2], p[1], p[0]);
  }
}

TBmpHeader ParseHeader(const TBmpBytes& bytes) {
  if (bytes.Size() < 2 || bytes.At(0)[0] != 'B' || bytes.At(0)[1] != 'M')
    bytes.Fail("not a bitmap file");
  TBmpHeader h;
  const uint32_t offBits = bytes.U32(10);
  const uint32_t headerSize = bytes.U32(14);
  size_t paletteStart = 14 + static_cast<size_t>(headerSize);
  int entrySize = 4;
  uint32_t colorsUsed = 0;
  uint32_t sizeImage = 0;
  if (headerSize == 12) {
    h.Width = bytes.U16(18);
    h.Height = bytes.U16(20);
    h.Bpp = bytes.U16(24);
    entrySize = 3;
  } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 64 ||
             headerSize == 108 || headerSize == 124) {
    bytes.Need(14, headerSize, "header");
    h.Width = bytes.I32(18);
    h.Height = bytes.I32(22);
    h.Bpp = bytes.U16(28);
    h.Compression = bytes.U32(30);
    sizeImage = bytes.U32(34);
    colorsUsed = bytes.U32(46);
    // In the 64-byte OS/2 header, codes 3 and 4 mean Huffman and RLE24 coding.
    if (headerSize == 64 && h.Compression >= kBiBitFields) bytes.Fail("unsupported compression");
    if (h.Compression == kBiBitFields || h.Compression == kBiAlphaBitFields) {
      size_t maskAt = 54;
      if (headerSize == 40) paletteStart += h.Compression == kBiBitFields ? 12 : 16;
      for (int i = 0; i < 3; ++i)
        h.Masks[i] = bytes.U32(maskAt + 4 * i);
    }
  } else {
    bytes.Fail("unsupported header size " + std::to_string(headerSize));
  }
  if (h.Height < 0) {
    h.Height = -h.Height;
    h.TopDown = true;
  }
  if (h.Width < 0) bytes.Fail("negative image width");
  if (!ValidBitCount(h.Compression, h.Bpp))
    bytes.Fail("unsupported combination of " + std::to_string(h.Bpp) +
               " bits per pixel and compression " + std::to_string(h.Compression));
  if (h.TopDown && (h.Compression == kBiRle4 || h.Compression == kBiRle8))
    bytes.Fail("compressed bitmap stored top-down");
  if (h.Bpp <= 8)
    ReadPalette(bytes, paletteStart, offBits > paletteStart ? offBits : bytes.Size(), entrySize,
                colorsUsed, h);
  h.DataOffset = offBits != 0 ? offBits : paletteStart + h.Palette.size() * entrySize;
  if (h.DataOffset < paletteStart || h.DataOffset > bytes.Size())
    bytes.Fail("bad pixel data offset " + std::to_string(offBits));
  h.DataSize = bytes.Size() - h.DataOffset;
  if (sizeImage != 0 && sizeImage < h.DataSize &&
      (h.Compression == kBiRle4 || h.Compression == kBiRle8))
    h.DataSize = sizeImage;
  return h;
}

// Where file row r (in file order) goes in the top-down picture.
int64_t ImageRow(const TBmpHeader& h, int64_t r) { return h.TopDown ? r : h.Height - 1 - r; }

void SetNibble(uint8_t* row, int64_t x, unsigned v) {
  uint8_t& b = row[x >> 1];
  b = (x & 1) ? static_cast<uint8_t>((b & 0xF0) | (v & 0x0F))
              : static_cast<uint8_t>((b & 0x0F) | (v << 4));
}

void ConvertRow(const TBmpHeader& h, const uint8_t* src, TPixelImage& out, int64_t y) {
  const int64_t w = h.Width;
  if (w == 0) return; // an empty row has no storage to copy into
  uint8_t* dst = out.Row(static_cast<int>(y));
  switch (h.Bpp) {
  case 1:
    for (int64_t x = 0; x < w; ++x)
      SetNibble(dst, x, (src[x >> 3] >> (7 - (x & 7))) & 1);
    break;
  case 4:
    std::memcpy(dst, src, static_cast<size_t>((w + 1) / 2));
    break;
  case 8:
    for (int64_t x = 0; x < w; ++x) {
      TColor c = h.Palette[src[x]];
      dst[3 * x] = GetBValue(c);
      dst[3 * x + 1] = GetGValue(c);
      dst[3 * x + 2] = GetRValue(c);
    }
    break;
  case 24:
    std::memcpy(dst, src, static_cast<size_t>(3 * w));
    break;
  default: {
    const TChannel r(h.Masks[0]), g(h.Masks[1]), b(h.Masks[2]);
    const int step = h.Bpp / 8;
    const int outStep = out.Format == pf32bit ? 4 : 3;
    for (int64_t x = 0; x < w; ++x) {
      const uint8_t* p = src + step * x;
      uint32_t v = step == 2
                       ? (p[0] | (p[1] << 8))
                       : (p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24));
      uint8_t* q = dst + outStep * x;
      q[0] = b.Extract(v);
      q[1] = g.Extract(v);
      q[2] = r.Extract(v);
      if (outStep == 4) q[3] = 0;
    }
  }
  }
}

void Copy555Row(const uint8_t* src, uint8_t* dst, int64_t w) {
  for (int64_t x = 0; x < w; ++x) {
    dst[2 * x] = src[2 * x];
    dst[2 * x + 1] = src[2 * x + 1] & 0x7F;
  }
}

TPixelFormat OutputFormat(const TBmpHeader& h) {
  switch (h.Bpp) {
  case 1:
  case 4:
    return pf4bit;
  case 16:
    return h.Compression == kBiRgb || h.Masks == std::array<uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
               ? pf15bit
               : pf24bit;
  case 32:
    return pf32bit;
  default:
    return pf24bit;
  }
}

void DecodeUncompressed(const TBmpBytes& bytes, const TBmpHeader& h, TPixelImage& out,
                        TProgressReporter& progress) {
  const int64_t stride = RowStride(h.Width, h.Bpp == 1    ? pf1bit
                                            : h.Bpp == 4  ? pf4bit
                                            : h.Bpp == 8  ? pf8bit
                                            : h.Bpp == 16 ? pf16bit
                                            : h.Bpp == 24 ? pf24bit
                                                          : pf32bit);
  // The last row may lack its padding.
  const int64_t needed = h.Height == 0 ? 0 : stride * (h.Height - 1) + (h.Width * h.Bpp + 7) / 8;
  if (needed > static_cast<int64_t>(h.DataSize)) bytes.Fail("truncated pixel data");
  const bool raw555 = h.Bpp == 16 && out.Format == pf15bit;
  for (int64_t r = 0; r < h.Height; ++r) {
    const uint8_t* src = bytes.At(h.DataOffset + static_cast<size_t>(r * stride));
    if (raw555)
      Copy555Row(src, out.Row(static_cast<int>(ImageRow(h, r))), h.Width);
    else
      ConvertRow(h, src, out, ImageRow(h, r));
    progress.Report(r, h.Height);
  }
}

// Run-length coded 4- and 8-bit data, bottom-up. Put(x, yFromBottom, index)
// receives every pixel inside the image; pixels the codes skip keep index 0.
template <class PutPixel>
void DecodeRle(const TBmpBytes& bytes, const TBmpHeader& h, PutPixel put,
               TProgressReporter& progress) {
  const uint8_t* p = bytes.At(h.DataOffset);
  const size_t n = h.DataSize;
  const bool four = h.Bpp == 4;
  int64_t x = 0, y = 0;
  size_t i = 0;
  auto pixel = [&](int64_t px, unsigned index) {
    if (y >= h.Height) bytes.Fail("run-length data beyond the last row");
    if (px < h.Width) put(px, y, index);
  };
  while (true) {
    if (n - i < 2) {
      if (y >= h.Height) return; // every row is complete; the end code is missing
      bytes.Fail("truncated run-length data");
    }
    const unsigned count = p[i], code = p[i + 1];
    i += 2;
    if (count > 0) {
      for (unsigned k = 0; k < count; ++k)
        pixel(x + k, four ? ((k & 1) ? code & 0x0F : code >> 4) : code);
      x += count;
    } else if (code == 0) {
      x = 0;
      ++y;
      progress.Report(y, h.Height);
    } else if (code == 1) {
      return;
    } else if (code == 2) {
      if (n - i < 2) bytes.Fail("truncated run-length data");
      x += p[i];
      y += p[i + 1];
      i += 2;
      if (y > h.Height) bytes.Fail("run-length offset moves outside the image");
    } else {
      const size_t dataBytes = four ? (code + 1) / 2 : code;
      if (n - i < dataBytes) bytes.Fail("truncated run-length data");
      for (unsigned k = 0; k < code; ++k)
        pixel(x + k, four ? ((k & 1) ? p[i + k / 2] & 0x0F : p[i + k / 2] >> 4) : p[i + k]);
      x += code;
      i += std::min(n - i, (dataBytes + 1) & ~size_t{1});
    }
  }
}

// The codes visit rows bottom-up and never return to a finished row, so one
// row of palette indexes is enough: it is converted when the codes move on.
void DecodeRle8(const TBmpBytes& bytes, const TBmpHeader& h, TPixelImage& out,
                TProgressReporter& progress) {
  std::vector<uint8_t> indexes(static_cast<size_t>(h.Width), 0);
  int64_t finished = 0; // rows from the bottom already converted
  auto finishRowsBelow = [&](int64_t y) {
    for (; finished < y; ++finished) {
      ConvertRow(h, indexes.data(), out, h.Height - 1 - finished);
      std::fill(indexes.begin(), indexes.end(), 0);
    }
  };
  DecodeRle(
      bytes, h,
      [&](int64_t x, int64_t y, unsigned v) {
        finishRowsBelow(y);
        indexes[static_cast<size_t>(x)] = static_cast<uint8_t>(v);
      },
      progress);
  finishRowsBelow(h.Height);
}

void DecodeRle4(const TBmpBytes& bytes, const TBmpHeader& h, TPixelImage& out,
                TProgressReporter& progress) {
  DecodeRle(
      bytes, h,
      [&](int64_t x, int64_t y, unsigned v) {
        SetNibble(out.Row(static_cast<int>(h.Height - 1 - y)), x, v);
      },
      progress);
}

// The longest run code stands for 255 pixels in two bytes; the codes that
// skip pixels get the same allowance, which no real file exceeds.
constexpr int64_t kMaxRlePixelsPerByte = 128;

TPixelImage Decode(const std::vector<uint8_t>& data, const std::string& name,
                   const TCodecProgress& progressCallback, const TImageSizeCheck& sizeCheck) {
  TProgressReporter progress(progressCallback);
  progress.Report(0);
  const TBmpBytes bytes(data, name);
  const TBmpHeader h = ParseHeader(bytes);
  const bool rle = h.Compression == kBiRle4 || h.Compression == kBiRle8;
  CheckImageDimensions(kKind, name, h.Width, h.Height, static_cast<int64_t>(h.DataSize),
                       rle ? kMaxRlePixelsPerByte : 8, sizeCheck);
  TPixelImage out =
      MakePixelImage(static_cast<int>(h.Width), static_cast<int>(h.Height), OutputFormat(h));
  if (out.Format == pf4bit)
    std::copy_n(h.Palette.begin(), 16 < h.Palette.size() ? 16 : h.Palette.size(),
                out.Palette.begin());
  if (out.Bits.empty()) { // no pixels, nothing to decode
    progress.Report(100);
    return out;
  }
  if (h.Compression == kBiRle8)
    DecodeRle8(bytes, h, out, progress);
  else if (h.Compression == kBiRle4)
    DecodeRle4(bytes, h, out, progress);
  else
    DecodeUncompressed(bytes, h, out, progress);
  progress.Report(100);
  return out;
}

void PutU16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}

void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  PutU16(b, at, v & 0xFFFF);
  PutU16(b, at + 2, v >> 16);
}

// File header, info header and (for 4-bit files) the palette.
std::vector<uint8_t> MakeHeaders(const TPixelImage& image, bool fourBit, int64_t imageBytes) {
  const size_t paletteBytes = fourBit ? 64 : 0;
  const size_t offBits = 14 + 40 + paletteBytes;
  std::vector<uint8_t> b(offBits, 0);
  b[0] = 'B';
  b[1] = 'M';
  PutU32(b, 2, static_cast<uint32_t>(offBits + imageBytes));
  PutU32(b, 10, static_cast<uint32_t>(offBits));
  PutU32(b, 14, 40);
  PutU32(b, 18, static_cast<uint32_t>(image.Width));
  PutU32(b, 22, static_cast<uint32_t>(image.Height));
  PutU16(b, 26, 1);
  PutU16(b, 28, fourBit ? 4 : 24);
  PutU32(b, 34, static_cast<uint32_t>(imageBytes));
  PutU32(b, 38, 3780); // 96 dots per inch, in dots per metre
  PutU32(b, 42, 3780);
  PutU32(b, 46, fourBit ? 16 : 0);
  for (size_t i = 0; fourBit && i < 16; ++i) {
    const TColor c = image.Palette[i];
    b[54 + 4 * i] = GetBValue(c);
    b[55 + 4 * i] = GetGValue(c);
    b[56 + 4 * i] = GetRValue(c);
  }
  return b;
}

} // namespace

TPixelImage ReadBmp(TStream& Stream, const std::string& nameForMessages,
                    const TCodecProgress& Progress, const TImageSizeCheck& SizeCheck) {
  const std::vector<uint8_t> data =
      ReadRemaining(Stream, kKind, nameForMessages, kMaxEncodedImageBytes);
  return Decode(data, nameForMessages, Progress, SizeCheck);
}

TPixelImage ReadBmpFile(const std::string& path, const TCodecProgress& Progress,
                        const TImageSizeCheck& SizeCheck) {
  TFileStream f(path, fmOpenRead);
  return ReadBmp(f, path, Progress, SizeCheck);
}

static void WriteBmpNamed(TStream& Stream, const TPixelImage& Image, const std::string& name,
                          const TCodecProgress& Progress) {
  if (!IsConsistent(Image)) RaiseWriteError(kKind, name, "inconsistent pixel image");
  TProgressReporter progress(Progress);
  progress.Report(0);
  const bool fourBit = Image.Format == pf4bit;
  const int64_t stride = RowStride(Image.Width, fourBit ? pf4bit : pf24bit);
  const int64_t imageBytes = stride * Image.Height;
  if (imageBytes > 0xFFFFFFFFll - 200) RaiseWriteError(kKind, name, "image too large");
  // What the readers would refuse is not written.
  if ((Image.Width == 0 || Image.Height == 0) &&
      std::max(Image.Width, Image.Height) > kMaxEmptyImageSide)
    RaiseWriteError(kKind, name,
                    "an empty image of " + std::to_string(Image.Width) + " x " +
                        std::to_string(Image.Height) + " pixels claims more than " +
                        std::to_string(kMaxEmptyImageSide) + " rows or columns");
  Stream.WriteBuffer(MakeHeaders(Image, fourBit, imageBytes).data(), 14 + 40 + (fourBit ? 64 : 0));
  // Rows go bottom-up, gathered into chunks of about a megabyte.
  const int64_t rowsPerChunk =
      std::max<int64_t>(1, (int64_t{1} << 20) / std::max<int64_t>(stride, 1));
  std::vector<uint8_t> chunk(
      static_cast<size_t>(std::min<int64_t>(rowsPerChunk, Image.Height) * stride));
  const bool direct = fourBit || Image.Format == pf24bit;
  for (int64_t done = 0; done < Image.Height;) {
    const int64_t rows = std::min(rowsPerChunk, Image.Height - done);
    for (int64_t k = 0; k < rows; ++k) {
      const int y = static_cast<int>(Image.Height - 1 - (done + k));
      uint8_t* dst = chunk.data() + k * stride;
      if (direct)
        std::memcpy(dst, Image.Row(y), static_cast<size_t>(stride));
      else
        RowToBgr24(Image, y, dst);
    }
    Stream.WriteBuffer(chunk.data(), rows * stride);
    done += rows;
    progress.Report(done, Image.Height);
  }
  progress.Report(100);
}

void WriteBmp(TStream& Stream, const TPixelImage& Image, const TCodecProgress& Progress) {
  WriteBmpNamed(Stream, Image, "(stream)", Progress);
}

void WriteBmpFile(const std::string& path, const TPixelImage& Image,
                  const TCodecProgress& Progress) {
  TFileStream f(path, fmCreate);
  WriteBmpNamed(f, Image, path, Progress);
}

} // namespace fw
