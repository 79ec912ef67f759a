#include "kartavo/geomap/render/image_layer.h"

#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/stretch_blit.h"
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

// Copies source's rectangle onto c's and tells which of c's pixels it wrote.
fw::TRect CopyAndCover(fw::TCanvas& c, const fw::TRect& dest, const fw::TBitmap& source,
                       const fw::TRect& sourceRect) {
  c.SetCopyMode(fw::cmSrcCopy);
  c.CopyRect(dest, source.Canvas(), sourceRect);
  if (!c.Surface()) return {};
  return fw::StretchCoverage(*c.Surface(), source.PixelImage(), {dest, sourceRect, c.ClipRect()});
}

fw::TRect StretchVisiblePart(fw::TCanvas& c, const TMapImage& image, const TRenderView& view) {
  const double m = view.Magnify;
  const quillon::TPoint tl = view.TopLeft;
  c.SetStretchBltMode(ModeFor(image.AntiAlias()));
  return CopyAndCover(
      c, fw::Rect(0, 0, view.Width, view.Height), image.Bitmap(),
      fw::Rect(tl.X, tl.Y, RoundPixel(view.Width / m + tl.X), RoundPixel(view.Height / m + tl.Y)));
}

fw::TRect CopyFromCache(fw::TCanvas& c, const fw::TBitmap& cache, const TRenderView& view) {
  const double m = view.Magnify;
  c.SetStretchBltMode(fw::COLORONCOLOR);
  const int x = RoundPixel(view.TopLeft.X * m), y = RoundPixel(view.TopLeft.Y * m);
  return CopyAndCover(
      c, fw::Rect(0, 0, view.Width, view.Height), cache,
      fw::Rect(x, y, RoundPixel(double(x) + view.Width), RoundPixel(double(y) + view.Height)));
}

bool UsableMagnification(double m) { return m > 0 && std::isfinite(m); }

} // namespace

TImageLayerPath DrawMapImage(TMapImage& Image, const TRenderView& View, fw::TRect* Written) {
  fw::TRect dummy;
  fw::TRect& written = Written ? *Written : dummy;
  written = {};
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
    written = StretchVisiblePart(c, Image, View);
    return ilpDirectStretch;
  }
  written = CopyFromCache(c, Image.Cache(), View);
  return rebuilt ? ilpCacheRebuiltAndCopy : ilpCacheCopy;
}

TImageLayerPath DrawMapImageCopy(fw::TCanvas& Target, const TMapImage& Image,
                                 const TRenderView& View, fw::TRect* Written) {
  fw::TRect dummy;
  fw::TRect& written = Written ? *Written : dummy;
  written = {};
  const double m = View.Magnify;
  if (!UsableMagnification(m)) return ilpNothing;
  // A cache of another colour depth than the target would show the
  // target's picture in the cache's colours.
  const fw::TPixelFormat format = Target.Surface() ? Target.Surface()->Format : fw::pf24bit;
  if (Image.CacheMag() == m && Image.CacheAA() == Image.AntiAlias() &&
      Image.Cache().PixelFormat() == format) {
    written = CopyFromCache(Target, Image.Cache(), View);
    return ilpCacheCopy;
  }
  if (m < Image.CacheMagLimit()) {
    fw::TBitmap cache;
    cache.SetPixelFormat(format);
    RebuildCache(cache, Image, m);
    written = CopyFromCache(Target, cache, View);
    return ilpCacheRebuiltAndCopy;
  }
  written = StretchVisiblePart(Target, Image, View);
  return ilpDirectStretch;
}

} // namespace kartavo
