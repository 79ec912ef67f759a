#include "kartavo/framework/image_file.h"

#include "kartavo/framework/bmp_codec.h"
#include "kartavo/framework/detail/codec_support.h"
#include "kartavo/framework/jpeg_codec.h"
#include "kartavo/framework/png_codec.h"

#include <algorithm>
#include <cstring>

namespace fw {

TImageFileFormat DetectImageFormat(const uint8_t* Data, size_t Size) {
  static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (Size >= 8 && std::memcmp(Data, kPng, 8) == 0) return iffPng;
  if (Size >= 3 && Data[0] == 0xFF && Data[1] == 0xD8 && Data[2] == 0xFF) return iffJpeg;
  if (Size >= 2 && Data[0] == 'B' && Data[1] == 'M') return iffBmp;
  return iffUnknown;
}

TPixelImage ReadImage(TStream& Stream, const std::string& nameForMessages,
                      const TCodecProgress& Progress, const TImageSizeCheck& SizeCheck) {
  const int64_t start = Stream.Position();
  uint8_t head[8] = {};
  const int64_t got = Stream.Read(head, sizeof head);
  Stream.SetPosition(start);
  switch (DetectImageFormat(head, static_cast<size_t>(std::max<int64_t>(got, 0)))) {
  case iffBmp:
    return ReadBmp(Stream, nameForMessages, Progress, SizeCheck);
  case iffJpeg:
    return ReadJpeg(Stream, nameForMessages, Progress, SizeCheck);
  case iffPng:
    return ReadPng(Stream, nameForMessages, Progress, SizeCheck);
  default:
    throw EInvalidGraphic("Unsupported image format \"" + nameForMessages + "\"");
  }
}

TPixelImage ReadImageFile(const std::string& path, const TCodecProgress& Progress,
                          const TImageSizeCheck& SizeCheck) {
  TFileStream f(path, fmOpenRead);
  return ReadImage(f, path, Progress, SizeCheck);
}

} // namespace fw
