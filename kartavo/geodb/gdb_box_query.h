// Entries whose bounding box meets a latitude/longitude box, found through
// the coordinate indexes: of the four index ranges that can hold a match
// (LatLow <= North, LatHigh >= South, LongLow <= East, LongHigh >= West)
// the shortest is scanned and its entries tested against the whole box.
#pragma once

#include "kartavo/geodb/geo_db.h"

#include <vector>

namespace kartavo {

// Entry numbers in ascending order.
std::vector<int> EntriesInBox(TGeoDB& DB, double South, double West, double North, double East);

} // namespace kartavo
