// Feeds arbitrary bytes to the PNG reader: it must decode them or raise
// EInvalidGraphic (or pass on the callbacks' exceptions), never crash,
// overflow or allocate without bound. A decoded picture is written and read
// again and must come back pixel for pixel.
#include "image_fuzz_options.h"
#include "kartavo/framework/png_codec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzzing::TImageFuzzOptions options(data, size, 0x82); // the end chunk's checksum
  const auto image =
      fuzzing::ReadImage(options, data, size, "fuzz.png", fw::ReadPng, fw::DecodePng);
  if (!image || image->Width == 0 || image->Height == 0 || !fuzzing::WorthRewriting(*image))
    return 0;
  fw::TMemoryStream out;
  fw::WritePng(out, *image);
  out.SetPosition(0);
  const fw::TPixelImage again = fw::ReadPng(out, "again.png");
  if (again.Width != image->Width || again.Height != image->Height || again.Bits != image->Bits)
    std::abort();
  return 0;
}
