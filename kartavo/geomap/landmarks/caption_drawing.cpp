#include "kartavo/geomap/landmarks/caption_drawing.h"

#include "kartavo/framework/canvas.h"
#include "kartavo/geomap/detail/pixel_round.h"
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
  Canvas->TextOut(Sat(int64_t{x} + Caption.dx + offX), Sat(int64_t{y} + Caption.dy + offY), text);
}

} // namespace kartavo
