// JPEG files through libjpeg-turbo.
//
// Reading gives a pf24bit picture whatever the file holds: grey, colour, or
// CMYK (inverted Adobe CMYK included). Writing takes a picture of any format.
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

// The quality libjpeg chooses when it is told nothing else.
constexpr int kDefaultJpegQuality = 75;

// Decodes a JPEG file held in memory. Malformed, truncated or oversized data
// raises EInvalidGraphic naming nameForMessages; so does a Huffman-coded
// picture with more 8 x 8 blocks than eight a byte of the file (each block
// costs at least a bit), before anything is allocated for it.
KARTAVO_API TPixelImage DecodeJpeg(const uint8_t* Data, size_t Size,
                                   const std::string& nameForMessages,
                                   const TCodecProgress& Progress = {},
                                   const TImageSizeCheck& SizeCheck = {});
// Reads a JPEG file from the stream's position to its end.
KARTAVO_API TPixelImage ReadJpeg(TStream& Stream, const std::string& nameForMessages,
                                 const TCodecProgress& Progress = {},
                                 const TImageSizeCheck& SizeCheck = {});
// Reads the JPEG file at path; a file that cannot be opened raises EInOutError.
KARTAVO_API TPixelImage ReadJpegFile(const std::string& path, const TCodecProgress& Progress = {},
                                     const TImageSizeCheck& SizeCheck = {});

// Writes the picture as a baseline JFIF file of the given quality (1 to 100).
KARTAVO_API void WriteJpeg(TStream& Stream, const TPixelImage& Image,
                           int Quality = kDefaultJpegQuality, const TCodecProgress& Progress = {});
KARTAVO_API void WriteJpegFile(const std::string& path, const TPixelImage& Image,
                               int Quality = kDefaultJpegQuality,
                               const TCodecProgress& Progress = {});

} // namespace fw
