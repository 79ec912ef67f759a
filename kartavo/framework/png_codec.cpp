// libpng reports errors through a callback that must not return; we leave
// through png_longjmp back into RunRead or RunWrite, which keep every C++
// object in a state record owned by their caller, so the jump skips no
// destructor and the record's destructor frees libpng's structures.
#include "kartavo/framework/png_codec.h"

#include "kartavo/framework/detail/codec_support.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <vector>

#include <png.h>

namespace fw {

namespace {

constexpr const char* kKind = "PNG";
// Deflate packs at most about a thousand bytes into one; at one bit a pixel
// that is some eight thousand pixels a byte.
constexpr int64_t kMaxPixelsPerByte = 16384;

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

void ReportRow(png_structp png, png_uint_32 height, png_uint_32 row, int pass, int passes) {
  auto* c = static_cast<TPngCommon*>(png_get_error_ptr(png));
  if (height == 0) return;
  const long long done = static_cast<long long>(pass) * height + row;
  try {
    c->Reporter->Report(static_cast<int>(std::min<long long>(99, done * 100 / (passes * height))));
  } catch (...) {
    c->CallbackError = std::current_exception();
  }
  if (c->CallbackError) png_error(png, "stopped by the progress callback");
}

struct TPngReader : TPngCommon {
  const uint8_t* Data = nullptr;
  size_t Size = 0;
  size_t Position = 0;
  const std::string* Name = nullptr;
  int Passes = 1;
  TPixelImage Image;
  std::vector<uint8_t> Pixels; // BGRA rows: one row, or the whole picture when interlaced
  std::vector<png_bytep> Rows;

  ~TPngReader() { png_destroy_read_struct(&Png, &Info, nullptr); }
};

void OnRead(png_structp png, png_bytep out, size_t length) {
  auto* r = static_cast<TPngReader*>(png_get_io_ptr(png));
  if (r->Size - r->Position < length) png_error(png, "truncated file");
  std::memcpy(out, r->Data + r->Position, length);
  r->Position += length;
}

void OnReadRow(png_structp png, png_uint_32 row, int pass) {
  auto* r = static_cast<TPngReader*>(png_get_io_ptr(png));
  ReportRow(png, png_get_image_height(png, r->Info), row, pass, r->Passes);
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

void CompositeOnWhite(const uint8_t* bgra, uint8_t* bgr, int width) {
  for (int x = 0; x < width; ++x, bgra += 4, bgr += 3) {
    const unsigned a = bgra[3];
    for (int i = 0; i < 3; ++i)
      bgr[i] = static_cast<uint8_t>((bgra[i] * a + 255 * (255 - a) + 127) / 255);
  }
}

void PrepareImage(TPngReader& r) {
  const png_uint_32 w = png_get_image_width(r.Png, r.Info), h = png_get_image_height(r.Png, r.Info);
  CheckImageDimensions(kKind, *r.Name, w, h, static_cast<int64_t>(r.Size), kMaxPixelsPerByte);
  r.Image = MakePixelImage(static_cast<int>(w), static_cast<int>(h), pf24bit);
  const bool interlaced = r.Passes > 1;
  r.Pixels.resize(size_t{4} * w * (interlaced ? h : 1));
  r.Rows.resize(interlaced ? h : 1);
  for (size_t y = 0; y < r.Rows.size(); ++y)
    r.Rows[y] = r.Pixels.data() + size_t{4} * w * y;
}

bool RunRead(TPngReader& r) {
  if (setjmp(png_jmpbuf(r.Png))) return false;
  png_set_read_fn(r.Png, &r, OnRead);
  png_set_read_status_fn(r.Png, OnReadRow);
  png_set_user_limits(r.Png, 0x7FFFFFFF, 0x7FFFFFFF); // the size check below decides
  png_read_info(r.Png, r.Info);
  RequestBgra(r.Png, r.Info);
  r.Passes = png_set_interlace_handling(r.Png);
  png_read_update_info(r.Png, r.Info);
  PrepareImage(r);
  const int h = r.Image.Height;
  if (r.Passes > 1) {
    png_read_image(r.Png, r.Rows.data());
    for (int y = 0; y < h; ++y)
      CompositeOnWhite(r.Rows[static_cast<size_t>(y)], r.Image.Row(y), r.Image.Width);
  } else {
    for (int y = 0; y < h; ++y) {
      png_read_row(r.Png, r.Rows[0], nullptr);
      CompositeOnWhite(r.Rows[0], r.Image.Row(y), r.Image.Width);
    }
  }
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

void OnWriteRow(png_structp png, png_uint_32 row, int pass) {
  auto* w = static_cast<TPngWriter*>(png_get_io_ptr(png));
  ReportRow(png, static_cast<png_uint_32>(w->Height), row, pass, 1);
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
                      const TCodecProgress& Progress) {
  TProgressReporter reporter(Progress);
  reporter.Report(0);
  if (Size < 8 || png_sig_cmp(Data, 0, 8) != 0)
    RaiseReadError(kKind, nameForMessages, "not a PNG file");
  TPngReader r;
  r.Data = Data;
  r.Size = Size;
  r.Name = &nameForMessages;
  r.Reporter = &reporter;
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
                    const TCodecProgress& Progress) {
  const std::vector<uint8_t> data =
      ReadRemaining(Stream, kKind, nameForMessages, kMaxEncodedImageBytes);
  return DecodePng(data.data(), data.size(), nameForMessages, Progress);
}

TPixelImage ReadPngFile(const std::string& path, const TCodecProgress& Progress) {
  TFileStream f(path, fmOpenRead);
  return ReadPng(f, path, Progress);
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
