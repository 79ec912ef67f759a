// The geographic database module: TGeoDB, its records, box queries, and the
// check and recovery of a database.
#pragma once

#include "kartavo/geodb/gdb_box_query.h"
#include "kartavo/geodb/gdb_check.h"
#include "kartavo/geodb/gdb_types.h"
#include "kartavo/geodb/geo_db.h"
#include "kartavo/geodb/geo_json.h"
#include "kartavo/geodb/geo_text.h"
