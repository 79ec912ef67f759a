#include "kartavo/framework/bitmap.h"

#include "kartavo/framework/bmp_codec.h"
#include "kartavo/framework/detail/codec_support.h"
#include "kartavo/framework/detail/pixel_convert.h"
#include "kartavo/framework/errors.h"

#include <string>

namespace fw {

TBitmap::TBitmap() : FImage(BlankPixelImage(0, 0, pf24bit)), FCanvas(&FImage) {}

void TBitmap::SetSize(int width, int height) {
  if (width == FImage.Width && height == FImage.Height) return;
  FImage = ResizePixelImage(FImage, width, height);
}

void TBitmap::SetPixelFormat(TPixelFormat value) { FImage = ConvertPixelImage(FImage, value); }

void TBitmap::LoadFromFile(const std::string& path) { LoadFromPixelImage(ReadBmpFile(path)); }

void TBitmap::SaveToFile(const std::string& path) const { WriteBmpFile(path, FImage); }

void TBitmap::LoadFromPixelImage(TPixelImage image) {
  if (!IsConsistent(image) || int64_t{image.Width} * image.Height > kMaxImagePixels)
    throw EInvalidGraphic("Pixel image " + std::to_string(image.Width) + " x " +
                          std::to_string(image.Height) + " does not match its storage");
  FImage = std::move(image);
}

uint8_t* TBitmap::ScanLine(int y) {
  if (y < 0 || y >= FImage.Height) throw EInvalidGraphic("Scan line index out of range");
  return FImage.Row(y);
}

void TBitmap::Assign(const TPersistent* Source) {
  if (auto* other = dynamic_cast<const TBitmap*>(Source)) {
    if (other != this) FImage = other->FImage;
    return;
  }
  TPersistent::Assign(Source);
}

void TBitmap::AssignTo(TPersistent* Dest) const {
  if (auto* other = dynamic_cast<TBitmap*>(Dest)) return other->Assign(this);
  TPersistent::AssignTo(Dest);
}

} // namespace fw
