// PNG files through libpng.
//
// Reading gives a pf24bit picture of any PNG: palette, grey and 16-bit
// channels are widened or scaled to 8 bits, and transparent pixels are
// composited on white, as the picture would appear on paper.
// Writing stores 8-bit RGB.
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

// Decodes a PNG file held in memory. Malformed, truncated or oversized data
// raises EInvalidGraphic naming nameForMessages; so does a picture larger
// than its compressed data can inflate to, before anything is allocated.
KARTAVO_API TPixelImage DecodePng(const uint8_t* Data, size_t Size,
                                  const std::string& nameForMessages,
                                  const TCodecProgress& Progress = {},
                                  const TImageSizeCheck& SizeCheck = {});
// Reads a PNG file from the stream's position to its end.
KARTAVO_API TPixelImage ReadPng(TStream& Stream, const std::string& nameForMessages,
                                const TCodecProgress& Progress = {},
                                const TImageSizeCheck& SizeCheck = {});
// Reads the PNG file at path; a file that cannot be opened raises EInOutError.
KARTAVO_API TPixelImage ReadPngFile(const std::string& path, const TCodecProgress& Progress = {},
                                    const TImageSizeCheck& SizeCheck = {});

KARTAVO_API void WritePng(TStream& Stream, const TPixelImage& Image,
                          const TCodecProgress& Progress = {});
KARTAVO_API void WritePngFile(const std::string& path, const TPixelImage& Image,
                              const TCodecProgress& Progress = {});

} // namespace fw
