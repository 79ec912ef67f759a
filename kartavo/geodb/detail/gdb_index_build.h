// Building the five indexes from an entry table and checking index files
// read from disk against it.
#pragma once

#include "kartavo/geodb/gdb_types.h"

#include <vector>

namespace kartavo {

// The entry field a coordinate index is keyed by: 1 LatLow, 2 LatHigh, 3 LongLow, 4 LongHigh.
using TEntryCoord = float TgdbData::*;
TEntryCoord CoordOfIndex(int ix);

// The index as inserting the entries 1 .. Count one after another gives it.
TIxItemIDRecArray BuildItemIDIndex(const std::vector<TgdbData>& Entries, int Count);
TIxLLRecArray BuildCoordIndex(const std::vector<TgdbData>& Entries, int Count, TEntryCoord Field);

// True when the index holds exactly one record for each of the Count
// entries, in ascending key order, each key equal to its entry's.
bool IndexMatches(const TIxItemIDRecArray& Index, const std::vector<TgdbData>& Entries, int Count);
bool IndexMatches(const TIxLLRecArray& Index, const std::vector<TgdbData>& Entries, int Count,
                  TEntryCoord Field);

} // namespace kartavo
