// A bitmap: a pixel image in one of the formats, with a canvas to draw on.
// New and grown areas are white. Changing the pixel format converts the
// pixels; palette formats take the default palette.
#pragma once

#include "kartavo/framework/canvas.h"
#include "kartavo/framework/export.h"
#include "kartavo/framework/object.h"
#include "kartavo/framework/pixel_image.h"

#include <string>

namespace fw {

class KARTAVO_API TBitmap : public TPersistent {
public:
  TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const { return FImage.Width; }
  int Height() const { return FImage.Height; }
  // Sizes keep the overlapping top-left part. Raises EInvalidGraphic for
  // negative sizes and images beyond kMaxImagePixels.
  void SetWidth(int value) { SetSize(value, FImage.Height); }
  void SetHeight(int value) { SetSize(FImage.Width, value); }
  void SetSize(int width, int height);
  bool Empty() const { return FImage.Width == 0 || FImage.Height == 0; }

  TPixelFormat PixelFormat() const { return FImage.Format; }
  void SetPixelFormat(TPixelFormat value);

  TCanvas* Canvas() { return &FCanvas; }
  const TCanvas* Canvas() const { return &FCanvas; }

  // Reads and writes BMP files; errors raise EInvalidGraphic or EInOutError.
  void LoadFromFile(const std::string& path);
  void SaveToFile(const std::string& path) const;

  const TPixelImage& PixelImage() const { return FImage; }
  // Takes over the image (size, format, palette and pixels); raises
  // EInvalidGraphic when its sizes or storage do not agree.
  void LoadFromPixelImage(TPixelImage image);
  // Start of row y's stored values, rows top-down.
  uint8_t* ScanLine(int y);

  void Assign(const TPersistent* Source) override;

protected:
  void AssignTo(TPersistent* Dest) const override;

private:
  TPixelImage FImage;
  TCanvas FCanvas;
};

} // namespace fw
