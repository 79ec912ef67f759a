// libpng reports errors through a callback that must not return; we leave
// through png_longjmp back into RunRead or RunWrite, which keep every C++
// object in a state record owned by their caller, so the jump skips no
// destructor and the record's destructor frees libpng's structures.
#include "kartavo/framework/png_codec.h"

#include "kartavo/framework/detail/codec_support.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <vector>

#include <png.h>

namespace fw {

namespace {

constexpr const char* kKind = "PNG";
// Deflate turns one byte of compressed data into at most 1032 bytes.
constexpr int64_t kMaxInflateRatio = 1032;
// At one bit a pixel that is some eight thousand pixels a byte of the file.
constexpr int64_t kMaxPixelsPerByte = 8 * kMaxInflateRatio;

// Shared by reader and writer: the error text and the progress callback's exception.
struct TPngCommon {
  png_structp Png = nullptr;
  png_infop Info = nullptr;
  char Message[256] = "";
  TProgressReporter* Reporter = nullptr;
  std::exception_ptr CallbackError;
};

void OnError(png_structp png, png_const_charp message) {
  auto* c = static_cast<TPngCommon*>(png_get_error_ptr(png));
  std::snprintf(c->Message, sizeof c->Message, "%s", message);
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

struct TPngReader : TPngCommon {
  const uint8_t* Data = nullptr;
  size_t Size = 0;
  size_t Position = 0;
  const std::string* Name = nullptr;
  const TImageSizeCheck* SizeCheck = nullptr;
  TPixelImage Image;
  std::vector<uint8_t> Row; // one BGRA row of the picture or of an interlace pass

  ~TPngReader() { png_destroy_read_struct(&Png, &Info, nullptr); }
};

void OnRead(png_structp png, png_bytep out, size_t length) {
  auto* r = static_cast<TPngReader*>(png_get_io_ptr(png));
  if (r->Size - r->Position < length) png_error(png, "truncated file");
  std::memcpy(out, r->Data + r->Position, length);
  r->Position += length;
}

uint32_t BigEndian32(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

// The bytes of compressed pixel data the file holds: the IDAT chunks' lengths,
// as far as the file reaches.
int64_t CompressedBytes(const uint8_t* data, size_t size) {
  int64_t total = 0;
  for (size_t at = 8; size - at >= 12 && at < size;) {
    const uint32_t length = BigEndian32(data + at);
    const size_t room = size - at - 12;
    if (std::memcmp(data + at + 4, "IDAT", 4) == 0) total += std::min<size_t>(length, room);
    if (length > room) break;
    at += 12 + size_t{length};
  }
  return total;
}

// The bytes of filtered rows the picture's compressed data must inflate to.
int64_t FilteredBytes(png_uint_32 width, png_uint_32 height, int bitsPerPixel, bool interlaced) {
  auto rowsBytes = [&](int64_t w, int64_t h) {
    return w == 0 || h == 0 ? 0 : h * (1 + (w * bitsPerPixel + 7) / 8);
  };
  if (!interlaced) return rowsBytes(width, height);
  int64_t total = 0;
  for (int pass = 0; pass < 7; ++pass)
    total += rowsBytes(PNG_PASS_COLS(int64_t{width}, pass), PNG_PASS_ROWS(int64_t{height}, pass));
  return total;
}

// A picture bigger than its compressed data can inflate to is refused before
// anything is allocated for it.
void CheckImageSize(TPngReader& r) {
  const png_uint_32 w = png_get_image_width(r.Png, r.Info), h = png_get_image_height(r.Png, r.Info);
  CheckImageDimensions(kKind, *r.Name, w, h, static_cast<int64_t>(r.Size), kMaxPixelsPerByte,
                       *r.SizeCheck);
  const int bits = png_get_channels(r.Png, r.Info) * png_get_bit_depth(r.Png, r.Info);
  const bool interlaced = png_get_interlace_type(r.Png, r.Info) == PNG_INTERLACE_ADAM7;
  if (FilteredBytes(w, h, bits, interlaced) >
      kMaxInflateRatio * (CompressedBytes(r.Data, r.Size) + 1))
    RaiseReadError(kKind, *r.Name,
                   "compressed data too short for an image of " + std::to_string(w) + " x " +
                       std::to_string(h) + " pixels");
}

// Every kind of PNG becomes 8-bit blue, green, red, alpha.
void RequestBgra(png_structp png, png_infop info) {
  const int colorType = png_get_color_type(png, info);
  const int bitDepth = png_get_bit_depth(png, info);
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (bitDepth == 16) png_set_scale_16(png);
  if (!(colorType & PNG_COLOR_MASK_COLOR)) png_set_gray_to_rgb(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER); // no effect when there is alpha already
  png_set_bgr(png);
}

// Composites count pixels on white; output pixels lie step pixels apart.
void CompositeOnWhite(const uint8_t* bgra, uint8_t* bgr, int64_t count, int step) {
  for (int64_t x = 0; x < count; ++x, bgra += 4, bgr += 3 * step) {
    const unsigned a = bgra[3];
    for (int i = 0; i < 3; ++i)
      bgr[i] = static_cast<uint8_t>((bgra[i] * a + 255 * (255 - a) + 127) / 255);
  }
}

// One row of each interlace pass in turn (a single pass when not interlaced),
// each placed where it belongs. The picture's rows are stored as they arrive.
void ReadRows(TPngReader& r, bool interlaced) {
  const int64_t w = r.Image.Width, h = r.Image.Height;
  const int passes = interlaced ? 7 : 1;
  int64_t total = 0, done = 0;
  for (int pass = 0; pass < passes; ++pass)
    total += interlaced ? PNG_PASS_ROWS(h, pass) * (PNG_PASS_COLS(w, pass) > 0) : h;
  for (int pass = 0; pass < passes; ++pass) {
    const int64_t cols = interlaced ? PNG_PASS_COLS(w, pass) : w;
    const int64_t rows = interlaced ? PNG_PASS_ROWS(h, pass) : h;
    if (cols == 0) continue; // libpng skips passes without pixels
    for (int64_t row = 0; row < rows; ++row) {
      png_read_row(r.Png, r.Row.data(), nullptr);
      const int y = static_cast<int>(interlaced ? PNG_ROW_FROM_PASS_ROW(row, pass) : row);
      const int64_t x0 = interlaced ? PNG_COL_FROM_PASS_COL(0, pass) : 0;
      StoreRowsUpTo(r.Image, y);
      CompositeOnWhite(r.Row.data(), r.Image.Row(y) + 3 * x0, cols,
                       interlaced ? 1 << PNG_PASS_COL_SHIFT(pass) : 1);
      r.Reporter->Report(++done * 99 / total);
    }
  }
  if (h > 0) StoreRowsUpTo(r.Image, static_cast<int>(h - 1));
}

bool RunRead(TPngReader& r) {
  if (setjmp(png_jmpbuf(r.Png))) return false;
  png_set_read_fn(r.Png, &r, OnRead);
  png_set_user_limits(r.Png, 0x7FFFFFFF, 0x7FFFFFFF); // the size check below decides
  // Ancillary chunks (text, profiles, suggested palettes ...) change nothing
  // in the picture we give, yet a header claiming a huge one makes libpng
  // allocate for it: they are skipped, and no chunk kept may claim more
  // memory than the file holds.
  png_set_keep_unknown_chunks(r.Png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
  png_set_chunk_malloc_max(r.Png, std::max<size_t>(r.Size, 4096));
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
  // Checksums would stop nearly every mutated input before the pixel paths.
  png_set_crc_action(r.Png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
  png_set_option(r.Png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
  png_read_info(r.Png, r.Info);
  CheckImageSize(r);
  RequestBgra(r.Png, r.Info);
  // Passes are placed by ReadRows, so no buffer of the whole picture is needed.
  const bool interlaced = png_get_interlace_type(r.Png, r.Info) == PNG_INTERLACE_ADAM7;
  png_read_update_info(r.Png, r.Info);
  const png_uint_32 w = png_get_image_width(r.Png, r.Info), h = png_get_image_height(r.Png, r.Info);
  r.Image = MakeGrowingPixelImage(static_cast<int>(w), static_cast<int>(h), pf24bit);
  r.Row.resize(std::max<size_t>(png_get_rowbytes(r.Png, r.Info), size_t{4} * w));
  ReadRows(r, interlaced);
  png_read_end(r.Png, nullptr);
  return true;
}

struct TPngWriter : TPngCommon {
  std::vector<uint8_t> Out;
  std::vector<uint8_t> Row;
  int Height = 0;

  ~TPngWriter() { png_destroy_write_struct(&Png, &Info); }
};

void OnWrite(png_structp png, png_bytep data, size_t length) {
  auto* w = static_cast<TPngWriter*>(png_get_io_ptr(png));
  bool stored = true;
  try {
    w->Out.insert(w->Out.end(), data, data + length);
  } catch (...) {
    stored = false;
  }
  if (!stored) png_error(png, "out of memory");
}

void OnFlush(png_structp) {}

// Called by libpng between rows, so the callback's exception must wait for
// png_error to carry us out of the library.
void OnWriteRow(png_structp png, png_uint_32 row, int) {
  auto* w = static_cast<TPngWriter*>(png_get_io_ptr(png));
  try {
    w->Reporter->Report(static_cast<int>(std::min<long long>(99, row * 100LL / w->Height)));
  } catch (...) {
    w->CallbackError = std::current_exception();
  }
  if (w->CallbackError) png_error(png, "stopped by the progress callback");
}

bool RunWrite(TPngWriter& w, const TPixelImage& image) {
  if (setjmp(png_jmpbuf(w.Png))) return false;
  png_set_write_fn(w.Png, &w, OnWrite, OnFlush);
  png_set_write_status_fn(w.Png, OnWriteRow);
  png_set_IHDR(w.Png, w.Info, static_cast<png_uint_32>(image.Width),
               static_cast<png_uint_32>(image.Height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(w.Png, w.Info);
  png_set_bgr(w.Png);
  for (int y = 0; y < image.Height; ++y) {
    png_bytep row = w.Row.data();
    if (image.Format == pf24bit)
      row = const_cast<png_bytep>(image.Row(y));
    else
      RowToBgr24(image, y, row);
    png_write_row(w.Png, row);
  }
  png_write_end(w.Png, nullptr);
  return true;
}

void WritePngNamed(TStream& stream, const TPixelImage& image, const TCodecProgress& progress,
                   const std::string& name) {
  if (!IsConsistent(image)) RaiseWriteError(kKind, name, "inconsistent pixel image");
  if (image.Width == 0 || image.Height == 0) RaiseWriteError(kKind, name, "the image is empty");
  TProgressReporter reporter(progress);
  reporter.Report(0);
  TPngWriter w;
  w.Reporter = &reporter;
  w.Height = image.Height;
  w.Row.resize(size_t{3} * static_cast<size_t>(image.Width));
  w.Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, static_cast<TPngCommon*>(&w), OnError,
                                  OnWarning);
  if (w.Png) w.Info = png_create_info_struct(w.Png);
  if (!w.Png || !w.Info) throw std::bad_alloc();
  if (!RunWrite(w, image)) {
    if (w.CallbackError) std::rethrow_exception(w.CallbackError);
    RaiseWriteError(kKind, name, w.Message);
  }
  stream.WriteBuffer(w.Out.data(), static_cast<int64_t>(w.Out.size()));
  reporter.Report(100);
}

} // namespace

TPixelImage DecodePng(const uint8_t* Data, size_t Size, const std::string& nameForMessages,
                      const TCodecProgress& Progress, const TImageSizeCheck& SizeCheck) {
  TProgressReporter reporter(Progress);
  reporter.Report(0);
  if (Size < 8 || png_sig_cmp(Data, 0, 8) != 0)
    RaiseReadError(kKind, nameForMessages, "not a PNG file");
  TPngReader r;
  r.Data = Data;
  r.Size = Size;
  r.Name = &nameForMessages;
  r.Reporter = &reporter;
  r.SizeCheck = &SizeCheck;
  r.Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, static_cast<TPngCommon*>(&r), OnError,
                                 OnWarning);
  if (r.Png) r.Info = png_create_info_struct(r.Png);
  if (!r.Png || !r.Info) throw std::bad_alloc();
  if (!RunRead(r)) {
    if (r.CallbackError) std::rethrow_exception(r.CallbackError);
    RaiseReadError(kKind, nameForMessages, r.Message);
  }
  reporter.Report(100);
  return std::move(r.Image);
}

TPixelImage ReadPng(TStream& Stream, const std::string& nameForMessages,
                    const TCodecProgress& Progress, const TImageSizeCheck& SizeCheck) {
  const std::vector<uint8_t> data =
      ReadRemaining(Stream, kKind, nameForMessages, kMaxEncodedImageBytes);
  return DecodePng(data.data(), data.size(), nameForMessages, Progress, SizeCheck);
}

TPixelImage ReadPngFile(const std::string& path, const TCodecProgress& Progress,
                        const TImageSizeCheck& SizeCheck) {
  TFileStream f(path, fmOpenRead);
  return ReadPng(f, path, Progress, SizeCheck);
}

void WritePng(TStream& Stream, const TPixelImage& Image, const TCodecProgress& Progress) {
  WritePngNamed(Stream, Image, Progress, "(stream)");
}

void WritePngFile(const std::string& path, const TPixelImage& Image,
                  const TCodecProgress& Progress) {
  TFileStream f(path, fmCreate);
  WritePngNamed(f, Image, Progress, path);
}

} // namespace fw
