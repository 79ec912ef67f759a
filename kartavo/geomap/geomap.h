// The geomap module: calibration records, fits, conversions and calibration
// files, landmark records and drawing, the painters of the map's rendering,
// the map control and the module's exception class.
#pragma once

#include "kartavo/geomap/calib_fits.h"
#include "kartavo/geomap/calib_params.h"
#include "kartavo/geomap/calib_records.h"
#include "kartavo/geomap/calib_xml.h"
#include "kartavo/geomap/geo_conversion.h"
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/geomap/geomap_types.h"
#include "kartavo/geomap/landmark_records.h"
#include "kartavo/geomap/landmarks/caption_drawing.h"
#include "kartavo/geomap/landmarks/landmark_layer.h"
#include "kartavo/geomap/landmarks/symbol_drawing.h"
#include "kartavo/geomap/lsq_solver.h"
#include "kartavo/geomap/render/calib_marker.h"
#include "kartavo/geomap/render/graticule_painter.h"
#include "kartavo/geomap/render/image_layer.h"
#include "kartavo/geomap/render/overlay_painter.h"
#include "kartavo/geomap/render/parabola_painter.h"
#include "kartavo/geomap/render/render_view.h"
#include "kartavo/geomap/render/trace_drawing.h"
#include "kartavo/geomap/render/utm_grid_painter.h"
#include "kartavo/package/exceptions.h"
