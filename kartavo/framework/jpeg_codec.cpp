// libjpeg reports errors by calling error_exit, which must not return; we
// leave through longjmp back into the one function per direction that calls
// the library (RunDecode, RunEncode). Those functions keep every C++ object
// in a state record owned by their caller, so the jump skips no destructor,
// and the record's destructor releases libjpeg's memory on every path.
#include "kartavo/framework/jpeg_codec.h"

#include "kartavo/framework/detail/codec_support.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

namespace fw {

namespace {

constexpr const char* kKind = "JPEG";
// Huffman coding spends at least one bit on every 8 x 8 block of every
// component. Arithmetic coding can spend far less; no encoder packs more
// than this many pixels into one byte of a real file.
constexpr int64_t kMaxBlocksPerHuffmanByte = 8;
constexpr int64_t kMaxPixelsPerByte = 16384;
// Hostile progressive files can hold thousands of tiny scans, each costing a pass.
constexpr int kMaxScans = 1000;

struct TJpegErrors {
  jpeg_error_mgr Pub;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX] = "";
};

// Shared by decoder and encoder: where progress and the callback's exception go.
struct TJpegProgress {
  jpeg_progress_mgr Pub;
  TProgressReporter* Reporter = nullptr;
  std::exception_ptr CallbackError;
  bool Decompressing = false;
};

[[noreturn]] void Fail(j_common_ptr info) {
  auto* errors = reinterpret_cast<TJpegErrors*>(info->err);
  (*info->err->format_message)(info, errors->Message);
  std::longjmp(errors->Jump, 1);
}

void OnErrorExit(j_common_ptr info) { Fail(info); }

// Warnings that only say the file is unusual; the others mean damaged data,
// which libjpeg would paper over with grey, and we refuse instead.
bool HarmlessWarning(int code) {
  return code == JWRN_EXTRANEOUS_DATA || code == JWRN_JFIF_MAJOR || code == JWRN_ADOBE_XFORM ||
         code == JWRN_BOGUS_ICC;
}

void OnEmitMessage(j_common_ptr info, int level) {
  if (level < 0 && !HarmlessWarning(info->err->msg_code)) Fail(info);
}

void OnOutputMessage(j_common_ptr) {}

void OnProgress(j_common_ptr info) {
  auto* p = reinterpret_cast<TJpegProgress*>(info->progress);
  auto* errors = reinterpret_cast<TJpegErrors*>(info->err);
  if (p->Decompressing && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans) {
    std::snprintf(errors->Message, sizeof errors->Message, "more than %d scans", kMaxScans);
    std::longjmp(errors->Jump, 1);
  }
  const jpeg_progress_mgr& m = p->Pub;
  if (m.total_passes <= 0 || m.pass_limit <= 0) return;
  const long long done = m.completed_passes * 100LL + m.pass_counter * 100LL / m.pass_limit;
  try {
    p->Reporter->Report(static_cast<int>(std::min<long long>(99, done / m.total_passes)));
  } catch (...) {
    p->CallbackError = std::current_exception();
  }
  if (p->CallbackError) {
    std::snprintf(errors->Message, sizeof errors->Message, "stopped by the progress callback");
    std::longjmp(errors->Jump, 1);
  }
}

void InstallHandlers(j_common_ptr info, TJpegErrors& errors, TJpegProgress& progress) {
  info->err = jpeg_std_error(&errors.Pub);
  errors.Pub.error_exit = OnErrorExit;
  errors.Pub.emit_message = OnEmitMessage;
  errors.Pub.output_message = OnOutputMessage;
  progress.Pub.progress_monitor = OnProgress;
}

// Everything a decode needs that must outlive a longjmp.
struct TJpegDecoder {
  jpeg_decompress_struct Info{};
  TJpegErrors Errors;
  TJpegProgress Progress;
  bool Created = false;
  const std::string* Name = nullptr;
  const TImageSizeCheck* SizeCheck = nullptr;
  size_t DataSize = 0;
  TPixelImage Image;
  std::vector<uint8_t> CmykRow;

