#include "kartavo/geomap/landmarks/landmark_store.h"

#include <algorithm>
#include <stdexcept>

namespace kartavo {

TLandmarkStore::TLandmarkStore() {
  FClassVisible.fill(true);
  FItems.Reserve(0);
}

int TLandmarkStore::StorageFor(int n) {
  if (n > MaxCount) throw std::length_error("landmark count beyond the store's limit");
  return n <= 0 ? Block : ((n - 1) / Block) * Block + Block;
}

void TLandmarkStore::Resize(int n) {
  n = std::max(n, 0);
  if (n > Storage()) FItems.Reserve(n);
  FItems.V.resize(static_cast<size_t>(n));
}

void TLandmarkStore::Append(const TLandMark& LandMark) {
  if (Count() == Storage()) FItems.Reserve(Count() + 1);
  FItems.V.push_back(LandMark);
}

bool TLandmarkStore::SetRandomThreshold(int value) {
  if (value <= MinRandomThreshold || value == FRandomThreshold) return false;
  FRandomThreshold = value;
  return true;
}

bool TLandmarkStore::SetHighlight(int value) {
  if (value < 0 || value > Count()) value = 0;
  if (value == FHighlight) return false;
  FHighlight = value;
  return true;
}

} // namespace kartavo
