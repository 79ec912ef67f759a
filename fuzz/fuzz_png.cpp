// Feeds arbitrary bytes to the PNG reader: it must decode them or raise
// EInvalidGraphic, never crash, overflow or allocate without bound.
#include "kartavo/framework/errors.h"
#include "kartavo/framework/png_codec.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    fw::DecodePng(data, size, "fuzz.png");
  } catch (const fw::EInvalidGraphic&) {
  }
  return 0;
}
