// Feeds arbitrary bytes to the JPEG reader: it must decode them or raise
// EInvalidGraphic (or pass on the callbacks' exceptions), never crash,
// overflow or allocate without bound. A decoded picture is written and read
// again and must keep its size.
#include "image_fuzz_options.h"
#include "kartavo/framework/errors.h"
#include "kartavo/framework/jpeg_codec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzzing::TImageFuzzOptions options(data, size, 0xD9); // end of image marker
  fw::TPixelImage image;
  try {
    if (options.ThroughStream) {
      fw::TMemoryStream s;
      s.Write(data, static_cast<int64_t>(size));
      s.SetPosition(0);
      image = fw::ReadJpeg(s, "fuzz.jpg", options.Progress, options.SizeCheck);
    } else {
      image = fw::DecodeJpeg(data, size, "fuzz.jpg", options.Progress, options.SizeCheck);
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
  fw::WriteJpeg(out, image, 1 + size % 100);
  out.SetPosition(0);
  const fw::TPixelImage again = fw::ReadJpeg(out, "again.jpg");
  if (again.Width != image.Width || again.Height != image.Height) std::abort();
  return 0;
}
