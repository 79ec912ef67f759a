#include "kartavo/geomap/landmarks/caption_drawing.h"

#include "kartavo/framework/canvas.h"
#include "kartavo/framework/pixel_image.h"
#include "kartavo/geomap/detail/pixel_round.h"
#include "kartavo/geomap/landmarks/detail/caption_prefetch.h"
#include "kartavo/geomap/landmarks/detail/degree_trig.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace kartavo {
namespace {

// The anchor's place along the text (fH) and across it (fV), in half sizes.
constexpr int kAlongFactor[3] = {0, 2, 1};
constexpr int kAcrossFactor[3] = {0, 1, 2};

int Sat(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

// The text cell of the upright caption drawn last, relative to its
// landmark's pixel; empty before one was drawn.
struct TCaptionBox {
  int64_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};
thread_local TCaptionBox lastBox;

void SetCaptionFont(fw::TCanvas& C, const TLMTextProperties& Caption) {
  fw::TFont& f = *C.Font();
  C.Brush()->SetColor(Caption.BGColor);
  f.SetColor(Caption.FGColor);
  f.SetSize(Caption.Size);
  f.SetStyle(Caption.FontStyles);
  f.SetName(Caption.FontName);
  C.Brush()->SetStyle(Caption.Transparent ? fw::bsClear : fw::bsSolid);
  // Tenths of a degree, counter-clockwise; taken modulo a full turn so that
  // any stored direction gives a valid font.
  f.SetOrientation(static_cast<int>((int64_t{Caption.Direction} % 360) * 10));
}

} // namespace

bool CaptionOffset(const TLMTextProperties& Caption, int W, int H, int& OffX, int& OffY) {
  if (Caption.HAlignment > 2 || Caption.VAlignment > 2) return false;
  const int fH = kAlongFactor[Caption.HAlignment], fV = kAcrossFactor[Caption.VAlignment];
  OffX = OffY = 0;
  if (fH == 0 && fV == 0) return true;
  const double w = W / 2, h = H / 2;
  const auto [s, c] = detail::SinCosDeg(Caption.Direction);
  OffX = RoundPixel(-fH * w * c - fV * h * s);
  OffY = RoundPixel(fH * w * s - fV * h * c);
  return true;
}

void DrawLandMarkCaption(fw::TCanvas* Canvas, int x, int y, const TLMTextProperties& Caption) {
  if (!Canvas || Caption.Text.Empty()) return;
  if (Caption.HAlignment > 2 || Caption.VAlignment > 2) return;
  SetCaptionFont(*Canvas, Caption);
  const std::string text = Caption.Text.ToString();
  const fw::TPoint extent = Canvas->TextExtent(text);
  int offX = 0, offY = 0;
  CaptionOffset(Caption, extent.X, extent.Y, offX, offY);
  const int64_t left = int64_t{Caption.dx} + offX, top = int64_t{Caption.dy} + offY;
  if (Caption.Direction % 360 == 0) lastBox = {left, top, left + extent.X, top + extent.Y};
  Canvas->TextOut(Sat(x + left), Sat(y + top), text);
}

void detail::PrefetchCaption(const fw::TCanvas& Canvas, int x, int y) {
  const fw::TPixelImage* img = Canvas.Surface();
  if (!img || img->Format < fw::pf8bit || img->Format > fw::pf32bit) return;
  const int64_t bytes = fw::BitsPerPixel(img->Format) / 8, stride = img->Stride();
  const int64_t x0 = std::max<int64_t>(0, x + lastBox.Left);
  const int64_t x1 = std::min<int64_t>(img->Width, x + lastBox.Right);
  const int64_t y0 = std::max<int64_t>(0, y + lastBox.Top);
  const int64_t y1 = std::min<int64_t>(img->Height, y + lastBox.Bottom);
  if (x0 >= x1) return;
  for (int64_t row = y0; row < y1; ++row) {
    const uint8_t* first = img->Bits.data() + row * stride + x0 * bytes;
    const uint8_t* last = img->Bits.data() + row * stride + x1 * bytes - 1;
    for (const uint8_t* p = first; p < last; p += 64)
      __builtin_prefetch(p, 1);
    __builtin_prefetch(last, 1);
  }
}

} // namespace kartavo
