// The landmark store's editing: where removals move the survivors, the
// class filters, the strict borders, the veto and the storage rule.
#include "kartavo/geomap/landmarks/landmark_store.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
using namespace kartavo;

// Landmarks tagged 1..n, at latitude = tag, longitude 0, in class tag % 3.
TLandmarkStore Numbered(int n) {
  TLandmarkStore s;
  for (int i = 1; i <= n; ++i) {
    TLandMark lm = DefaultLandMark();
    lm.Tag = i;
    lm.Latitude = i;
    lm.ClassFlag = static_cast<uint8_t>(i % 3);
    s.Add(lm, {});
  }
  return s;
}

std::vector<int> Tags(const TLandmarkStore& s) {
  std::vector<int> out;
  for (const TLandMark& lm : s.Items())
    out.push_back(lm.Tag);
  return out;
}

TEST(LandmarkStoreEdit, SingleRemovalMovesTheLastIntoTheHole) {
  TLandmarkStore s = Numbered(5);
  s.SetHighlight(4);
  EXPECT_EQ(s.RemoveAt(2, {}), 2);
  EXPECT_EQ(Tags(s), (std::vector<int>{1, 5, 3, 4}));
  EXPECT_EQ(s.Highlight(), 0);
  EXPECT_EQ(s.RemoveAt(9, {}), 0);
  EXPECT_EQ(s.RemoveAt(4, {}), 4) << "the last one leaves no hole";
  EXPECT_EQ(Tags(s), (std::vector<int>{1, 5, 3}));
  s.RemoveLast({});
  EXPECT_EQ(Tags(s), (std::vector<int>{1, 5}));
  TLandmarkStore empty;
  EXPECT_EQ(empty.RemoveAt(1, {}), 0);
  empty.RemoveLast({});
  EXPECT_EQ(empty.Count(), 0);
}

TEST(LandmarkStoreEdit, MultipleRemovalFillsHolesFromTheTop) {
  // Latitudes 1, 2 and 3 lie within 1.5 of latitude 2; the host keeps 2.
  // Removing 1 and 3 of 4 moves the former 4 to 1 and leaves 2 at 2.
  TLandmarkStore t = Numbered(4);
  int asked = 0;
  const int removed = t.RemoveWithin(2, 0, -1, 1.5, [&](TLandMarkAction a, const TLandMark& lm) {
    EXPECT_EQ(a, lmaRemove);
    ++asked;
    return lm.Tag != 2; // keep 2
  });
  EXPECT_EQ(removed, 2);
  EXPECT_EQ(asked, 3);
  EXPECT_EQ(Tags(t), (std::vector<int>{4, 2}));

  TLandmarkStore many = Numbered(10);
  EXPECT_EQ(many.RemoveClass(1, {}), 4); // tags 1, 4, 7, 10
  EXPECT_EQ(Tags(many), (std::vector<int>{9, 2, 3, 8, 5, 6}));
  EXPECT_EQ(many.RemoveClass(7, {}), 0);
  EXPECT_EQ(many.Count(), 6);
}

TEST(LandmarkStoreEdit, BordersAreStrictAndFiltersOutOfRangeTakeEveryClass) {
  TLandmarkStore s = Numbered(5);
  EXPECT_EQ(s.RemoveWithin(3, 0, 300, 1.0, {}), 1) << "latitudes 2 and 4 lie exactly on the radius";
  EXPECT_EQ(Tags(s), (std::vector<int>{1, 2, 5, 4}));
  EXPECT_EQ(s.RemoveInside({-1, 4, 1, 1}, -5, {}), 1) << "latitudes 1 and 4 on the border";
  EXPECT_EQ(Tags(s), (std::vector<int>{1, 4, 5}));
  EXPECT_EQ(s.RemoveInside({0, 10, 1, 0}, -1, {}), 0) << "longitude 0 on the west border";
  EXPECT_EQ(s.RemoveNearest(4.2, 0, 2, {}), 3) << "tag 5 is the only one of class 2";
  EXPECT_EQ(Tags(s), (std::vector<int>{1, 4}));
}

TEST(LandmarkStoreEdit, FindTakesTheLowestOfEquallyNear) {
  TLandmarkStore s = Numbered(3);
  EXPECT_EQ(s.FindNearest(2.5, 0, -1), 2);
  EXPECT_EQ(s.FindNearest(100, 0, 0), 3);
  EXPECT_EQ(s.FindNearest(1, 0, 5), 0) << "no landmark of class 5";
  EXPECT_EQ(TLandmarkStore().FindNearest(0, 0, -1), 0);
}

TEST(LandmarkStoreEdit, VetoedAdditionsAndRemovalsLeaveTheStore) {
  TLandmarkStore s = Numbered(3);
  const auto no = [](TLandMarkAction, const TLandMark&) { return false; };
  EXPECT_FALSE(s.Add(DefaultLandMark(), no));
  EXPECT_EQ(s.RemoveAt(1, no), 0);
  EXPECT_EQ(s.RemoveNearest(1, 0, -1, no), 0);
  EXPECT_EQ(s.RemoveInside({-1, 10, 1, 0}, -1, no), 0);
  EXPECT_EQ(Tags(s), (std::vector<int>{1, 2, 3}));
}

TEST(LandmarkStoreEdit, StorageGrowsByBlocksAndShrinksWhenEmpty) {
  TLandmarkStore s = Numbered(1000);
  EXPECT_EQ(s.Storage(), 1000);
  s.Add(DefaultLandMark(), {});
  EXPECT_EQ(s.Storage(), 2000);
  for (int i = 0; i < 999; ++i)
    s.Add(DefaultLandMark(), {});
  EXPECT_EQ(s.Storage(), 2000);
  s.Add(DefaultLandMark(), {});
  EXPECT_EQ(s.Storage(), 3000);
  s.RemoveInside({-1, 1e9, 1, -1e9}, -1, {});
  EXPECT_EQ(s.Count(), 0);
  EXPECT_EQ(s.Storage(), 1000);
  s = Numbered(1500);
  s.SetHighlight(3);
  s.Clear();
  EXPECT_EQ(s.Storage(), 1000);
  EXPECT_EQ(s.Highlight(), 3) << "emptying without events keeps the highlight index";
}

TEST(LandmarkStoreEdit, AccessOutsideTheStore) {
  TLandmarkStore s = Numbered(2);
  EXPECT_EQ(s.At(0), nullptr);
  EXPECT_EQ(s.At(3), nullptr);
  EXPECT_EQ(s.At(2)->Tag, 2);
  TLandMark lm = DefaultLandMark();
  lm.Tag = 77;
  EXPECT_FALSE(s.SetAt(3, lm));
  EXPECT_TRUE(s.SetAt(1, lm));
  EXPECT_EQ(Tags(s), (std::vector<int>{77, 2}));
}

} // namespace
