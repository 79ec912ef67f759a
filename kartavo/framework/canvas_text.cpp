// Text on a canvas: the cell of a text line starts at the anchor (its
// top-left corner) and runs along the font's orientation; the baseline lies
// Ascent below the anchor, turned with the line. Glyph coverage blends the
// font colour over the pixels (palette formats: coverage of half or more
// sets the font colour). Advances are whole pixels, so TextWidth is exactly
// the distance the pen moves.
#include "kartavo/framework/canvas.h"

#include "kartavo/framework/detail/font_engine.h"
#include "kartavo/framework/detail/pixel_value.h"
#include "kartavo/framework/detail/polygon_raster.h"
#include "kartavo/framework/detail/raster_target.h"

#include <array>
#include <cmath>
#include <cstring>
#include <numbers>

namespace fw {

namespace {

int WidthOf(TSizedFace& face, const std::u32string& text) {
  int64_t w = 0;
  for (char32_t ch : text)
    w += face.Advance(ch);
  return static_cast<int>(std::min<int64_t>(w, INT32_MAX));
}

TColor Blend(TColor under, TColor over, int coverage) {
  auto mix = [&](int u, int o) {
    return static_cast<uint8_t>(u + ((o - u) * coverage + 127) / 255);
  };
  return RGB(mix(GetRValue(under), GetRValue(over)), mix(GetGValue(under), GetGValue(over)),
             mix(GetBValue(under), GetBValue(over)));
}

// PaintGlyph on 24 and 32-bit surfaces, on the bytes blue, green, red (and
// the unused fourth byte as encoding writes it): the same blend without the
// per-pixel decoding and encoding.
void PaintGlyphDirect(TPixelImage& img, const TRect& clip, const TGlyphImage& g, int64_t x0,
                      int64_t y0, TColor color) {
  const int bytes = img.Format == pf24bit ? 3 : 4;
  const uint32_t solid = EncodeColor(img, color);
  const uint8_t over[4] = {GetBValue(color), GetGValue(color), GetRValue(color),
                           static_cast<uint8_t>(solid >> 24)};
  const int64_t gx0 = std::max<int64_t>(0, clip.Left - x0);
  const int64_t gx1 = std::min<int64_t>(g.Width, int64_t{clip.Right} - x0);
  for (int gy = 0; gy < g.Height; ++gy) {
    const int64_t y = y0 + gy;
    if (y < clip.Top || y >= clip.Bottom) continue;
    const uint8_t* cov = g.Coverage.data() + static_cast<size_t>(gy) * g.Width;
    uint8_t* row = img.Row(static_cast<int>(y));
    for (int64_t gx = gx0; gx < gx1; ++gx) {
      const int a = cov[gx];
      if (a == 0) continue;
      uint8_t* p = row + (x0 + gx) * bytes;
      if (a == 255) {
        std::memcpy(p, over, static_cast<size_t>(bytes));
        continue;
      }
      for (int i = 0; i < 3; ++i)
        p[i] = static_cast<uint8_t>(p[i] + ((over[i] - p[i]) * a + 127) / 255);
      if (bytes == 4) p[3] = over[3];
    }
  }
}

// Puts a glyph's coverage at (x0, y0) (its bitmap's top-left pixel).
void PaintGlyph(TPixelImage& img, const TRect& clip, const TGlyphImage& g, int64_t x0, int64_t y0,
                TColor color) {
  if (img.Format == pf24bit || img.Format == pf32bit)
    return PaintGlyphDirect(img, clip, g, x0, y0, color);
  const uint32_t solid = EncodeColor(img, color);
  const bool palette = IsPaletteFormat(img.Format);
  for (int gy = 0; gy < g.Height; ++gy) {
    int64_t y = y0 + gy;
    if (y < clip.Top || y >= clip.Bottom) continue;
    for (int gx = 0; gx < g.Width; ++gx) {
      int64_t x = x0 + gx;
      if (x < clip.Left || x >= clip.Right) continue;
      int a = g.Coverage[static_cast<size_t>(gy) * g.Width + gx];
      if (a == 0 || (palette && a < 128)) continue;
      int xi = static_cast<int>(x), yi = static_cast<int>(y);
      if (a == 255 || palette) {
        WriteValue(img, xi, yi, solid);
      } else {
        TColor under = DecodeValue(img, ReadValue(img, xi, yi));
        WriteValue(img, xi, yi, EncodeColor(img, Blend(under, color, a)));
      }
    }
  }
}

// Maps text-cell coordinates (u along the line, v down across it) to the surface.
struct TTextFrame {
  double ax, ay, cs, sn; // anchor; cosine and sine of the counter-clockwise angle
  double X(double u, double v) const { return ax + u * cs + v * sn; }
  double Y(double u, double v) const { return ay - u * sn + v * cs; }
  TPoint At(double u, double v) const {
    return Point(static_cast<int>(std::lround(X(u, v))), static_cast<int>(std::lround(Y(u, v))));
  }
};

// Fills the cell-coordinate rectangle [u0, u1) x [v0, v1), turned with the frame.
void FillCellRect(TRasterTarget& t, const TTextFrame& f, double u0, double v0, double u1,
                  double v1) {
  const std::array<TPoint, 4> corners = {f.At(u0, v0), f.At(u1, v0), f.At(u1, v1), f.At(u0, v1)};
  FillPolygonSpans(corners, t.Clip(), [&](int y, int64_t x0, int64_t x1) { t.Span(y, x0, x1); });
}

} // namespace

int TCanvas::TextWidth(const std::string& Text) {
  return WidthOf(*TFontEngine::Instance().Face(FFont), DecodeUtf8(Text));
}

int TCanvas::TextHeight(const std::string&) {
  auto face = TFontEngine::Instance().Face(FFont);
  return face->Ascent() + face->Descent();
}

TPoint TCanvas::TextExtent(const std::string& Text) {
  return Point(TextWidth(Text), TextHeight(Text));
}

void TCanvas::TextOut(int X, int Y, const std::string& Text) {
  auto face = TFontEngine::Instance().Face(FFont);
  std::u32string text = DecodeUtf8(Text);
  const int width = WidthOf(*face, text);
  if (Drawable() && !text.empty()) {
    const double angle = FFont.Orientation() / 10.0 * std::numbers::pi / 180.0;
    const bool upright = FFont.Orientation() % 3600 == 0;
    const TTextFrame frame{double(X), double(Y), upright ? 1.0 : std::cos(angle),
                           upright ? 0.0 : std::sin(angle)};
    const int ascent = face->Ascent(), height = ascent + face->Descent();
    if (FBrush.Style() == bsSolid) {
      TRasterTarget cell = BrushTarget(pmCopy);
      FillCellRect(cell, frame, 0, 0, width, height);
    }
    const TRect clip = ClipRect();
    int64_t pen = 0;
    for (char32_t ch : text) {
      // The glyph's pen position on the baseline.
      double px = frame.X(double(pen), ascent), py = frame.Y(double(pen), ascent);
      if (upright) {
        const TGlyphImage& g = face->Glyph(ch);
        PaintGlyph(*FSurface, clip, g, int64_t{X} + pen + g.Left, int64_t{Y} + ascent - g.Top,
                   FFont.Color());
      } else {
        double fx = std::floor(px), fy = std::floor(py);
        TGlyphImage g = face->RotatedGlyph(ch, angle, px - fx, py - fy);
        PaintGlyph(*FSurface, clip, g, static_cast<int64_t>(fx) + g.Left,
                   static_cast<int64_t>(fy) - g.Top, FFont.Color());
      }
      pen += face->Advance(ch);
    }
    TRasterTarget line(*FSurface, clip, pmCopy, EncodeColor(*FSurface, FFont.Color()));
    const int t = face->LineThickness();
    if (FFont.Style().Contains(fsUnderline)) {
      double v = ascent + face->UnderlineOffset();
      FillCellRect(line, frame, 0, v, width, v + t);
    }
    if (FFont.Style().Contains(fsStrikeOut)) {
      double v = ascent + face->StrikeOutOffset();
      FillCellRect(line, frame, 0, v, width, v + t);
    }
  }
  FPenPos = Point(static_cast<int>(std::min<int64_t>(int64_t{X} + width, INT32_MAX)), Y);
  FDashPos = 0;
}

} // namespace fw
