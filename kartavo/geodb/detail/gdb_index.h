// The sorted indexes of a database: the binary search every lookup and
// insertion shares, the plain insertion into an array, and a bulk inserter
// that gives exactly the same arrays as repeated plain insertions but does
// not shift the whole array for every record.
//
// The position an equal key lands on depends on where the halving of the
// search meets the run of equal keys, so the order of equal keys is part of
// an index's content. The bulk inserter therefore runs the very same search,
// probe by probe, over a chunked copy of the array.
#pragma once

#include "kartavo/geodb/gdb_types.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kartavo {

// The key of an index record as the search compares it.
inline double IndexKey(const TIxLLRec& r) { return r.LLValue; }
inline int64_t IndexKey(const TIxItemIDRec& r) { return r.ItemID; }

// Result of the binary search over positions 0 .. Count - 1.
struct TIndexSearch {
  int Position = 0; // the equal element the halving reached, else the first greater one
  bool Found = false;
};

// The search over Count records; At(i) gives the key at position i.
template <class Key, class KeyAt> TIndexSearch SearchIndex(int Count, Key key, KeyAt At) {
  int lo = 0;
  int hi = Count - 1;
  int mid = 0;
  bool found = false;
  while (lo <= hi && !found) {
    mid = lo + (hi - lo) / 2;
    const auto k = At(mid);
    if (key > k)
      lo = mid + 1;
    else if (key < k)
      hi = mid - 1;
    else
      found = true;
  }
  if (Count == 0) return {0, false};
  return {found ? mid : (key > At(mid) ? mid + 1 : mid), found};
}

template <class Rec, class Key>
TIndexSearch SearchIndex(const std::vector<Rec>& a, int Count, Key key) {
  return SearchIndex(Count, key, [&a](int i) { return IndexKey(a[static_cast<size_t>(i)]); });
}

// Plain insertion: the array already has one free slot at its end; the
// search covers the positions before it and the record lands at the found
// position, directly before an equal key the search stopped at.
template <class Rec> void InsertIntoSorted(std::vector<Rec>& a, const Rec& r) {
  const int count = static_cast<int>(a.size()) - 1;
  if (count < 0) return;
  const int p = SearchIndex(a, count, IndexKey(r)).Position;
  std::move_backward(a.begin() + p, a.begin() + count, a.begin() + count + 1);
  a[static_cast<size_t>(p)] = r;
}

// Inserts many records into a sorted array one after another with the
// plain insertion's result, in far less time for large arrays.
template <class Rec> class TIndexBulkInserter {
public:
  explicit TIndexBulkInserter(std::vector<Rec>& Target) : FTarget(Target) {
    for (size_t i = 0; i < Target.size(); i += kChunk) {
      const size_t end = std::min(Target.size(), i + kChunk);
      FChunks.emplace_back(Target.begin() + static_cast<std::ptrdiff_t>(i),
                           Target.begin() + static_cast<std::ptrdiff_t>(end));
    }
    if (FChunks.empty()) FChunks.emplace_back();
    FCount = static_cast<int>(Target.size());
    RebuildStarts();
  }

  void Insert(const Rec& r) {
    const int p =
        SearchIndex(FCount, IndexKey(r), [this](int i) { return IndexKey(At(i)); }).Position;
    size_t c = ChunkOf(p);
    auto& chunk = FChunks[c];
    chunk.insert(chunk.begin() + (p - FStart[c]), r);
    ++FCount;
    for (size_t k = c + 1; k < FStart.size(); ++k)
      ++FStart[k];
    if (chunk.size() >= 2 * kChunk) Split(c);
  }

  // Writes the result back into the target array.
  void Finish() {
    FTarget.clear();
    FTarget.reserve(static_cast<size_t>(FCount));
    for (const auto& chunk : FChunks)
      FTarget.insert(FTarget.end(), chunk.begin(), chunk.end());
  }

private:
  static constexpr size_t kChunk = 512;

  // The chunk holding position p; the end position belongs to the last chunk.
  size_t ChunkOf(int p) const {
    auto it = std::upper_bound(FStart.begin(), FStart.end(), p);
    size_t c = static_cast<size_t>(it - FStart.begin()) - 1;
    // Empty chunks never occur except when the whole index is empty.
    return std::min(c, FChunks.size() - 1);
  }

  const Rec& At(int p) const {
    const size_t c = ChunkOf(p);
    return FChunks[c][static_cast<size_t>(p - FStart[c])];
  }

  void Split(size_t c) {
    auto& chunk = FChunks[c];
    std::vector<Rec> upper(chunk.begin() + kChunk, chunk.end());
    chunk.resize(kChunk);
    FChunks.insert(FChunks.begin() + static_cast<std::ptrdiff_t>(c) + 1, std::move(upper));
    RebuildStarts();
  }

  void RebuildStarts() {
    FStart.resize(FChunks.size());
    int s = 0;
    for (size_t c = 0; c < FChunks.size(); ++c) {
      FStart[c] = s;
      s += static_cast<int>(FChunks[c].size());
    }
  }

  std::vector<Rec>& FTarget;
  std::vector<std::vector<Rec>> FChunks;
  std::vector<int> FStart; // position of each chunk's first record
  int FCount = 0;
};

} // namespace kartavo
