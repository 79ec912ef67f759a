// Feeds arbitrary bytes to the BMP reader: it must decode them or raise
// EInvalidGraphic, never crash, overflow or allocate without bound.
#include "kartavo/framework/bmp_codec.h"
#include "kartavo/framework/errors.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    fw::TMemoryStream s;
    if (size > 0) s.WriteBuffer(data, static_cast<int64_t>(size));
    s.SetPosition(0);
    fw::ReadBmp(s, "fuzz.bmp");
  } catch (const fw::EInvalidGraphic&) {
  }
  return 0;
}
