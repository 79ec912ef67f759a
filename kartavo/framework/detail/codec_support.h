// Helpers shared by the image codecs: error messages, size limits and
// conversion of a pixel row of any format to blue-green-red bytes.
#pragma once

#include "kartavo/framework/errors.h"
#include "kartavo/framework/image_size_check.h"
#include "kartavo/framework/pixel_image.h"
#include "kartavo/framework/stream.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fw {

// "Cannot read <kind> image "<name>": <reason>"
[[noreturn]] void RaiseReadError(const char* kind, const std::string& name,
                                 const std::string& reason);
// "Cannot write <kind> image "<name>": <reason>"
[[noreturn]] void RaiseWriteError(const char* kind, const std::string& name,
                                  const std::string& reason);

// A picture without pixels (one side 0) costs no storage, but whoever walks
// its rows or columns still pays for each: its other side is kept to what a
// 16-bit side can hold, by the readers and by the BMP writer alike.
constexpr int64_t kMaxEmptyImageSide = 65535;

// Refuses dimensions that are negative, beyond kMaxImagePixels, refused by
// the caller's sizeCheck, or more than maxPixelsPerByte times the encoded
// data can describe. Call before allocating. A picture with a zero side
// needs no data; its other side must be within kMaxEmptyImageSide.
void CheckImageDimensions(const char* kind, const std::string& name, int64_t width, int64_t height,
                          int64_t dataBytes, int64_t maxPixelsPerByte,
                          const TImageSizeCheck& sizeCheck);

// An image of the given size and format with zeroed pixels; palette formats
// get a palette of the format's size, filled with black.
TPixelImage MakePixelImage(int width, int height, TPixelFormat format);

// The same image with no pixel storage yet: a decoder calls StoreRowsUpTo
// as its rows arrive, so that a file that breaks off early never costs the
// memory of the picture it claims.
TPixelImage MakeGrowingPixelImage(int width, int height, TPixelFormat format);
// Makes rows 0..y of a growing image exist (zeroed). Storage grows by
// doubling, to exactly the whole picture at the last row.
void StoreRowsUpTo(TPixelImage& image, int y);

// True when the image's pixel storage and palette match its size and format.
bool IsConsistent(const TPixelImage& image);

// Writes row y of image as Width blue-green-red triples into out.
void RowToBgr24(const TPixelImage& image, int y, uint8_t* out);

// Reads the rest of the stream from its position into memory; refuses
// streams larger than maxBytes.
std::vector<uint8_t> ReadRemaining(TStream& stream, const char* kind, const std::string& name,
                                   int64_t maxBytes);

// The largest encoded image file the codecs take into memory.
constexpr int64_t kMaxEncodedImageBytes = int64_t{1} << 31;

} // namespace fw
