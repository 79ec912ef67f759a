// Image files of any supported kind, recognised by their first bytes rather
// than by their name.
#pragma once

#include "kartavo/framework/codec_progress.h"
#include "kartavo/framework/export.h"
#include "kartavo/framework/image_size_check.h"
#include "kartavo/framework/pixel_image.h"
#include "kartavo/framework/stream.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace fw {

enum TImageFileFormat : uint8_t { iffUnknown, iffBmp, iffJpeg, iffPng };

// The format whose signature starts the data (iffUnknown when none does).
KARTAVO_API TImageFileFormat DetectImageFormat(const uint8_t* Data, size_t Size);

// Reads a BMP, JPEG or PNG file from the stream's position; any other data
// raises EInvalidGraphic "Unsupported image format" naming the file.
KARTAVO_API TPixelImage ReadImage(TStream& Stream, const std::string& nameForMessages,
                                  const TCodecProgress& Progress = {},
                                  const TImageSizeCheck& SizeCheck = {});
KARTAVO_API TPixelImage ReadImageFile(const std::string& path, const TCodecProgress& Progress = {},
                                      const TImageSizeCheck& SizeCheck = {});

} // namespace fw
