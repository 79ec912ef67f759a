// The landmarks of a map control and how they are shown: the landmarks
// themselves (counted from 1 at the interface, stored from 0 here), the
// template for new ones, which classes are drawn, the count above which a
// random sample is drawn, and the highlighted landmark with its colours.
//
// Storage is kept in whole blocks of Block entries, at least one block, so
// that adding landmarks one at a time reallocates rarely.
#pragma once

#include "kartavo/companion/quillon.h"
#include "kartavo/framework/color.h"
#include "kartavo/framework/export.h"
#include "kartavo/geomap/landmark_records.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fw {
class TTextFile;
}

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

  // --- editing (landmark_store_edit.cpp) ---
  // Nearness is the distance on the flat latitude-longitude plane, in
  // degrees. A class filter of -1, or any value outside 0..255, takes every
  // class. Allowed (when set) is asked before each landmark is added or
  // removed and may refuse it. Removing moves the highest-indexed landmarks
  // into the freed slots, so indexes are positions, not identities; every
  // removal from a store that is not empty drops the highlight. When the
  // store becomes empty its storage goes back to one block.
  using TActionCheck = std::function<bool(TLandMarkAction Action, const TLandMark& LandMark)>;

  // Appends LandMark when allowed; true when it was stored.
  bool Add(const TLandMark& LandMark, const TActionCheck& Allowed);
  // Removes landmark ix (1..Count); returns ix, or 0 when nothing was removed.
  int RemoveAt(int ix, const TActionCheck& Allowed);
  // Removes the landmark of the class filter nearest to the position (the
  // lowest index of equally near ones); returns its index or 0.
  int RemoveNearest(double Lat, double Long, int32_t ClassFlag, const TActionCheck& Allowed);
  // Removes the landmark with the highest index.
  void RemoveLast(const TActionCheck& Allowed);
  // Remove every landmark of the class filter closer than Radius, strictly
  // inside the rectangle, or of exactly the class; return the number removed.
  // Allowed is asked for each in index order before anything moves.
  int RemoveWithin(double Lat, double Long, int32_t ClassFlag, double Radius,
                   const TActionCheck& Allowed);
  int RemoveInside(const quillon::TRectDouble& Rect, int32_t ClassFlag,
                   const TActionCheck& Allowed);
  int RemoveClass(uint8_t ClassFlag, const TActionCheck& Allowed);
  // Empties the store without asking; the highlight index stays.
  void Clear();
  // The index of the landmark of the class filter nearest to the position, 0
  // for none.
  int FindNearest(double Lat, double Long, int32_t ClassFlag) const;
  // Landmark ix, or null outside 1..Count.
  const TLandMark* At(int ix) const;
  // Replaces landmark ix; false (nothing changed) outside 1..Count.
  bool SetAt(int ix, const TLandMark& LandMark);

  // Reads the landmark section DataID of an open landmark file: on its
  // header the store is emptied (as Clear), then its landmarks are appended
  // without asking. False, and nothing changed, when the file has no such
  // section.
  bool ReadFromOpenXMLFile(fw::TTextFile& F, const std::string& DataID);

  friend bool operator==(const TLandmarkStore&, const TLandmarkStore&) = default;

private:
  // Removes the landmarks marked in Gone (from 1), filling each hole with
  // the highest-indexed survivor.
  void Compact(std::vector<bool>& Gone);
  int RemoveMarked(const std::function<bool(const TLandMark&)>& Candidate,
                   const TActionCheck& Allowed);
  int RemoveOne(int Victim, const TActionCheck& Allowed);
  void ResetStorageIfEmpty();

  // The landmarks; a copy holds them in storage of whole blocks, and a copy
  // that cannot get its storage leaves the target as it was.
  struct KARTAVO_API TItems {
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
