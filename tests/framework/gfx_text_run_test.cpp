// Lines of text drawn from their runs equal the glyphs painted one by one
// the plain way: random texts (overlapping letters, combining accents,
// spaces), faces, sizes and styles, colours, anchors across the surface's
// edges, clips, in every pixel format; and the runs the canvas keeps belong to
// the face and text they are drawn for.
#include "gfx_test_support.h"

#include "kartavo/framework/canvas.h"
#include "kartavo/framework/detail/glyph_paint.h"
#include "kartavo/framework/detail/text_run.h"

#include <gtest/gtest.h>

#include <random>

namespace fw {
namespace {

const char* const kFaces[] = {"DejaVu Sans", "DejaVu Serif", "DejaVu Sans Mono", "MS Sans Serif"};

TFont RandomFont(std::mt19937& rng) {
  TFont f;
  f.SetName(kFaces[rng() % 4]);
  f.SetHeight(-static_cast<int>(5 + rng() % 36));
  TFontStyles style;
  if (rng() % 3 == 0) style.Include(fsBold);
  if (rng() % 3 == 0) style.Include(fsItalic);
  f.SetStyle(style);
  return f;
}

// Letters that overhang their neighbours, accents that combine with the
// letter before them (no advance: they overlap it), spaces.
std::string RandomText(std::mt19937& rng) {
  static const char* const kPieces[] = {"f",  "j", "T", "A", "V", "W",        "y", "l", " ",
                                        "ff", "7", ".", "é", "ƒ", "\xCC\x81", "g", "Ω", "Place "};
  std::string text;
  const int n = static_cast<int>(rng() % 12);
  for (int i = 0; i < n; ++i)
    text += kPieces[rng() % std::size(kPieces)];
  return text;
}

using gfxtest::RawNoise;

// The line's glyphs painted one by one the plain way, its cell's top-left
// corner at (x, y).
void PaintPlainly(TPixelImage& img, const TRect& clip, TSizedFace& face, const std::string& text,
                  int64_t x, int64_t y, TColor color) {
  int64_t pen = 0;
  for (char32_t ch : DecodeUtf8(text)) {
    const TGlyphImage& g = face.Glyph(ch);
    PaintGlyphPlain(img, clip, g, x + pen + g.Left, y + face.Ascent() - g.Top, color);
    pen += face.Advance(ch);
  }
}

void PaintRun(TPixelImage& img, const TRect& clip, const TTextRun& run, int64_t x, int64_t y,
              TColor color) {
  for (const TRunLayer& layer : run.Layers)
    PaintGlyph(img, clip, layer.Coverage, x + layer.Left, y + layer.Top, color);
}

TEST(TextRun, LayersPaintExactlyAsTheGlyphsOneByOne) {
  std::mt19937 rng(2024);
  constexpr TPixelFormat kFormats[] = {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit};
  int overlapping = 0;
  for (int n = 0; n < 1500; ++n) {
    const TFont font = RandomFont(rng);
    auto face = TFontEngine::Instance().Face(font);
    const std::string text = RandomText(rng);
    const TTextRun run = LayOutTextRun(*face, DecodeUtf8(text));
    ASSERT_TRUE(run.Merged) << text;
    EXPECT_EQ(run.Width, TextAdvance(*face, DecodeUtf8(text)));
    overlapping += run.Layers.size() > 1;
    const TPixelFormat format = kFormats[n % 7];
    TPixelImage fast = RawNoise(160, 60, format, rng);
    TPixelImage plain = fast;
    const int left = static_cast<int>(rng() % 20), top = static_cast<int>(rng() % 20);
    const TRect clip =
        n % 3 ? Rect(0, 0, 160, 60)
              : Rect(left, top, left + 1 + int(rng() % 140), top + 1 + int(rng() % 40));
    const int64_t x = int64_t(rng() % 200) - 60, y = int64_t(rng() % 90) - 40;
    const TColor color = rng() % 2 ? TColor(0x10203 * (rng() % 6)) : TColor(rng() & 0xFFFFFF);
    PaintRun(fast, clip, run, x, y, color);
    PaintPlainly(plain, clip, *face, text, x, y, color);
    ASSERT_EQ(fast.Bits, plain.Bits)
        << "\"" << text << "\" in " << font.Name() << " " << font.Height() << " format "
        << int(format) << " at " << x << "," << y;
  }
  // Overlapping glyphs went to layers of their own.
  EXPECT_GT(overlapping, 100);
}

TEST(TextRun, TooLargeALineIsLeftToTheGlyphs) {
  TFont font;
  font.SetHeight(-400);
  auto face = TFontEngine::Instance().Face(font);
  const TTextRun run = LayOutTextRun(*face, DecodeUtf8("Wide"));
  EXPECT_FALSE(run.Merged);
  EXPECT_TRUE(run.Layers.empty());
  EXPECT_EQ(run.Width, TextAdvance(*face, DecodeUtf8("Wide")));
  EXPECT_TRUE(LayOutTextRun(*face, DecodeUtf8("   ")).Merged); // nothing to merge
}

// The canvas draws from the runs it keeps; drawing the same lines again in
// many faces (more than the cache keeps), measured first or not, gives what
// the glyphs one by one give.
TEST(TextRun, TheCanvasDrawsTheRunOfItsFaceAndText) {
  std::mt19937 rng(5);
  std::vector<TFont> fonts;
  for (int i = 0; i < 12; ++i)
    fonts.push_back(RandomFont(rng));
  const std::string texts[] = {"Place 1", "Place 2", "fjord", "", "Ωmega ff"};
  for (int round = 0; round < 3; ++round)
    for (const TFont& font : fonts)
      for (const std::string& text : texts) {
        auto bmp = gfxtest::NoiseBitmap(120, 50, pf24bit, 9);
        TCanvas& c = *bmp->Canvas();
        c.Font()->Assign(&font);
        c.Font()->SetColor(0x2040C0);
        c.Brush()->SetStyle(bsClear);
        auto face = TFontEngine::Instance().Face(font);
        if (round == 1) {
          EXPECT_EQ(c.TextWidth(text), TextAdvance(*face, DecodeUtf8(text)));
        }
        TPixelImage plain = *c.Surface();
        c.TextOut(7, 5, text);
        PaintPlainly(plain, Rect(0, 0, 120, 50), *face, text, 7, 5, 0x2040C0);
        ASSERT_EQ(c.Surface()->Bits, plain.Bits) << "\"" << text << "\" in " << font.Name();
        EXPECT_EQ(c.PenPos(), Point(7 + TextAdvance(*face, DecodeUtf8(text)), 5));
      }
}

} // namespace
} // namespace fw
