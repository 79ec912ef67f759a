// The geomap module: calibration records, fits and conversions, landmark
// records and the map control.
#pragma once

#include "kartavo/geomap/calib_fits.h"
#include "kartavo/geomap/calib_params.h"
#include "kartavo/geomap/calib_records.h"
#include "kartavo/geomap/geo_conversion.h"
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/geomap/geomap_types.h"
#include "kartavo/geomap/landmark_records.h"
#include "kartavo/geomap/lsq_solver.h"
#include "kartavo/geomap/output/generated_map.h"
#include "kartavo/geomap/output/picture_copy.h"
