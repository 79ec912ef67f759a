// What is drawn over the map image, chosen by what the host asks to show and
// by the calibration model: the graticule (parallels and meridians, or the
// fitted calibration lines of parabolic interpolation), the UTM grid and the
// calibration point markers.
#pragma once

#include "kartavo/framework/color.h"
#include "kartavo/framework/export.h"
#include "kartavo/geomap/geo_conversion.h"
#include "kartavo/geomap/geomap_types.h"
#include "kartavo/geomap/render/render_view.h"

namespace fw {
class TCanvas;
}

namespace kartavo {

struct KARTAVO_API TOverlayStyle {
  TShowGrat Show = sgNone;
  double GratLineDist = 0; // degrees; 0 chooses by the map's extent
  int UTMGridDist = 0;     // metres; 0 chooses by the map's extent
  fw::TColor GraticuleColor = 0xFF0000;
  fw::TColor MarkerColor = 0x0000FF;
};

// Lines and grid first, markers on top. A model needs enough calibration to
// draw lines (one calibration line for parabolic interpolation, six points
// for the biquadratic polynomial, three for the others); markers are drawn
// for whatever calibration there is. cmUndefined draws nothing.
KARTAVO_API void DrawOverlay(fw::TCanvas& Canvas, const TGeoRef& Ref, const TRenderView& View,
                             const TOverlayStyle& Style, int ImgWidth, int ImgHeight);

} // namespace kartavo
