// The geodesy module: reference ellipsoids, Transverse Mercator, UTM and UPS,
// geocentric coordinates, Helmert datum shifts and the country table.
#pragma once

#include "kartavo/geobasics/cartesian.h"
#include "kartavo/geobasics/country_table.h"
#include "kartavo/geobasics/ellipsoids.h"
#include "kartavo/geobasics/helmert.h"
#include "kartavo/geobasics/hemisphere.h"
#include "kartavo/geobasics/transverse_mercator.h"
#include "kartavo/geobasics/ups.h"
#include "kartavo/geobasics/utm.h"
#include "kartavo/geobasics/utm_zone.h"
#include "kartavo/package/exceptions.h"
