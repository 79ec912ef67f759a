// What a raster program sees in a map image file, read from its header
// alone: the size, the number of bands, whether the one band indexes a
// colour table, and the sample type.
#pragma once

#include <string>

namespace kartavo::georef {

struct TImageBands {
  int Width = 0, Height = 0;
  int Count = 0;        // bands: 1 grey or palette, 2 grey and alpha, 3 RGB, 4 RGBA
  bool Palette = false; // one band of colour-table indexes
  bool Sixteen = false; // 16-bit samples (PNG only)
};

// JPEG (SOF segment), PNG (IHDR) and BMP (info header). Raises
// EORVGeoMapError naming the file when it cannot be read or holds none of
// these formats, or a damaged header.
TImageBands ReadImageBands(const std::string& Path);

} // namespace kartavo::georef
