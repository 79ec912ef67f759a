#include "kartavo/geodb/detail/gdb_index_build.h"

#include "kartavo/geodb/detail/gdb_index.h"

#include <bit>

namespace kartavo {
namespace {

template <class Rec, class KeyOf>
std::vector<Rec> Build(const std::vector<TgdbData>& entries, int count, KeyOf keyOf) {
  std::vector<Rec> index;
  TIndexBulkInserter<Rec> inserter(index);
  for (int i = 0; i < count; ++i)
    inserter.Insert(Rec{keyOf(entries[static_cast<size_t>(i)]), i});
  inserter.Finish();
  return index;
}

// Every position exactly once, keys as the entries have them, ascending.
template <class Rec, class SameKey>
bool Matches(const std::vector<Rec>& index, int count, SameKey sameKey) {
  if (static_cast<int>(index.size()) != count) return false;
  std::vector<bool> seen(static_cast<size_t>(count), false);
  for (size_t i = 0; i < index.size(); ++i) {
    const int32_t at = index[i].index;
    if (at < 0 || at >= count || seen[static_cast<size_t>(at)]) return false;
    seen[static_cast<size_t>(at)] = true;
    if (!sameKey(index[i], static_cast<size_t>(at))) return false;
    if (i > 0 && IndexKey(index[i - 1]) > IndexKey(index[i])) return false;
  }
  return true;
}

} // namespace

TEntryCoord CoordOfIndex(int ix) {
  switch (ix) {
  case 1:
    return &TgdbData::LatLow;
  case 2:
    return &TgdbData::LatHigh;
  case 3:
    return &TgdbData::LongLow;
  default:
    return &TgdbData::LongHigh;
  }
}

TIxItemIDRecArray BuildItemIDIndex(const std::vector<TgdbData>& entries, int count) {
  return Build<TIxItemIDRec>(entries, count, [](const TgdbData& d) { return d.ItemId; });
}

TIxLLRecArray BuildCoordIndex(const std::vector<TgdbData>& entries, int count, TEntryCoord field) {
  return Build<TIxLLRec>(entries, count, [field](const TgdbData& d) { return d.*field; });
}

bool IndexMatches(const TIxItemIDRecArray& index, const std::vector<TgdbData>& entries, int count) {
  return Matches(index, count, [&entries](const TIxItemIDRec& r, size_t at) {
    return entries[at].ItemId == r.ItemID;
  });
}

bool IndexMatches(const TIxLLRecArray& index, const std::vector<TgdbData>& entries, int count,
                  TEntryCoord field) {
  // Keys compare bit for bit, so that a NaN key matches itself.
  return Matches(index, count, [&entries, field](const TIxLLRec& r, size_t at) {
    return std::bit_cast<uint32_t>(entries[at].*field) == std::bit_cast<uint32_t>(r.LLValue);
  });
}

} // namespace kartavo
