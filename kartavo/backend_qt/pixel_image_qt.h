// Pixel images and Qt images: a QImage over a surface's memory where Qt
// knows the format (no pixel is converted), copies otherwise, and the way
// back for pictures that come from Qt (the clipboard, screenshots).
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/framework/pixel_image.h"

#include <QImage>

namespace kartavo::qt {

// A QImage that reads the image's own bytes: valid while the image keeps its
// size and storage. Null for formats Qt cannot read in place (4-bit, custom).
KARTAVO_API QImage ImageView(const fw::TPixelImage& Image);
// The image as a QImage that owns its pixels, in any format.
KARTAVO_API QImage ImageCopy(const fw::TPixelImage& Image);
// A 24-bit pixel image of a QImage in any format (alpha is dropped).
KARTAVO_API fw::TPixelImage PixelImageOf(const QImage& Image);

} // namespace kartavo::qt
