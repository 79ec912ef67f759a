// Text on a canvas: the cell of a text line starts at the anchor (its
// top-left corner) and runs along the font's orientation; the baseline lies
// Ascent below the anchor, turned with the line. Glyphs are put on the
// surface by PaintGlyph (detail/glyph_paint.h); upright lines by their runs
// (detail/text_run.h), laid out once. Advances are whole pixels, so
// TextWidth is exactly the distance the pen moves.
#include "kartavo/framework/canvas.h"

#include "kartavo/framework/detail/font_engine.h"
#include "kartavo/framework/detail/glyph_paint.h"
#include "kartavo/framework/detail/pixel_value.h"
#include "kartavo/framework/detail/polygon_raster.h"
#include "kartavo/framework/detail/raster_target.h"
#include "kartavo/framework/detail/text_run.h"

#include <array>
#include <cmath>
#include <cstring>
#include <numbers>

namespace fw {

namespace {

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

// Glyph after glyph along the frame, each turned with it unless upright.
void PaintGlyphs(TPixelImage& surface, const TRect& clip, TSizedFace& face,
                 const std::u32string& text, const TTextFrame& frame, double angle, bool upright,
                 TColor color) {
  const int ascent = face.Ascent();
  int64_t pen = 0;
  for (char32_t ch : text) {
    if (upright) {
      const TGlyphImage& g = face.Glyph(ch);
      PaintGlyph(surface, clip, g, static_cast<int64_t>(frame.ax) + pen + g.Left,
                 static_cast<int64_t>(frame.ay) + ascent - g.Top, color);
    } else {
      // The glyph's pen position on the baseline.
      const double px = frame.X(double(pen), ascent), py = frame.Y(double(pen), ascent);
      const double fx = std::floor(px), fy = std::floor(py);
      TGlyphImage g = face.RotatedGlyph(ch, angle, px - fx, py - fy);
      PaintGlyph(surface, clip, g, static_cast<int64_t>(fx) + g.Left,
                 static_cast<int64_t>(fy) - g.Top, color);
    }
    pen += face.Advance(ch);
  }
}

} // namespace

int TCanvas::TextWidth(const std::string& Text) {
  return TextRun(TFontEngine::Instance().Face(FFont), Text, false).Width;
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
  const bool upright = FFont.Orientation() % 3600 == 0;
  // Merged rows pay where they are blended many bytes at a time (24 and 32
  // bits); elsewhere the glyphs shared by all lines, which stay in the
  // processor's cache, are painted one by one.
  const bool rows = Drawable() && (FSurface->Format == pf24bit || FSurface->Format == pf32bit);
  const TTextRun& run = TextRun(face, Text, upright && rows);
  const int width = run.Width;
  if (Drawable() && !Text.empty()) {
    const double angle = FFont.Orientation() / 10.0 * std::numbers::pi / 180.0;
    const TTextFrame frame{double(X), double(Y), upright ? 1.0 : std::cos(angle),
                           upright ? 0.0 : std::sin(angle)};
    const int ascent = face->Ascent(), height = ascent + face->Descent();
    if (FBrush.Style() == bsSolid) {
      TRasterTarget cell = BrushTarget(pmCopy);
      FillCellRect(cell, frame, 0, 0, width, height);
    }
    const TRect clip = ClipRect();
    if (upright && rows && run.Merged)
      for (const TRunLayer& layer : run.Layers)
        PaintGlyph(*FSurface, clip, layer.Coverage, int64_t{X} + layer.Left, int64_t{Y} + layer.Top,
                   FFont.Color());
    else
      PaintGlyphs(*FSurface, clip, *face, DecodeUtf8(Text), frame, angle, upright, FFont.Color());
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
