// A fixed-size array addressed from 1, for the record fields that the
// interface indexes from 1 (calibration lines 1..25, points 1..10, 1..200).
#pragma once

#include <array>
#include <cstddef>

namespace kartavo {

template <typename T, int N> struct OneBasedArray {
  static_assert(N >= 1);
  static constexpr int High = N;

  std::array<T, N> Items{};

  // i counts from 1; like std::array, the index is not checked.
  T& operator[](int i) { return Items[static_cast<size_t>(i - 1)]; }
  const T& operator[](int i) const { return Items[static_cast<size_t>(i - 1)]; }

  auto begin() { return Items.begin(); }
  auto end() { return Items.end(); }
  auto begin() const { return Items.begin(); }
  auto end() const { return Items.end(); }

  friend bool operator==(const OneBasedArray&, const OneBasedArray&) = default;
};

} // namespace kartavo
