// Progress sequences of the long operations: 0 first, computed percentages
// rounded half to even, 100 last, and nothing while disabled.
#include "geodb_fixture.h"

#include "kartavo/geodb/detail/gdb_progress.h"

using namespace kartavo;
using namespace geodb_test;

namespace {

TEST(PercentOf, RoundsHalfToEven) {
  EXPECT_EQ(PercentOf(1, 200), 0);     // 0.5
  EXPECT_EQ(PercentOf(3, 200), 2);     // 1.5
  EXPECT_EQ(PercentOf(5, 200), 2);     // 2.5
  EXPECT_EQ(PercentOf(249, 250), 100); // 99.6
  EXPECT_EQ(PercentOf(16384, 40000), 41);
  EXPECT_EQ(PercentOf(1, 0), 0);
}

class Progress : public GeoDBTest {};

TEST_F(Progress, PointListReportsEveryPoint) {
  TGeoDB db(nullptr);
  db.SetDBName(base);
  Watch(db);
  db.AddRoad("R", TgdbPolygon(8, {1, 1}), 0, 0, 0, 0, 0, 0, 0, 0, 0);
  // f · 100 / 8 for f = 0..7: 0, 12.5, 25, 37.5, 50, 62.5, 75, 87.5
  EXPECT_EQ(progress, (std::vector<int>{0, 0, 12, 25, 38, 50, 62, 75, 88, 100}));
}

TEST_F(Progress, BlobFromMemoryReportsFullBuffers) {
  TGeoDB db(nullptr);
  db.SetDBName(base);
  Watch(db);
  const std::vector<uint8_t> blob(40000, 7);
  db.AddBLOB("b", 0, 0, 0, 0, 0, 0, 0, 0, 0, {}, blob.data(), int(blob.size()));
  EXPECT_EQ(progress, (std::vector<int>{0, 41, 82, 100}));
  progress.clear();
  std::vector<uint8_t> back(blob.size());
  TMetaInfo meta;
  EXPECT_TRUE(db.RetrieveBLOB(1, meta, back.data(), int(back.size())));
  EXPECT_EQ(progress, (std::vector<int>{0, 41, 82, 100, 100}));
  EXPECT_EQ(back, blob);
}

TEST_F(Progress, BlobFromFileReportsEachChunk) {
  const std::string src = (dir / "src.bin").string();
  WriteRaw(src, Bytes(40000, 3));
  TGeoDB db(nullptr);
  db.SetDBName(base);
  Watch(db);
  db.AddBLOB(src, 0, 0, 0, 0, 0, 0, 0, 0, 0, {});
  EXPECT_EQ(progress, (std::vector<int>{0, 41, 82, 100, 100}));
}

TEST_F(Progress, PolygonRetrievalReportsEveryStep) {
  TGeoDB db(nullptr);
  db.SetDBName(base);
  db.AddBorder("B", TgdbPolygon(250, {2, 2}), true, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  db.AddTown("T", 0, 0, {1, 1}, 0, 0, 0);
  Watch(db);
  TgdbPolygon poly;
  EXPECT_TRUE(db.RetrievePolygon(1, poly));
  std::vector<int> expected = {0};
  for (int i = 3; i <= 249; i += 3)
    expected.push_back(PercentOf(i, 250));
  expected.push_back(100);
  EXPECT_EQ(progress, expected);
  EXPECT_EQ(expected[expected.size() - 2], 100); // 249 · 100 / 250 = 99.6
  progress.clear();
  TgdbPolygon untouched = {{9, 9}};
  EXPECT_FALSE(db.RetrievePolygon(2, untouched));
  EXPECT_EQ(untouched, (TgdbPolygon{{9, 9}}));
  EXPECT_EQ(progress, (std::vector<int>{0, 100}));
}

TEST_F(Progress, DisabledOrUnassignedEventIsSilent) {
  TGeoDB db(nullptr);
  db.SetDBName(base);
  Watch(db);
  db.SetOnPercDoneEnabled(false);
  db.AddRoad("R", TgdbPolygon(8, {1, 1}), 0, 0, 0, 0, 0, 0, 0, 0, 0);
  db.DeleteData(1);
  EXPECT_TRUE(progress.empty());
  db.SetOnPercDoneEnabled(true);
  db.DeleteData(1); // deletion reports nothing
  db.OnPercentDone = nullptr;
  EXPECT_EQ(db.AddTown("T", 0, 0, {1, 1}, 0, 0, 0), 1);
  EXPECT_TRUE(progress.empty());
}

} // namespace
