// Conversion of whole pixel images between formats.
#pragma once

#include "kartavo/framework/pixel_image.h"

namespace fw {

// A blank image: every pixel white (palette formats: the palette entry
// nearest white). Raises EInvalidGraphic for negative sizes or more than
// kMaxImagePixels pixels.
TPixelImage BlankPixelImage(int width, int height, TPixelFormat format);

// The image in another format. Palette formats take the default palette and
// each pixel its nearest entry; 15 and 16 bits round each channel to nearest.
TPixelImage ConvertPixelImage(const TPixelImage& image, TPixelFormat format);

// A copy of the image at another size: the overlapping top-left part kept,
// new pixels white.
TPixelImage ResizePixelImage(const TPixelImage& image, int width, int height);

// The format a bitmap uses for a requested one: pfDevice and pfCustom become
// pf24bit; every other format is itself.
TPixelFormat EffectiveFormat(TPixelFormat format);

} // namespace fw
