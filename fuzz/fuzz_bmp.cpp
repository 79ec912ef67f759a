// Feeds arbitrary bytes to the BMP reader: it must decode them or raise
// EInvalidGraphic (or pass on the callbacks' exceptions), never crash,
// overflow or allocate without bound. A decoded picture is written and read
// again and must keep its size and colours.
#include "image_fuzz_options.h"
#include "kartavo/framework/bmp_codec.h"
#include "kartavo/framework/detail/codec_support.h"
#include "kartavo/framework/errors.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

std::vector<uint8_t> Bgr(const fw::TPixelImage& image) {
  std::vector<uint8_t> out(size_t{3} * image.Width * image.Height);
  for (int y = 0; y < image.Height; ++y)
    fw::RowToBgr24(image, y, out.data() + size_t{3} * image.Width * y);
  return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fuzzing::TImageFuzzOptions options(data, size, 0);
  fw::TPixelImage image;
  try {
    fw::TMemoryStream s;
    if (size > 0) s.WriteBuffer(data, static_cast<int64_t>(size));
    s.SetPosition(0);
    image = fw::ReadBmp(s, "fuzz.bmp", options.Progress, options.SizeCheck);
  } catch (const fw::EInvalidGraphic&) {
    return 0;
  } catch (const fuzzing::TStoppedByCallback&) {
    return 0;
  } catch (const std::length_error&) {
    return 0;
  }
  if (int64_t{image.Width} * image.Height > 65536) return 0;
  fw::TMemoryStream out;
  fw::WriteBmp(out, image);
  out.SetPosition(0);
  const fw::TPixelImage again = fw::ReadBmp(out, "again.bmp");
  if (again.Width != image.Width || again.Height != image.Height || Bgr(again) != Bgr(image))
    std::abort();
  return 0;
}
