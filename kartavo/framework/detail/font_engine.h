// Glyphs and metrics of fonts, by FreeType, with faces resolved by fontconfig.
//
// A face name resolves through fontconfig to an installed scalable font;
// names that are not installed ("MS Sans Serif" on a machine without it)
// get fontconfig's sans-serif face (DejaVu Sans on Debian). Bold and italic
// are synthesised when the resolved face lacks them. Glyphs render with
// 8-bit grayscale anti-aliasing and hinting.
//
// The one FreeType library, the resolved faces and their glyph caches live
// in a function-local static engine (TFontEngine::Instance), created on
// first use and bounded in size; canvases share it. Drawing text is meant
// for one thread at a time, as everything that draws in this package.
#pragma once

#include "kartavo/framework/font.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace fw {

// A pixel of a glyph's bitmap with some coverage.
struct TGlyphPixel {
  uint16_t X, Y;
  uint8_t Coverage;
};

// A glyph's coverage bitmap, placed relative to its pen position on the
// baseline (Left to the right, Top upwards), and its advance.
struct TGlyphImage {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Coverage; // Width * Height, rows top-down
  // The pixels of full and of partial coverage, when Indexed (IndexCoverage):
  // painting goes through them instead of every pixel of the bitmap.
  bool Indexed = false;
  std::vector<TGlyphPixel> Full, Partial;
  // Coverage repeated for each byte of a SpreadBytes-byte pixel, made when
  // the bitmap is first painted row by row on such pixels (glyph_paint.cpp).
  mutable std::vector<uint8_t> Spread;
  mutable int SpreadBytes = 0;
};

// Fills the glyph's lists of covered pixels from its bitmap (bitmaps too
// large for the lists' coordinates stay unindexed).
void IndexCoverage(TGlyphImage& g);

class TSizedFace {
public:
  virtual ~TSizedFace() = default;
  // Cell metrics in pixels: Ascent above and Descent below the baseline.
  virtual int Ascent() const = 0;
  virtual int Descent() const = 0;
  // Offset below the baseline and thickness of underline and strike-out, pixels.
  virtual int UnderlineOffset() const = 0;
  virtual int StrikeOutOffset() const = 0; // negative: above the baseline
  virtual int LineThickness() const = 0;
  // Advance of a character in whole pixels.
  virtual int Advance(char32_t ch) = 0;
  // The upright glyph (cached).
  virtual const TGlyphImage& Glyph(char32_t ch) = 0;
  // The glyph turned counter-clockwise by angle (radians) with its pen
  // position offset by (fx, fy) pixels, 0 <= f < 1, y downwards.
  virtual TGlyphImage RotatedGlyph(char32_t ch, double angle, double fx, double fy) = 0;
  // The file that was resolved for the face, for diagnostics.
  virtual const std::string& FilePath() const = 0;
};

class TFontEngine {
public:
  static TFontEngine& Instance();
  virtual ~TFontEngine() = default;
  // The face for the font's name, height and bold/italic styles.
  virtual std::shared_ptr<TSizedFace> Face(const TFont& font) = 0;
};

// Code points of UTF-8 text; malformed bytes become U+FFFD.
std::u32string DecodeUtf8(const std::string& text);

} // namespace fw
