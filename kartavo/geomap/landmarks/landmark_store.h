// The landmarks of a map control and how they are shown: the landmarks
// themselves (counted from 1 at the interface, stored from 0 here), the
// template for new ones, which classes are drawn, the count above which a
// random sample is drawn, and the highlighted landmark with its colours.
//
// Storage is kept in whole blocks of Block entries, at least one block, so
// that adding landmarks one at a time reallocates rarely.
#pragma once

#include "kartavo/framework/color.h"
#include "kartavo/framework/export.h"
#include "kartavo/geomap/landmark_records.h"

#include <array>
#include <cstdint>
#include <vector>

namespace kartavo {

// How the highlighted landmark is drawn.
struct THighlightStyle {
  fw::TColor FG = 0xFF0000;
  fw::TColor BG = 0x00FFFF;
  bool Transparent = false;
  friend bool operator==(const THighlightStyle&, const THighlightStyle&) = default;
};

class KARTAVO_API TLandmarkStore {
public:
  static constexpr int Block = 1000;
  // Random display thresholds at or below this are refused.
  static constexpr int MinRandomThreshold = 1000;

  // Empty, with storage for one block. Storage allocation raises
  // std::bad_alloc or std::length_error; the control reports them.
  TLandmarkStore();

  int Count() const { return static_cast<int>(FItems.V.size()); }
  const std::vector<TLandMark>& Items() const { return FItems.V; }
  // How many landmarks fit before the storage grows.
  int Storage() const { return static_cast<int>(FItems.V.capacity()); }
  // The most landmarks a store holds.
  static constexpr int MaxCount = INT32_MAX / Block * Block;
  // The storage for n landmarks: n rounded up to whole blocks, at least one.
  // Raises std::length_error beyond MaxCount.
  static int StorageFor(int n);
  // Count becomes n (negative counts as 0): new entries are empty records,
  // storage grows in whole blocks.
  void Resize(int n);
  // Adds a landmark at the end (it becomes landmark Count()); storage grows
  // in whole blocks.
  void Append(const TLandMark& LandMark);

  const TLandMark& Default() const { return FDefault; }
  void SetDefault(const TLandMark& value) { FDefault = value; }

  bool ClassVisible(uint8_t ClassFlag) const { return FClassVisible[ClassFlag]; }
  const std::array<bool, 256>& ClassVisibility() const { return FClassVisible; }
  void SetClassVisible(uint8_t ClassFlag, bool value) { FClassVisible[ClassFlag] = value; }

  int RandomThreshold() const { return FRandomThreshold; }
  // Takes only values above MinRandomThreshold; true when the value changed.
  bool SetRandomThreshold(int value);

  // The highlighted landmark, 1 .. Count; 0 for none.
  int Highlight() const { return FHighlight; }
  // Values outside 0 .. Count become 0; true when the value changed.
  bool SetHighlight(int value);
  const THighlightStyle& HighlightStyle() const { return FHighlightStyle; }
  void SetHighlightStyle(const THighlightStyle& value) { FHighlightStyle = value; }

  friend bool operator==(const TLandmarkStore&, const TLandmarkStore&) = default;

private:
  // The landmarks; a copy holds them in storage of whole blocks, and a copy
  // that cannot get its storage leaves the target as it was.
  struct TItems {
    std::vector<TLandMark> V;
    TItems() = default;
    TItems(const TItems& other) {
      Reserve(static_cast<int>(other.V.size()));
      V.assign(other.V.begin(), other.V.end());
    }
    TItems& operator=(const TItems& other) {
      TItems copy(other);
      V.swap(copy.V);
      return *this;
    }
    void Reserve(int n) { V.reserve(static_cast<size_t>(StorageFor(n))); }
    friend bool operator==(const TItems&, const TItems&) = default;
  };

  TItems FItems;
  TLandMark FDefault = DefaultLandMark();
  std::array<bool, 256> FClassVisible;
  int FRandomThreshold = 20000;
  int FHighlight = 0;
  THighlightStyle FHighlightStyle;
};

} // namespace kartavo
