// Lines of text laid out once per face and kept: the pen's advance over the
// line and its glyphs' coverage merged into a few wide bitmaps (layers).
// Maps draw the same captions paint after paint; on 24- and 32-bit surfaces
// putting a line's merged rows there is several times faster than glyph
// after glyph, and measuring it again is a look-up.
//
// Glyphs whose covered pixels overlap (a slanted or overhanging letter) go to
// different layers: a glyph's layer is one above the highest layer of the
// earlier glyphs it overlaps, so painting the layers in order blends every
// pixel in the same order, with the same coverages, as painting the glyphs
// one by one — the pixels are exactly the same.
//
// The runs live in a cache of the calling thread, for the few faces used
// last, within a bounded memory; it starts over when that is spent.
#pragma once

#include "kartavo/framework/detail/font_engine.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace fw {

// Glyph coverage with its bitmap's top-left pixel at (Left, Top) from the
// text cell's top-left corner.
struct TRunLayer {
  int64_t Left = 0, Top = 0;
  TGlyphImage Coverage;
};

struct TTextRun {
  int Width = 0;       // the pen's advance in whole pixels (TextWidth)
  bool Laid = false;   // the glyphs have been looked at ...
  bool Merged = false; // ... and fit in Layers; else they are drawn one by one
  std::vector<TRunLayer> Layers;
};

// The pen's advance over the text in whole pixels (saturated).
int TextAdvance(TSizedFace& face, const std::u32string& text);

// The run of the UTF-8 text in the face: measured, and laid out upright
// when layers is set. The reference stays valid until the next call.
const TTextRun& TextRun(const std::shared_ptr<TSizedFace>& face, const std::string& text,
                        bool layers);

// The same laid out afresh, outside the cache: what the cache must hold.
TTextRun LayOutTextRun(TSizedFace& face, const std::u32string& text);

} // namespace fw
