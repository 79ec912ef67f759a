// The geodesy module: reference ellipsoids, Transverse Mercator, UTM and UPS.
#pragma once

#include "kartavo/geobasics/ellipsoids.h"
#include "kartavo/geobasics/hemisphere.h"
