// Smoothed (halftone) stretches that enlarge: at most two source pixels lie
// under a destination pixel along either axis. Each source row is averaged
// along the row once, for all destination columns, with vector shuffles
// that pick four destination pixels' source bytes at a time; destination
// rows then blend one or two of those rows. The sums are the same integers
// as those of the plain definition (rows then columns or columns then rows
// add the same products), so the pixels are too.
#pragma once

#include "kartavo/framework/detail/stretch_axis.h"
#include "kartavo/framework/pixel_image.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace fw {

class TEnlargeStretch {
public:
  // The source rows as blue, green, red triplets of the columns
  // [cols.SourceLo, cols.SourceHi); at least 16 bytes from each triplet
  // before column srcWidth are readable.
  using TSourceRow = std::function<const uint8_t*(int y)>;

  TEnlargeStretch(const TStretchAxis& cols, const TStretchAxis& rows, int srcWidth);
  ~TEnlargeStretch();
  // Whether the stretch can go this way: the axes enlarge, the destination
  // holds 15, 24 or 32 bits and the processor has the vector instructions.
  bool Applies(TPixelFormat dstFormat) const;
  // The plain copy of every destination pixel the axes name into dst.
  void Run(TPixelImage& dst, const TSourceRow& source);

private:
  struct TPlan;
  std::unique_ptr<TPlan> F;
};

} // namespace fw
