#include "kartavo/geodb/gdb_box_query.h"

#include <algorithm>

namespace kartavo {
namespace {

// Index positions (from 1) with key <= limit: 1 .. result.
int LastAtOrBelow(TGeoDB& db, int closest, double limit, TIxLLRec (TGeoDB::*at)(int)) {
  // The search stops anywhere in a run of equal keys; walk to its end.
  int p = closest;
  while (p <= db.NumEntries() && (db.*at)(p).LLValue <= limit)
    ++p;
  while (p > 1 && !((db.*at)(p - 1).LLValue <= limit))
    --p;
  return p - 1;
}

// Index positions with key >= limit: result .. NumEntries.
int FirstAtOrAbove(TGeoDB& db, int closest, double limit, TIxLLRec (TGeoDB::*at)(int)) {
  int p = closest;
  while (p > 1 && (db.*at)(p - 1).LLValue >= limit)
    --p;
  while (p <= db.NumEntries() && !((db.*at)(p).LLValue >= limit))
    ++p;
  return p;
}

} // namespace

std::vector<int> EntriesInBox(TGeoDB& db, double south, double west, double north, double east) {
  if (db.NumEntries() == 0) return {};
  double latExtent = 0, longExtent = 0;
  db.GetBoxExtents(latExtent, longExtent);
  struct Range {
    TIxLLRec (TGeoDB::*At)(int);
    int From, To;
  };
  const double latFrom = south - latExtent, longFrom = west - longExtent;
  const Range byLat = {
      &TGeoDB::GetIxLatLow,
      FirstAtOrAbove(db, db.GetClosestLatLowIx(latFrom), latFrom, &TGeoDB::GetIxLatLow),
      LastAtOrBelow(db, db.GetClosestLatLowIx(north), north, &TGeoDB::GetIxLatLow)};
  const Range byLong = {
      &TGeoDB::GetIxLongLow,
      FirstAtOrAbove(db, db.GetClosestLongLowIx(longFrom), longFrom, &TGeoDB::GetIxLongLow),
      LastAtOrBelow(db, db.GetClosestLongLowIx(east), east, &TGeoDB::GetIxLongLow)};
  const Range& best = byLat.To - byLat.From <= byLong.To - byLong.From ? byLat : byLong;
  std::vector<int> out;
  for (int p = best.From; p <= best.To; ++p) {
    const int entry = (db.*best.At)(p).index;
    const TgdbData d = db.Data(entry);
    if (d.LatLow <= north && d.LatHigh >= south && d.LongLow <= east && d.LongHigh >= west)
      out.push_back(entry);
  }
  std::sort(out.begin(), out.end());
  return out;
}

} // namespace kartavo
