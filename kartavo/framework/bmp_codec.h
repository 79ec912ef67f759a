// Windows and OS/2 device-independent bitmap files (.bmp).
//
// Reading takes 1, 4, 8, 16, 24 and 32 bits per pixel, uncompressed, RLE4,
// RLE8 and bit-field files, bottom-up and top-down, with the core (12-byte),
// info (40-byte) and the larger V2 to V5 headers. The decoded picture is
//   pf4bit  for 1- and 4-bit files (the 16-colour palette holds the file's colours),
//   pf15bit for 16-bit files of 5 bits per channel,
//   pf32bit for 32-bit files (the fourth byte is 0),
//   pf24bit for everything else (8-bit palette files are expanded).
// Writing stores pf4bit images as 4-bit files with their palette and every
// other format as 24-bit files.
#pragma once

#include "kartavo/framework/codec_progress.h"
#include "kartavo/framework/export.h"
#include "kartavo/framework/image_size_check.h"
#include "kartavo/framework/pixel_image.h"
#include "kartavo/framework/stream.h"

#include <string>

namespace fw {

// Reads a bitmap file that starts at the stream's position. Malformed,
// truncated or oversized files raise EInvalidGraphic naming nameForMessages;
// so does a run-length file claiming more than 128 pixels a byte of its codes.
KARTAVO_API TPixelImage ReadBmp(TStream& Stream, const std::string& nameForMessages,
                                const TCodecProgress& Progress = {},
                                const TImageSizeCheck& SizeCheck = {});
// Reads the bitmap file at path; a file that cannot be opened raises EInOutError.
KARTAVO_API TPixelImage ReadBmpFile(const std::string& path, const TCodecProgress& Progress = {},
                                    const TImageSizeCheck& SizeCheck = {});

// Writes the image as a bitmap file at the stream's position.
KARTAVO_API void WriteBmp(TStream& Stream, const TPixelImage& Image,
                          const TCodecProgress& Progress = {});
KARTAVO_API void WriteBmpFile(const std::string& path, const TPixelImage& Image,
                              const TCodecProgress& Progress = {});

} // namespace fw
