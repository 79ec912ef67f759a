// TGeoDB: lookups by identifier, by bounding-box edge and by name.
#include "kartavo/geodb/geo_db.h"

#include "kartavo/geodb/gdb_box_query.h"

#include "kartavo/framework/detail/text_scan.h"
#include "kartavo/geodb/detail/gdb_index.h"

#include <algorithm>

namespace kartavo {

namespace {
template <class Rec, class Key> int Closest(const std::vector<Rec>& a, int count, Key key) {
  return SearchIndex(a, count, key).Position + 1;
}
} // namespace

int TGeoDB::GetClosestLatLowIx(double Latit) {
  MaterializeIndexes();
  return Closest(FIx1LatLo, FNumSumItems, Latit);
}
int TGeoDB::GetClosestLatHighIx(double Latit) {
  MaterializeIndexes();
  return Closest(FIx2LatHi, FNumSumItems, Latit);
}
int TGeoDB::GetClosestLongLowIx(double Longit) {
  MaterializeIndexes();
  return Closest(FIx3LongLo, FNumSumItems, Longit);
}
int TGeoDB::GetClosestLongHighIx(double Longit) {
  MaterializeIndexes();
  return Closest(FIx4LongHi, FNumSumItems, Longit);
}
int TGeoDB::GetClosestItemIDIx(int ItemID) {
  MaterializeIndexes();
  return Closest(FIx0ItemId, FNumSumItems, int64_t{ItemID});
}

void TGeoDB::GetBoxExtents(double& MaxLatExtent, double& MaxLongExtent) {
  MaxLatExtent = BoxTable().MaxLatExtent();
  MaxLongExtent = BoxTable().MaxLongExtent();
}

const TGdbBoxTable& TGeoDB::BoxTable() {
  if (!FBoxTable) FBoxTable = std::make_shared<const TGdbBoxTable>(FSumData, FNumSumItems);
  return *FBoxTable;
}

int TGeoDB::SearchForItemID(int ItemID) {
  MaterializeIndexes();
  const TIndexSearch s = SearchIndex(FIx0ItemId, FNumSumItems, int64_t{ItemID});
  return s.Found ? FIx0ItemId[static_cast<size_t>(s.Position)].index + 1 : 0;
}

namespace {
// Names compare without regard to trailing blanks and to the case of the
// Windows-1252 letters, the code page of stored names.
std::string_view TrimTrailing(std::string_view s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
    s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  a = TrimTrailing(a);
  b = TrimTrailing(b);
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return fw::LowerCp1252(x) == fw::LowerCp1252(y);
         });
}
} // namespace

int TGeoDB::SearchData(const TgdbName& Name, TgdbItem ItemType, int StartSearchAt,
                       uint8_t ClassNumber) const {
  for (int n = std::max(StartSearchAt, 1); n <= FNumSumItems; ++n) {
    const TgdbData& d = FSumData[static_cast<size_t>(n - 1)];
    if (ItemType != gitUndefined && d.ItemKind != ItemType) continue;
    if (ClassNumber != 0 && d.ClassFlag != ClassNumber) continue;
    if (SameName(d.Name.Bytes(), Name.Bytes())) return n;
  }
  return 0;
}

int TGeoDB::SearchData(const TgdbName& Name) const { return SearchData(Name, gitUndefined, 1, 0); }

} // namespace kartavo
