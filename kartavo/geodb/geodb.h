// The geographic database module: TGeoDB, its records and box queries.
#pragma once

#include "kartavo/geodb/gdb_box_query.h"
#include "kartavo/geodb/gdb_types.h"
#include "kartavo/geodb/geo_db.h"
#include "kartavo/geodb/geo_text.h"
#include "kartavo/package/exceptions.h"
