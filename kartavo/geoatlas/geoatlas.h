// The geoatlas module: the atlas control, which shows one of several
// registered calibrated maps and switches between them by resolution.
#pragma once

#include "kartavo/geoatlas/geoatlas_control.h"
#include "kartavo/geoatlas/map_definition.h"
