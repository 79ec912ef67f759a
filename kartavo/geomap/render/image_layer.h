// The map image layer: the visible part of the map image at the view's
// magnification. Below the cache limit the whole image is resampled once
// into a cache for that magnification and smoothing, and each rendering
// copies the visible part from it unscaled; at and above the limit the
// visible part is stretched from the map image at every rendering.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/geomap/render/map_image.h"
#include "kartavo/geomap/render/render_view.h"

namespace fw {
class TCanvas;
struct TRect;
} // namespace fw

namespace kartavo {

// Which way a rendering took.
enum TImageLayerPath : uint8_t {
  ilpCacheCopy,           // unscaled copy from a cache that was valid
  ilpCacheRebuiltAndCopy, // the cache was resampled first
  ilpDirectStretch,       // stretched from the map image
  ilpNothing              // a view without a usable magnification
};

// How often each way was taken: lets tests and hosts see when the image
// was resampled.
struct KARTAVO_API TImageLayerCounts {
  int CacheRebuilds = 0;
  int CacheCopies = 0; // rebuilt or not
  int DirectStretches = 0;
  void Count(TImageLayerPath path) {
    if (path == ilpCacheRebuiltAndCopy) ++CacheRebuilds;
    if (path == ilpCacheCopy || path == ilpCacheRebuiltAndCopy) ++CacheCopies;
    if (path == ilpDirectStretch) ++DirectStretches;
  }
};

// Draws the map image's visible part onto its off-screen image, the
// rectangle (0, 0, View.Width, View.Height), rebuilding the cache when the
// view's magnification is below the cache limit and the cache was made for
// another magnification or smoothing. Smoothing (AntiAlias) averages the
// source pixels each target pixel covers; without it each target pixel
// takes the source pixel under its centre. Target pixels beyond the map
// image keep what they hold. Written, when given, receives the rectangle of
// pixels the image was drawn on (empty when none).
KARTAVO_API TImageLayerPath DrawMapImage(TMapImage& Image, const TRenderView& View,
                                         fw::TRect* Written = nullptr);

// The same picture drawn onto Target's rectangle (0, 0, View.Width,
// View.Height), leaving Image, its cache and its off-screen image as they
// are: a cache valid for the view is read; where the control would rebuild
// the cache first, a cache of its own is resampled the same way and thrown
// away, so the copy has the very pixels the control would show when Target
// has the control's colour depth (the cache is made in Target's depth).
KARTAVO_API TImageLayerPath DrawMapImageCopy(fw::TCanvas& Target, const TMapImage& Image,
                                             const TRenderView& View, fw::TRect* Written = nullptr);

} // namespace kartavo
