// Stamps of landmark symbols: the pixels a symbol of one shape (kind, size,
// direction, length, transparency) sets, recorded once by drawing it with the
// canvas and then copied as spans of the foreground and background colour.
// A map shows thousands of landmarks of a few shapes, and copying spans is
// many times faster than drawing the lines again, with exactly the same
// pixels: the stamp is what the canvas drew.
#pragma once

#include "kartavo/framework/color.h"
#include "kartavo/framework/pixel_image.h"
#include "kartavo/geomap/landmark_records.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace fw {
class TCanvas;
}

namespace kartavo::detail {

// A run of set pixels on one row; their roles (0: foreground, 1:
// background) are Roles[First] onwards.
struct TStampRun {
  int16_t Dx, Dy; // start relative to the symbol's centre
  uint16_t Length;
  uint32_t First;
};

// Sixteen bytes of a row of a stamp: which bytes the symbol sets (Mask 0xFF)
// and their values (zero where Mask is).
using TBytes16 = uint8_t __attribute__((vector_size(16)));
struct TStampChunk {
  TBytes16 Mask, Value;
};

// The set pixels of one row from its first to its last, as chunks.
struct TStampRow {
  int16_t Dx, Dy; // first set pixel relative to the symbol's centre
  uint32_t FirstChunk, Chunks;
};

struct TSymbolStamp {
  int Left = 0, Top = 0, Right = 0, Bottom = 0; // extent relative to the centre, inclusive
  std::vector<TStampRun> Runs;                  // by row, then from left to right
  std::vector<uint8_t> Roles;
  // The runs' pixels encoded for the colours and pixel size last used, in
  // Roles' order, and the same pixels as rows of chunks; RowReach is the
  // most bytes a row's chunks cover counted from the stamp's left column.
  mutable std::vector<uint8_t> Encoded;
  mutable std::vector<TStampRow> Rows;
  mutable std::vector<TStampChunk> Chunks;
  mutable int64_t RowReach = 0;
  mutable uint32_t EncodedFG = 0, EncodedBG = 0;
  mutable int EncodedBytes = 0;
};

// Symbols reaching farther than this from their centre are drawn directly.
constexpr int MaxStampReach = 48;

using TSymbolDrawer = void (*)(fw::TCanvas& Canvas, int x, int y, TLandMarkElement Element,
                               fw::TColor ColorFG, fw::TColor ColorBG, int32_t Size,
                               int32_t Direction, int32_t Length, bool Transparent);

// Keeps the stamps of the shapes it met (bounded) and draws symbols with
// them where it can. One painter serves one thread; ForThisThread gives the
// calling thread's.
class TSymbolPainter {
public:
  explicit TSymbolPainter(TSymbolDrawer Draw) : FDraw(Draw) {}
  static TSymbolPainter& ForThisThread(TSymbolDrawer Draw);

  // The stamp of a shape, made on first use; null for a shape too large.
  const TSymbolStamp* Stamp(const TSymbolProperties& Shape);

  // Copies the stamp centred at (x, y), cut to the surface, when the canvas
  // draws with a one-pixel solid pen in copy mode on a surface of whole-byte
  // pixels (8, 15, 16, 24 or 32 bits); false (nothing drawn) otherwise.
  bool StampOnCanvas(fw::TCanvas& Canvas, const TSymbolStamp& Stamp, int x, int y,
                     fw::TColor ColorFG, fw::TColor ColorBG) const;

  // Asks the processor to fetch the surface rows that the shape met last
  // would cover centred at (x, y), when Shape is that shape; a symbol drawn
  // a little later there then finds its pixels in the cache.
  void Prefetch(const fw::TCanvas& Canvas, const TSymbolProperties& Shape, int x, int y) const;

private:
  struct TKey {
    uint8_t Kind;
    bool Transparent;
    int32_t Size, Direction, Length;
    bool operator==(const TKey&) const = default;
  };
  static TKey KeyOf(const TSymbolProperties& Shape);
  struct THash {
    size_t operator()(const TKey& k) const;
  };
  TSymbolDrawer FDraw;
  std::unordered_map<TKey, TSymbolStamp, THash> FStamps;
  // The shape met last: landmarks mostly share one look.
  TKey FLastKey{};
  const TSymbolStamp* FLast = nullptr;
};

// The calling thread's painter of DrawLandMarkSymbolOnCanvas, and the
// routine itself with a painter in hand (the landmark layer fetches the
// painter once per rendering).
TSymbolPainter& LandmarkSymbolPainter();
void DrawSymbolWith(TSymbolPainter& Painter, fw::TCanvas& Canvas, int x, int y,
                    const TSymbolProperties& Symbol);
// The symbol drawn with the canvas's lines and fills alone, never from a
// stamp: the reference the stamps are tested against.
void DrawSymbolDirect(fw::TCanvas& Canvas, int x, int y, const TSymbolProperties& Symbol);

} // namespace kartavo::detail
