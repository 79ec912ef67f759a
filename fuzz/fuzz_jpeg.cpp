// Feeds arbitrary bytes to the JPEG reader: it must decode them or raise
// EInvalidGraphic (or pass on the callbacks' exceptions), never crash,
// overflow or allocate without bound. A decoded picture is written and read
// again and must keep its size.
#include "image_fuzz_options.h"
#include "kartavo/framework/jpeg_codec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzzing::TImageFuzzOptions options(data, size, 0xD9); // end of image marker
  const auto image =
      fuzzing::ReadImage(options, data, size, "fuzz.jpg", fw::ReadJpeg, fw::DecodeJpeg);
  if (!image || image->Width == 0 || image->Height == 0 || !fuzzing::WorthRewriting(*image))
    return 0;
  fw::TMemoryStream out;
  fw::WriteJpeg(out, *image, 1 + size % 100);
  out.SetPosition(0);
  const fw::TPixelImage again = fw::ReadJpeg(out, "again.jpg");
  if (again.Width != image->Width || again.Height != image->Height) std::abort();
  return 0;
}
