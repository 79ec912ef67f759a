// Entries whose bounding box meets a latitude/longitude box, found through
// the coordinate indexes. An entry can only meet the box when its LatLow
// lies between South − (largest latitude extent) and North, and likewise
// its LongLow; the shorter of these two index ranges is scanned and its
// entries tested against the whole box.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/geodb/geo_db.h"

#include <vector>

namespace kartavo {

// Entry numbers in ascending order.
KARTAVO_API std::vector<int> EntriesInBox(TGeoDB& DB, double South, double West, double North,
                                          double East);

} // namespace kartavo
