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
  const int n = db.NumEntries();
  if (n == 0) return {};
  struct Range {
    TIxLLRec (TGeoDB::*At)(int);
    int From, To;
  };
  const Range ranges[] = {
      {&TGeoDB::GetIxLatLow, 1,
       LastAtOrBelow(db, db.GetClosestLatLowIx(north), north, &TGeoDB::GetIxLatLow)},
      {&TGeoDB::GetIxLatHigh,
       FirstAtOrAbove(db, db.GetClosestLatHighIx(south), south, &TGeoDB::GetIxLatHigh), n},
      {&TGeoDB::GetIxLongLow, 1,
       LastAtOrBelow(db, db.GetClosestLongLowIx(east), east, &TGeoDB::GetIxLongLow)},
      {&TGeoDB::GetIxLongHigh,
       FirstAtOrAbove(db, db.GetClosestLongHighIx(west), west, &TGeoDB::GetIxLongHigh), n}};
  const Range& best =
      *std::min_element(std::begin(ranges), std::end(ranges), [](const Range& a, const Range& b) {
        return a.To - a.From < b.To - b.From;
      });
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
