#include "kartavo/geodb/gdb_box_query.h"

#include <algorithm>
#include <cmath>

namespace kartavo {
namespace {

// The lowest low edge an entry meeting a box whose other edge is `edge` can
// have, given the largest extent. Rounding in the subtraction is made up for
// by a margin far wider than it: a few more candidates, never one less.
double LowestLowEdge(double edge, double extent) {
  const double low = edge - extent;
  return low - (std::fabs(edge) + extent) * 1e-12;
}

} // namespace

TGdbBoxTable::TGdbBoxTable(const std::vector<TgdbData>& Entries, int Count) {
  for (int n = 0; n < Count; ++n) {
    const TgdbData& d = Entries[static_cast<size_t>(n)];
    // A box with an edge that is not a number meets no box at all.
    if (std::isnan(d.LatLow) || std::isnan(d.LatHigh) || std::isnan(d.LongLow) ||
        std::isnan(d.LongHigh))
      continue;
    FByLat.push_back({d.LatLow, d.LatHigh, d.LongLow, d.LongHigh, n + 1});
    // Comparisons that are false (an infinite extent of inf − inf) change nothing.
    const double latExtent = double{d.LatHigh} - d.LatLow;
    const double longExtent = double{d.LongHigh} - d.LongLow;
    if (latExtent > FMaxLatExtent) FMaxLatExtent = latExtent;
    if (longExtent > FMaxLongExtent) FMaxLongExtent = longExtent;
  }
  FByLong = FByLat;
  std::stable_sort(FByLat.begin(), FByLat.end(),
                   [](const TBox& a, const TBox& b) { return a.LatLow < b.LatLow; });
  std::stable_sort(FByLong.begin(), FByLong.end(),
                   [](const TBox& a, const TBox& b) { return a.LongLow < b.LongLow; });
}

std::vector<int> TGdbBoxTable::Query(double south, double west, double north, double east) const {
  if (std::isnan(south) || std::isnan(west) || std::isnan(north) || std::isnan(east)) return {};
  const auto range = [](const std::vector<TBox>& boxes, float TBox::*low, double from, double to) {
    const auto first = std::partition_point(boxes.begin(), boxes.end(),
                                            [&](const TBox& b) { return double{b.*low} < from; });
    const auto last = std::partition_point(first, boxes.end(),
                                           [&](const TBox& b) { return double{b.*low} <= to; });
    return std::pair(first, last);
  };
  const auto byLat = range(FByLat, &TBox::LatLow, LowestLowEdge(south, FMaxLatExtent), north);
  const auto byLong = range(FByLong, &TBox::LongLow, LowestLowEdge(west, FMaxLongExtent), east);
  const auto [first, last] =
      byLat.second - byLat.first <= byLong.second - byLong.first ? byLat : byLong;
  std::vector<int> out;
  for (auto it = first; it != last; ++it)
    if (it->LatLow <= north && it->LatHigh >= south && it->LongLow <= east && it->LongHigh >= west)
      out.push_back(it->Entry);
  std::sort(out.begin(), out.end());
  return out;
}

std::vector<int> EntriesInBox(TGeoDB& db, double south, double west, double north, double east) {
  return db.BoxTable().Query(south, west, north, east);
}

} // namespace kartavo
