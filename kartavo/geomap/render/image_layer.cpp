#include "kartavo/geomap/render/image_layer.h"

#include "kartavo/framework/bitmap.h"
#include "kartavo/geomap/detail/pixel_round.h"

#include <cmath>

namespace kartavo {
namespace {

fw::TStretchBltMode ModeFor(bool antiAlias) { return antiAlias ? fw::HALFTONE : fw::COLORONCOLOR; }

void RebuildCache(TMapImage& image, double m) {
  const fw::TBitmap& map = image.Bitmap();
  const int w = RoundPixel(map.Width() * m), h = RoundPixel(map.Height() * m);
  image.Cache().SetSize(w, h);
  fw::TCanvas& c = *image.Cache().Canvas();
  c.SetStretchBltMode(ModeFor(image.AntiAlias()));
  c.SetCopyMode(fw::cmSrcCopy);
  c.CopyRect(fw::Rect(0, 0, w, h), map.Canvas(), fw::Rect(0, 0, map.Width(), map.Height()));
  image.SetCacheMade(m, image.AntiAlias());
}

} // namespace

TImageLayerPath DrawMapImage(TMapImage& Image, const TRenderView& View) {
  const double m = View.Magnify;
  if (!(m > 0) || !std::isfinite(m)) return ilpNothing;
  bool rebuilt = false;
  if ((Image.CacheMag() != m || Image.CacheAA() != Image.AntiAlias()) &&
      m < Image.CacheMagLimit()) {
    RebuildCache(Image, m);
    rebuilt = true;
  }
  fw::TCanvas& c = *Image.Aux().Canvas();
  c.SetCopyMode(fw::cmSrcCopy);
  const fw::TRect dest = fw::Rect(0, 0, View.Width, View.Height);
  const quillon::TPoint tl = View.TopLeft;
  if (Image.CacheMag() != m) {
    c.SetStretchBltMode(ModeFor(Image.AntiAlias()));
    c.CopyRect(dest, Image.Bitmap().Canvas(),
               fw::Rect(tl.X, tl.Y, RoundPixel(View.Width / m + tl.X),
                        RoundPixel(View.Height / m + tl.Y)));
    return ilpDirectStretch;
  }
  c.SetStretchBltMode(fw::COLORONCOLOR);
  const int x = RoundPixel(tl.X * m), y = RoundPixel(tl.Y * m);
  c.CopyRect(
      dest, Image.Cache().Canvas(),
      fw::Rect(x, y, RoundPixel(double(x) + View.Width), RoundPixel(double(y) + View.Height)));
  return rebuilt ? ilpCacheRebuiltAndCopy : ilpCacheCopy;
}

} // namespace kartavo
