// The view a rendering draws for: which map-image pixel sits at the
// control's top-left corner, how many control pixels a map-image pixel
// takes, and the size of the control's client area.
#pragma once

#include "kartavo/companion/quillon.h"
#include "kartavo/framework/export.h"
#include "kartavo/geomap/geo_conversion.h"

namespace kartavo {

struct KARTAVO_API TRenderView {
  quillon::TPoint TopLeft;
  double Magnify = 1;
  int Width = 0;  // control pixels
  int Height = 0; // control pixels

  quillon::TPoint ToControl(quillon::TPoint MapPixel) const {
    return MapImageToControl(MapPixel, TopLeft, Magnify);
  }
  quillon::TPoint ToControl(int x, int y) const { return ToControl(quillon::TPoint{x, y}); }
};

} // namespace kartavo
