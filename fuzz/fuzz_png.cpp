// Feeds arbitrary bytes to the PNG reader: it must decode them or raise
// EInvalidGraphic (or pass on the callbacks' exceptions), never crash,
// overflow or allocate without bound. A decoded picture is written and read
// again and must come back pixel for pixel.
#include "image_fuzz_options.h"
#include "kartavo/framework/errors.h"
#include "kartavo/framework/png_codec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzzing::TImageFuzzOptions options(data, size, 0x82); // the end chunk's checksum
  fw::TPixelImage image;
  try {
    if (options.ThroughStream) {
      fw::TMemoryStream s;
      s.Write(data, static_cast<int64_t>(size));
      s.SetPosition(0);
      image = fw::ReadPng(s, "fuzz.png", options.Progress, options.SizeCheck);
    } else {
      image = fw::DecodePng(data, size, "fuzz.png", options.Progress, options.SizeCheck);
    }
  } catch (const fw::EInvalidGraphic&) {
    return 0;
  } catch (const fuzzing::TStoppedByCallback&) {
    return 0;
  } catch (const std::length_error&) {
    return 0;
  }
  if (image.Width == 0 || image.Height == 0 || int64_t{image.Width} * image.Height > 65536)
    return 0;
  fw::TMemoryStream out;
  fw::WritePng(out, image);
  out.SetPosition(0);
  const fw::TPixelImage again = fw::ReadPng(out, "again.png");
  if (again.Width != image.Width || again.Height != image.Height || again.Bits != image.Bits)
    std::abort();
  return 0;
}
