#include "kartavo/geomap/render/image_layer.h"

#include "kartavo/framework/bitmap.h"
#include "kartavo/geomap/pixel_round.h"

#include <cmath>

namespace kartavo {
namespace {

fw::TStretchBltMode ModeFor(bool antiAlias) { return antiAlias ? fw::HALFTONE : fw::COLORONCOLOR; }

void RebuildCache(const fw::TBitmap& map, TImageCacheRefs cache, double m, bool antiAlias) {
  const int w = RoundPixel(map.Width() * m), h = RoundPixel(map.Height() * m);
  cache.Bitmap.SetSize(w, h);
  fw::TCanvas& c = *cache.Bitmap.Canvas();
  c.SetStretchBltMode(ModeFor(antiAlias));
  c.SetCopyMode(fw::cmSrcCopy);
  c.CopyRect(fw::Rect(0, 0, w, h), map.Canvas(), fw::Rect(0, 0, map.Width(), map.Height()));
  cache.Mag = m;
  cache.AntiAlias = antiAlias;
}

} // namespace

TImageLayerPath DrawMapImage(fw::TBitmap& Target, const fw::TBitmap& Map, TImageCacheRefs Cache,
                             double CacheMagLimit, bool AntiAlias, const TRenderView& View) {
  const double m = View.Magnify;
  if (!(m > 0) || !std::isfinite(m)) return ilpNothing;
  bool rebuilt = false;
  if ((Cache.Mag != m || Cache.AntiAlias != AntiAlias) && m < CacheMagLimit) {
    RebuildCache(Map, Cache, m, AntiAlias);
    rebuilt = true;
  }
  fw::TCanvas& c = *Target.Canvas();
  c.SetCopyMode(fw::cmSrcCopy);
  const fw::TRect dest = fw::Rect(0, 0, View.Width, View.Height);
  const quillon::TPoint tl = View.TopLeft;
  if (Cache.Mag != m) {
    c.SetStretchBltMode(ModeFor(AntiAlias));
    c.CopyRect(dest, Map.Canvas(),
               fw::Rect(tl.X, tl.Y, RoundPixel(View.Width / m + tl.X),
                        RoundPixel(View.Height / m + tl.Y)));
    return ilpDirectStretch;
  }
  c.SetStretchBltMode(fw::COLORONCOLOR);
  const int x = RoundPixel(tl.X * m), y = RoundPixel(tl.Y * m);
  c.CopyRect(
      dest, Cache.Bitmap.Canvas(),
      fw::Rect(x, y, RoundPixel(double(x) + View.Width), RoundPixel(double(y) + View.Height)));
  return rebuilt ? ilpCacheRebuiltAndCopy : ilpCacheCopy;
}

} // namespace kartavo
