// The geographic database module: TGeoDB, its records and file layout.
#pragma once

#include "kartavo/geodb/gdb_layout.h"
#include "kartavo/geodb/gdb_types.h"
#include "kartavo/geodb/geo_db.h"
#include "kartavo/geodb/geo_text.h"
