// Helpers of the symbol and layer tests: a grey sheet to draw on and the
// pixels a drawing changed, by colour.
#pragma once

#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/png_codec.h"

#include <map>
#include <memory>
#include <string>
#include <utility>

namespace lmtest {

constexpr fw::TColor kSheet = 0x808080;
constexpr fw::TColor kFG = 0x0000FF; // red
constexpr fw::TColor kBG = 0x00FF00; // green

using Pixel = std::pair<int, int>;
using PixelColours = std::map<Pixel, fw::TColor>;

inline std::unique_ptr<fw::TBitmap> Sheet(int w, int h, fw::TColor fill = kSheet) {
  auto bmp = std::make_unique<fw::TBitmap>();
  bmp->SetPixelFormat(fw::pf24bit);
  bmp->SetSize(w, h);
  bmp->Canvas()->Brush()->SetColor(fill);
  bmp->Canvas()->FillRect(fw::Rect(0, 0, w, h));
  return bmp;
}

// Every pixel that is not the sheet's colour, with its colour.
inline PixelColours Changed(const fw::TBitmap& bmp, fw::TColor fill = kSheet) {
  PixelColours out;
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x)
      if (fw::TColor c = bmp.Canvas()->Pixels(x, y); c != fill) out[{x, y}] = c;
  return out;
}

// Keeps a picture for a person to look at when a comparison fails.
inline void KeepPicture(const fw::TBitmap& bmp, const std::string& name) {
  fw::WritePngFile(name + ".png", bmp.PixelImage());
}

} // namespace lmtest