  ~TJpegDecoder() {
    if (Created) jpeg_destroy_decompress(&Info);
  }
};

// Refuses a picture its data cannot describe before libjpeg allocates for it
// (a progressive file keeps every coefficient of the picture in memory).
void CheckImageSize(TJpegDecoder& d) {
  const jpeg_decompress_struct& info = d.Info;
  const auto dataBytes = static_cast<int64_t>(d.DataSize);
  CheckImageDimensions(kKind, *d.Name, info.image_width, info.image_height, dataBytes,
                       kMaxPixelsPerByte, *d.SizeCheck);
  int64_t blocks = 0;
  for (int c = 0; c < info.num_components; ++c)
    blocks += int64_t{info.comp_info[c].width_in_blocks} * info.comp_info[c].height_in_blocks;
  if (!info.arith_code && blocks > kMaxBlocksPerHuffmanByte * dataBytes)
    RaiseReadError(kKind, *d.Name,
                   "file too short for an image of " + std::to_string(info.image_width) + " x " +
                       std::to_string(info.image_height) + " pixels");
}

// Adobe's CMYK files store inverted ink values; plain CMYK is rare but exists.
void CmykToBgr(const uint8_t* cmyk, uint8_t* bgr, size_t width, bool inverted) {
  for (size_t x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
    unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
    if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    bgr[0] = static_cast<uint8_t>((y * k + 127) / 255);
    bgr[1] = static_cast<uint8_t>((m * k + 127) / 255);
    bgr[2] = static_cast<uint8_t>((c * k + 127) / 255);
  }
}

bool RunDecode(TJpegDecoder& d, const uint8_t* data, size_t size) {
  if (setjmp(d.Errors.Jump)) return false;
  jpeg_create_decompress(&d.Info); // clears every field but the error manager
  d.Created = true;
  d.Info.progress = &d.Progress.Pub;
  jpeg_mem_src(&d.Info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&d.Info, TRUE);
  const bool cmyk = d.Info.jpeg_color_space == JCS_CMYK || d.Info.jpeg_color_space == JCS_YCCK;
  d.Info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  CheckImageSize(d);
  jpeg_start_decompress(&d.Info);
  // Rows are stored as they arrive: a file that breaks off costs little.
  d.Image = MakeGrowingPixelImage(static_cast<int>(d.Info.output_width),
                                  static_cast<int>(d.Info.output_height), pf24bit);
  if (cmyk) d.CmykRow.resize(size_t{4} * d.Info.output_width);
  while (d.Info.output_scanline < d.Info.output_height) {
    const int y = static_cast<int>(d.Info.output_scanline);
    StoreRowsUpTo(d.Image, y);
    JSAMPROW row = cmyk ? d.CmykRow.data() : d.Image.Row(y);
    if (jpeg_read_scanlines(&d.Info, &row, 1) == 1 && cmyk)
      CmykToBgr(row, d.Image.Row(y), d.Info.output_width, d.Info.saw_Adobe_marker);
  }
  if (d.Image.Height > 0) StoreRowsUpTo(d.Image, d.Image.Height - 1);
  jpeg_finish_decompress(&d.Info);
  return true;
}

// Everything an encode needs that must outlive a longjmp.
struct TJpegEncoder {
  jpeg_compress_struct Info{};
  TJpegErrors Errors;
  TJpegProgress Progress;
  bool Created = false;
  unsigned char* Buffer = nullptr;
  unsigned long Size = 0;
  std::vector<uint8_t> Row;

