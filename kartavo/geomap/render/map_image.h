// The map image of the control and the bitmaps rendering works with: the
// image at its own resolution with its file name and size, the off-screen
// image of the client area, and the whole image resampled at one
// magnification (the cache) with the settings it was made with.
#pragma once

#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/export.h"

#include <memory>
#include <string>

namespace kartavo {

class KARTAVO_API TMapImage {
public:
  // Magnifications below the cache limit draw from the cache; the limit
  // itself is at most this.
  static constexpr double MaxCacheMagLimit = 2.0 / 3.0;
  // The name of an image that came as a bitmap, not from a file.
  static constexpr const char* UnknownName = "$unknown$";

  TMapImage();
  // Copies keep their own bitmaps and copy the pictures into them, so that a
  // host holding Bitmap() keeps a valid bitmap.
  TMapImage(const TMapImage& other);
  TMapImage& operator=(const TMapImage& other);
  ~TMapImage();

  // The map image at its own resolution.
  fw::TBitmap& Bitmap() { return *FBitmap; }
  const fw::TBitmap& Bitmap() const { return *FBitmap; }
  // The off-screen image of the control's client area.
  fw::TBitmap& Aux() { return *FAux; }
  const fw::TBitmap& Aux() const { return *FAux; }
  // The whole map image resampled at CacheMag.
  fw::TBitmap& Cache() { return *FCache; }
  const fw::TBitmap& Cache() const { return *FCache; }

  // The image's file name; empty means there is no map.
  const std::string& Name() const { return F.Name; }
  void SetName(const std::string& value) { F.Name = value; }
  int Width() const { return F.Width; }
  int Height() const { return F.Height; }
  // A map from now on: the name, and the size of Bitmap(); the off-screen
  // image takes that size too.
  void TakeBitmap(const std::string& name);
  // No map: name empty, size 0. The bitmaps stay as they are.
  void Forget();

  // The magnification the cache was made at; 0 means the cache is invalid.
  double CacheMag() const { return F.CacheMag; }
  // The AntiAlias setting the cache was made with.
  bool CacheAA() const { return F.CacheAA; }
  void SetCacheMade(double Mag, bool AA) {
    F.CacheMag = Mag;
    F.CacheAA = AA;
  }
  void InvalidateCache() { F.CacheMag = 0; }
  double CacheMagLimit() const { return F.CacheMagLimit; }
  // Clamped to 0 .. MaxCacheMagLimit; NaN becomes 0.
  void SetCacheMagLimit(double value);

  // Resampling quality: smooth (true) or nearest pixel.
  bool AntiAlias() const { return F.AntiAlias; }
  void SetAntiAlias(bool value) { F.AntiAlias = value; }

  // Bitmaps compare by their pictures.
  friend KARTAVO_API bool operator==(const TMapImage& a, const TMapImage& b);

private:
  std::unique_ptr<fw::TBitmap> FBitmap;
  std::unique_ptr<fw::TBitmap> FAux;
  std::unique_ptr<fw::TBitmap> FCache;
  // Everything besides the bitmaps, so that copying and comparing cannot
  // miss a field.
  struct TFields {
    std::string Name;
    int Width = 0;
    int Height = 0;
    double CacheMag = 0;
    bool AntiAlias = true;
    bool CacheAA = true;
    double CacheMagLimit = MaxCacheMagLimit;
    friend bool operator==(const TFields&, const TFields&) = default;
  } F;
};

} // namespace kartavo
