#include "kartavo/geoatlas/detail/atlas_resources.h"

#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/screen.h"
#include "kartavo/geoatlas/geoatlas_control.h"

namespace kartavo {
namespace {

fw::TCursorPixel ScreenPixelOf(TCursorPixel p) {
  switch (p) {
  case cpBlack:
    return fw::cpBlack;
  case cpWhite:
    return fw::cpWhite;
  case cpInvert:
    return fw::cpInvert;
  default:
    return fw::cpTransparent;
  }
}

void EnterCursor(int Number, std::string_view Name) {
  if (const TCursorResource* c = FindCursorResource(Name))
    fw::Screen().SetCursors(Number, CursorImageOf(*c));
}

} // namespace

fw::TCursorImage CursorImageOf(const TCursorResource& Cursor) {
  fw::TCursorImage image;
  image.Width = TCursorResource::Width;
  image.Height = TCursorResource::Height;
  image.HotSpotX = Cursor.HotSpotX;
  image.HotSpotY = Cursor.HotSpotY;
  image.Pixels.reserve(static_cast<size_t>(image.Width * image.Height));
  for (int y = 0; y < image.Height; ++y)
    for (int x = 0; x < image.Width; ++x)
      image.Pixels.push_back(ScreenPixelOf(Cursor.Pixel(x, y)));
  return image;
}

void EnterAtlasCursors() {
  EnterCursor(crGeoZoom, "CURGEOZOOM");
  EnterCursor(crGeoHand, "CURGEOHAND");
}

void SetResourceGlyph(fw::TSpeedButton& Button, std::string_view Name) {
  const fw::TPixelImage* picture = FindBitmapResource(Name);
  if (!picture) return;
  fw::TBitmap glyph;
  glyph.LoadFromPixelImage(*picture);
  Button.SetGlyph(&glyph);
  Button.SetNumGlyphs(2);
}

} // namespace kartavo
