// The graticule of a map calibrated by parabolic interpolation: each
// calibration line (a parallel or a meridian through up to ten points)
// drawn as the parabola fitted through its points, across the visible part
// of the map, one step per map-image pixel.
#pragma once

#include "kartavo/framework/color.h"
#include "kartavo/framework/export.h"
#include "kartavo/geomap/calib_records.h"
#include "kartavo/geomap/render/render_view.h"

#include <optional>

namespace fw {
class TCanvas;
}

namespace kartavo {

// For every calibration line in turn: when LineColor is given, its parabola
// in that colour; when MarkerColor is given, a calibration marker at each
// of its points. A line whose points do not determine a parabola (fewer
// than three distinct positions along it) gets its markers but no curve.
KARTAVO_API void DrawCalibLineParabolas(fw::TCanvas& Canvas, const TCalibData& CalibData,
                                        const TRenderView& View,
                                        std::optional<fw::TColor> LineColor,
                                        std::optional<fw::TColor> MarkerColor);

} // namespace kartavo
