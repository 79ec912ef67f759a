#include "kartavo/geomap/render/map_image.h"

namespace kartavo {
namespace {

std::unique_ptr<fw::TBitmap> NewBitmap(fw::TPixelFormat format) {
  auto bmp = std::make_unique<fw::TBitmap>();
  bmp->SetPixelFormat(format);
  return bmp;
}

} // namespace

TMapImage::TMapImage()
    : FBitmap(std::make_unique<fw::TBitmap>()), FAux(NewBitmap(fw::pf15bit)),
      FCache(NewBitmap(fw::pf15bit)) {}

TMapImage::TMapImage(const TMapImage& other) : TMapImage() { *this = other; }

TMapImage& TMapImage::operator=(const TMapImage& other) {
  if (this == &other) return *this;
  FBitmap->Assign(other.FBitmap.get());
  FAux->Assign(other.FAux.get());
  FCache->Assign(other.FCache.get());
  F = other.F;
  return *this;
}

TMapImage::~TMapImage() = default;

void TMapImage::TakeBitmap(const std::string& name) {
  F.Name = name;
  F.Width = FBitmap->Width();
  F.Height = FBitmap->Height();
  FAux->SetSize(F.Width, F.Height);
}

void TMapImage::Forget() {
  F.Name.clear();
  F.Width = F.Height = 0;
}

void TMapImage::SetCacheMagLimit(double value) {
  F.CacheMagLimit = value > MaxCacheMagLimit ? MaxCacheMagLimit : (value >= 0 ? value : 0.0);
}

bool operator==(const TMapImage& a, const TMapImage& b) {
  return a.FBitmap->PixelImage() == b.FBitmap->PixelImage() &&
         a.FAux->PixelImage() == b.FAux->PixelImage() &&
         a.FCache->PixelImage() == b.FCache->PixelImage() && a.F == b.F;
}

} // namespace kartavo
