// Copies of the control's picture for hosts: what goes onto the clipboard.
#pragma once

#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/export.h"

#include <memory>

namespace kartavo {

// A Width x Height bitmap holding Picture without the control's frame: the
// pixels from (2, 2) to (Width - 2, Height - 2) copied as they are, a black
// outline one pixel inside the edge, and the outermost ring of pixels left
// as a new bitmap has it (white).
KARTAVO_API std::unique_ptr<fw::TBitmap> FramelessPicture(const fw::TBitmap& Picture, int Width,
                                                          int Height);

} // namespace kartavo
