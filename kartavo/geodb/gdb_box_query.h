// Entries whose bounding box meets a latitude/longitude box. A table of
// the entries' boxes, kept twice, sorted by LatLow and by LongLow, answers
// a query: an entry can only meet the box when its LatLow lies between
// South − (the largest latitude extent of any entry) and North, and likewise
// its LongLow; the shorter of the two ranges is found by binary search,
// scanned, and each box in it tested against the whole query box, with the
// very comparisons of a plain scan over all entries. The database builds the
// table when a query needs it and drops it with every change of a box.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/geodb/geo_db.h"

#include <cstdint>
#include <vector>

namespace kartavo {

class KARTAVO_API TGdbBoxTable {
public:
  TGdbBoxTable(const std::vector<TgdbData>& Entries, int Count);

  // Entry numbers in ascending order.
  std::vector<int> Query(double South, double West, double North, double East) const;
  double MaxLatExtent() const { return FMaxLatExtent; }
  double MaxLongExtent() const { return FMaxLongExtent; }

private:
  struct TBox {
    float LatLow, LatHigh, LongLow, LongHigh;
    int32_t Entry;
  };
  std::vector<TBox> FByLat;  // ascending LatLow
  std::vector<TBox> FByLong; // ascending LongLow
  double FMaxLatExtent = 0;
  double FMaxLongExtent = 0;
};

// Entry numbers in ascending order; the same as testing every entry's box.
KARTAVO_API std::vector<int> EntriesInBox(TGeoDB& DB, double South, double West, double North,
                                          double East);

} // namespace kartavo
