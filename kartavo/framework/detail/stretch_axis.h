// How one axis of a stretch maps destination pixels to source pixels.
#pragma once

#include <cstdint>
#include <vector>

namespace fw {

struct TStretchAxis {
  int First = 0;                   // first destination coordinate written
  int Count = 0;                   // destination coordinates First .. First + Count - 1 are written
  int SourceLo = 0, SourceHi = 0;  // source pixels read, [SourceLo, SourceHi)
  std::vector<int> Nearest;        // per destination pixel: source pixel under its centre
  std::vector<int> TapFirst;       // per destination pixel: first source pixel averaged
  std::vector<uint32_t> TapOffset; // per destination pixel + 1: range in Weights
  std::vector<uint16_t> Weights;   // weights of consecutive source pixels, summing to 256
  int TapCount(int i) const { return static_cast<int>(TapOffset[i + 1] - TapOffset[i]); }
};

// The destination range [destA, destB) shows the source range [srcA, srcB)
// of an axis of srcSize pixels; either range reversed (B < A) mirrors.
// Only destination pixels inside [clipLo, clipHi) whose centre maps inside
// the source are written. Weights are filled when halftone is set.
TStretchAxis BuildStretchAxis(int destA, int destB, int srcA, int srcB, int srcSize, int clipLo,
                              int clipHi, bool halftone);

// Only the destination range of BuildStretchAxis: First and Count.
struct TAxisSpan {
  int First = 0, Count = 0;
};
TAxisSpan StretchAxisSpan(int destA, int destB, int srcA, int srcB, int srcSize, int clipLo,
                          int clipHi);

} // namespace fw
