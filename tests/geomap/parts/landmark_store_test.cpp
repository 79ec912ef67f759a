#include "kartavo/geomap/landmarks/landmark_store.h"

#include <gtest/gtest.h>

namespace kartavo {
namespace {

TEST(LandmarkStore, StartsEmptyWithOneBlockAndTheCreationValues) {
  const TLandmarkStore store;
  EXPECT_EQ(store.Count(), 0);
  EXPECT_EQ(store.Storage(), 1000);
  EXPECT_EQ(store.Default(), DefaultLandMark());
  EXPECT_TRUE(store.ClassVisible(0) && store.ClassVisible(255));
  EXPECT_EQ(store.RandomThreshold(), 20000);
  EXPECT_EQ(store.Highlight(), 0);
  EXPECT_EQ(store.HighlightStyle(), (THighlightStyle{0xFF0000, 0x00FFFF, false}));
}

TEST(LandmarkStore, CopiesHoldTheirLandmarksInWholeBlocks) {
  TLandmarkStore big;
  big.Resize(1001);
  EXPECT_EQ(big.Storage(), 2000);
  TLandmarkStore copy;
  copy = big;
  EXPECT_EQ(copy.Count(), 1001);
  EXPECT_EQ(copy.Storage(), 2000);
  EXPECT_EQ(copy, big);
  copy = TLandmarkStore();
  EXPECT_EQ(copy.Storage(), 1000);
  EXPECT_EQ(TLandmarkStore(big).Storage(), 2000);
  EXPECT_EQ(TLandmarkStore::StorageFor(TLandmarkStore::MaxCount), TLandmarkStore::MaxCount);
  EXPECT_THROW(TLandmarkStore::StorageFor(TLandmarkStore::MaxCount + 1), std::length_error);
  EXPECT_THROW(big.Resize(INT32_MAX), std::length_error);
  EXPECT_EQ(big.Count(), 1001);
  for (int n : {-3, 0, 1, 999, 1000, 1001, 2000, 2001})
    EXPECT_EQ(TLandmarkStore::StorageFor(n), n <= 1000 ? 1000 : (n <= 2000 ? 2000 : 3000)) << n;
}

TEST(LandmarkStore, ThresholdAndHighlightTakeOnlyValuesInRange) {
  TLandmarkStore store;
  EXPECT_FALSE(store.SetRandomThreshold(1000));
  EXPECT_TRUE(store.SetRandomThreshold(1001));
  EXPECT_FALSE(store.SetRandomThreshold(1001));
  EXPECT_EQ(store.RandomThreshold(), 1001);

  store.Resize(3);
  EXPECT_TRUE(store.SetHighlight(2));
  EXPECT_TRUE(store.SetHighlight(3));
  EXPECT_TRUE(store.SetHighlight(5));
  EXPECT_EQ(store.Highlight(), 0);
  EXPECT_FALSE(store.SetHighlight(-1));
}

} // namespace
} // namespace kartavo
