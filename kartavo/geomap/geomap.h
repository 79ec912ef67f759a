// The geomap module: calibration records, fits and conversions, landmark
// records and the map control.
#pragma once

#include "kartavo/geomap/calib_records.h"
#include "kartavo/geomap/landmark_records.h"
