#include "kartavo/geomap/render/image_layer.h"

#include "kartavo/framework/bitmap.h"
#include "kartavo/geomap/detail/pixel_round.h"

#include <cmath>

namespace kartavo {
namespace {

fw::TStretchBltMode ModeFor(bool antiAlias) { return antiAlias ? fw::HALFTONE : fw::COLORONCOLOR; }

// The whole map image resampled at magnification m into cache.
void RebuildCache(fw::TBitmap& cache, const TMapImage& image, double m) {
  const fw::TBitmap& map = image.Bitmap();
  const int w = RoundPixel(map.Width() * m), h = RoundPixel(map.Height() * m);
  cache.SetSize(w, h);
  fw::TCanvas& c = *cache.Canvas();
  c.SetStretchBltMode(ModeFor(image.AntiAlias()));
  c.SetCopyMode(fw::cmSrcCopy);
  c.CopyRect(fw::Rect(0, 0, w, h), map.Canvas(), fw::Rect(0, 0, map.Width(), map.Height()));
}

void StretchVisiblePart(fw::TCanvas& c, const TMapImage& image, const TRenderView& view) {
  const double m = view.Magnify;
  const quillon::TPoint tl = view.TopLeft;
  c.SetCopyMode(fw::cmSrcCopy);
  c.SetStretchBltMode(ModeFor(image.AntiAlias()));
  c.CopyRect(
      fw::Rect(0, 0, view.Width, view.Height), image.Bitmap().Canvas(),
      fw::Rect(tl.X, tl.Y, RoundPixel(view.Width / m + tl.X), RoundPixel(view.Height / m + tl.Y)));
}

void CopyFromCache(fw::TCanvas& c, const fw::TBitmap& cache, const TRenderView& view) {
  const double m = view.Magnify;
  c.SetCopyMode(fw::cmSrcCopy);
  c.SetStretchBltMode(fw::COLORONCOLOR);
  const int x = RoundPixel(view.TopLeft.X * m), y = RoundPixel(view.TopLeft.Y * m);
  c.CopyRect(
      fw::Rect(0, 0, view.Width, view.Height), cache.Canvas(),
      fw::Rect(x, y, RoundPixel(double(x) + view.Width), RoundPixel(double(y) + view.Height)));
}

bool UsableMagnification(double m) { return m > 0 && std::isfinite(m); }

} // namespace

TImageLayerPath DrawMapImage(TMapImage& Image, const TRenderView& View) {
  const double m = View.Magnify;
  if (!UsableMagnification(m)) return ilpNothing;
  bool rebuilt = false;
  if ((Image.CacheMag() != m || Image.CacheAA() != Image.AntiAlias()) &&
      m < Image.CacheMagLimit()) {
    RebuildCache(Image.Cache(), Image, m);
    Image.SetCacheMade(m, Image.AntiAlias());
    rebuilt = true;
  }
  fw::TCanvas& c = *Image.Aux().Canvas();
  if (Image.CacheMag() != m) {
    StretchVisiblePart(c, Image, View);
    return ilpDirectStretch;
  }
  CopyFromCache(c, Image.Cache(), View);
  return rebuilt ? ilpCacheRebuiltAndCopy : ilpCacheCopy;
}

TImageLayerPath DrawMapImageCopy(fw::TCanvas& Target, const TMapImage& Image,
                                 const TRenderView& View) {
  const double m = View.Magnify;
  if (!UsableMagnification(m)) return ilpNothing;
  // A cache of another colour depth than the target would show the
  // target's picture in the cache's colours.
  const fw::TPixelFormat format = Target.Surface() ? Target.Surface()->Format : fw::pf24bit;
  if (Image.CacheMag() == m && Image.CacheAA() == Image.AntiAlias() &&
      Image.Cache().PixelFormat() == format) {
    CopyFromCache(Target, Image.Cache(), View);
    return ilpCacheCopy;
  }
  if (m < Image.CacheMagLimit()) {
    fw::TBitmap cache;
    cache.SetPixelFormat(format);
    RebuildCache(cache, Image, m);
    CopyFromCache(Target, cache, View);
    return ilpCacheRebuiltAndCopy;
  }
  StretchVisiblePart(Target, Image, View);
  return ilpDirectStretch;
}

} // namespace kartavo