  ~TJpegEncoder() {
    if (Created) jpeg_destroy_compress(&Info);
    std::free(Buffer);
  }
};

bool RunEncode(TJpegEncoder& e, const TPixelImage& image, int quality) {
  if (setjmp(e.Errors.Jump)) return false;
  jpeg_create_compress(&e.Info); // clears every field but the error manager
  e.Created = true;
  e.Info.progress = &e.Progress.Pub;
  jpeg_mem_dest(&e.Info, &e.Buffer, &e.Size);
  e.Info.image_width = static_cast<JDIMENSION>(image.Width);
  e.Info.image_height = static_cast<JDIMENSION>(image.Height);
  e.Info.input_components = image.Format == pf32bit ? 4 : 3;
  e.Info.in_color_space = image.Format == pf32bit ? JCS_EXT_BGRX : JCS_EXT_BGR;
  jpeg_set_defaults(&e.Info);
  jpeg_set_quality(&e.Info, quality, TRUE);
  jpeg_start_compress(&e.Info, TRUE);
  const bool direct = image.Format == pf24bit || image.Format == pf32bit;
  while (e.Info.next_scanline < e.Info.image_height) {
    const int y = static_cast<int>(e.Info.next_scanline);
    JSAMPROW row = e.Row.data();
    if (direct)
      row = const_cast<JSAMPROW>(image.Row(y));
    else
      RowToBgr24(image, y, row);
    jpeg_write_scanlines(&e.Info, &row, 1);
  }
  jpeg_finish_compress(&e.Info);
  return true;
}

void WriteJpegNamed(TStream& stream, const TPixelImage& image, int quality,
                    const TCodecProgress& progress, const std::string& name) {
  if (!IsConsistent(image)) RaiseWriteError(kKind, name, "inconsistent pixel image");
  if (image.Width == 0 || image.Height == 0) RaiseWriteError(kKind, name, "the image is empty");
  if (quality < 1 || quality > 100)
    RaiseWriteError(kKind, name, "quality " + std::to_string(quality) + " is not 1 to 100");
  TProgressReporter reporter(progress);
  reporter.Report(0);
  TJpegEncoder e;
  InstallHandlers(reinterpret_cast<j_common_ptr>(&e.Info), e.Errors, e.Progress);
  e.Progress.Reporter = &reporter;
  e.Row.resize(size_t{3} * static_cast<size_t>(image.Width));
  if (!RunEncode(e, image, quality)) {
    if (e.Progress.CallbackError) std::rethrow_exception(e.Progress.CallbackError);
    RaiseWriteError(kKind, name, e.Errors.Message);
  }
  stream.WriteBuffer(e.Buffer, static_cast<int64_t>(e.Size));
  reporter.Report(100);
}

} // namespace

TPixelImage DecodeJpeg(const uint8_t* Data, size_t Size, const std::string& nameForMessages,
                       const TCodecProgress& Progress, const TImageSizeCheck& SizeCheck) {
  TProgressReporter reporter(Progress);
  reporter.Report(0);
  TJpegDecoder d;
  InstallHandlers(reinterpret_cast<j_common_ptr>(&d.Info), d.Errors, d.Progress);
  d.Progress.Reporter = &reporter;
  d.Progress.Decompressing = true;
  d.Name = &nameForMessages;
  d.SizeCheck = &SizeCheck;
  d.DataSize = Size;
  if (Size == 0) RaiseReadError(kKind, nameForMessages, "the file is empty");
  if (!RunDecode(d, Data, Size)) {
    if (d.Progress.CallbackError) std::rethrow_exception(d.Progress.CallbackError);
    RaiseReadError(kKind, nameForMessages, d.Errors.Message);
  }
  reporter.Report(100);
  return std::move(d.Image);
}

TPixelImage ReadJpeg(TStream& Stream, const std::string& nameForMessages,
                     const TCodecProgress& Progress, const TImageSizeCheck& SizeCheck) {
  const std::vector<uint8_t> data =
      ReadRemaining(Stream, kKind, nameForMessages, kMaxEncodedImageBytes);
  return DecodeJpeg(data.data(), data.size(), nameForMessages, Progress, SizeCheck);
}

TPixelImage ReadJpegFile(const std::string& path, const TCodecProgress& Progress,
                         const TImageSizeCheck& SizeCheck) {
  TFileStream f(path, fmOpenRead);
  return ReadJpeg(f, path, Progress, SizeCheck);
}

void WriteJpeg(TStream& Stream, const TPixelImage& Image, int Quality,
               const TCodecProgress& Progress) {
  WriteJpegNamed(Stream, Image, Quality, Progress, "(stream)");
}

void WriteJpegFile(const std::string& path, const TPixelImage& Image, int Quality,
                   const TCodecProgress& Progress) {
  TFileStream f(path, fmCreate);
  WriteJpegNamed(f, Image, Quality, Progress, path);
}

} // namespace fw
