// Feeds arbitrary bytes to the JPEG reader: it must decode them or raise
// EInvalidGraphic, never crash, overflow or allocate without bound.
#include "kartavo/framework/errors.h"
#include "kartavo/framework/jpeg_codec.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    fw::DecodeJpeg(data, size, "fuzz.jpg");
  } catch (const fw::EInvalidGraphic&) {
  }
  return 0;
}
