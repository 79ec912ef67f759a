// Feeds arbitrary bytes to the BMP reader: it must decode them or raise
// EInvalidGraphic (or pass on the callbacks' exceptions), never crash,
// overflow or allocate without bound. A decoded picture is written and read
// again and must keep its size and colours.
#include "image_fuzz_options.h"
#include "kartavo/framework/bmp_codec.h"
#include "kartavo/framework/detail/codec_support.h"

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
  const auto image = fuzzing::ReadImage(options, data, size, "fuzz.bmp", fw::ReadBmp);
  if (!image || !fuzzing::WorthRewriting(*image)) return 0;
  fw::TMemoryStream out;
  fw::WriteBmp(out, *image);
  out.SetPosition(0);
  const fw::TPixelImage again = fw::ReadBmp(out, "again.bmp");
  if (again.Width != image->Width || again.Height != image->Height || Bgr(again) != Bgr(*image))
    std::abort();
  return 0;
}
