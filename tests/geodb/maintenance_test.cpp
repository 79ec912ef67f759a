// Garbage collection, index rebuilding, in-place updates, the debug export
// and the completion of an interrupted file swap.
#include "geodb_fixture.h"

#include "kartavo/geodb/detail/gdb_file_swap.h"

#include <random>

using namespace kartavo;
using namespace geodb_test;

namespace {

class Maintenance : public GeoDBTest {
protected:
  void SetUp() override {
    GeoDBTest::SetUp();
    db.SetDBName(base);
    const std::string blob(20000, 'q');
    TMetaInfo meta;
    meta.Caption = "doc";
    for (int i = 0; i < 6; ++i)
      db.AddRiver("R" + std::to_string(i), Square(float(i), 1, 2), 0, 0, 0, 0, 0, 0, 0, 0, 0);
    db.AddBLOB("doc", 0, 0, 1, 2, 3, 4, 0, 0, 0, meta, blob.data(), int(blob.size()));
    db.AddTown("T", 0, 0, {1, 2}, 0, 0, 0);
    db.ReplaceRiver(2, "R2b", TgdbPolygon(30, {7, 7}), 0, 0, 0, 0, 0, 0, 0, 0, 0);
    db.ReplaceBLOB(7, "doc2", 0, 0, 1, 2, 3, 4, 0, 0, 0, meta, blob.data(), 100);
    db.DeleteData(4);
  }
  TGeoDB db{nullptr};
};

TEST_F(Maintenance, GarbageCollectionKeepsOnlyReferencedBlocks) {
  std::vector<TgdbPolygon> polys(size_t(db.NumEntries()) + 1);
  for (int n = 1; n <= db.NumEntries(); ++n)
    db.RetrievePolygon(n, polys[size_t(n)]);
  const Bytes summaryBefore = Raw(".orvgds");
  const Bytes ix2 = Raw(".orvgi2");
  Watch(db);
  db.GarbageCollection();
  EXPECT_EQ(progress.front(), 0);
  EXPECT_EQ(progress.back(), 100);
  // Header, five polygons (one of 30 points), one BLOB of 100 bytes.
  EXPECT_EQ(std::filesystem::file_size(File(".orvgdd")), 260u + 4 * 32 + 30 * 8 + 1024 + 100);
  for (int n = 1; n <= db.NumEntries(); ++n) {
    TgdbPolygon p;
    db.RetrievePolygon(n, p);
    EXPECT_EQ(p, polys[size_t(n)]) << n;
  }
  fw::TMemoryStream s;
  TMetaInfo meta;
  ASSERT_TRUE(db.RetrieveBLOB(db.SearchData("doc2"), meta, s));
  EXPECT_EQ(s.Size(), 100);
  EXPECT_EQ(meta.Caption.ToString(), "doc");
  // Only the offsets changed in the summary; the indexes are untouched.
  Bytes summary = Raw(".orvgds");
  ASSERT_EQ(summary.size(), summaryBefore.size());
  for (size_t r = 0; r < summary.size() / 120; ++r)
    Put32(summary, r * 120 + 76, Get32(summaryBefore, r * 120 + 76));
  EXPECT_EQ(summary, summaryBefore);
  EXPECT_EQ(Raw(".orvgi2"), ix2);
  EXPECT_FALSE(std::filesystem::exists(SwapMarkerName(base)));
  // Reopened, the database reads the same.
  db.SetDBName(base);
  TgdbPolygon p;
  EXPECT_TRUE(db.RetrievePolygon(2, p));
  EXPECT_EQ(p, polys[2]);
}

TEST_F(Maintenance, InterruptedSwapIsCompletedOrDiscardedOnOpening) {
  db.SetDBName("");
  const Bytes summary = Raw(".orvgds");
  const Bytes data = Raw(".orvgdd");
  // Temporary files without the marker: the swap never committed.
  WriteRaw(SwapTempName(File(".orvgds")), Bytes(7, 1));
  db.SetDBName(base);
  EXPECT_EQ(Raw(".orvgds"), summary);
  EXPECT_FALSE(std::filesystem::exists(SwapTempName(File(".orvgds"))));
  // With the marker the new files are complete: the renames are finished.
  db.GarbageCollection();
  const Bytes newSummary = Raw(".orvgds");
  const Bytes newData = Raw(".orvgdd");
  db.SetDBName("");
  WriteRaw(File(".orvgds"), summary);
  WriteRaw(File(".orvgdd"), data);
  WriteRaw(SwapTempName(File(".orvgdd")), newData); // the summary was renamed already
  WriteRaw(SwapMarkerName(base), {});
  WriteRaw(File(".orvgds"), newSummary);
  db.SetDBName(base);
  EXPECT_EQ(Raw(".orvgdd"), newData);
  EXPECT_FALSE(std::filesystem::exists(SwapMarkerName(base)));
  TgdbPolygon p;
  EXPECT_TRUE(db.RetrievePolygon(1, p));
}

TEST_F(Maintenance, RecalcIndexesRebuildsWithTheInsertionRule) {
  TGeoDB fresh(nullptr);
  fresh.SetDBName((dir / "fresh").string());
  std::mt19937 rng(7);
  for (int i = 0; i < 200; ++i)
    fresh.AddTown("T", 0, 0, {float(std::uniform_int_distribution<int>(0, 4)(rng)), 1}, 0, 0, 0);
  std::vector<Bytes> before;
  for (int i = 0; i < 5; ++i)
    before.push_back(ReadRaw((dir / ("fresh.orvgi" + std::to_string(i))).string()));
  for (int i = 0; i < 5; ++i)
    WriteRaw((dir / ("fresh.orvgi" + std::to_string(i))).string(), {});
  std::vector<int> seen;
  fresh.OnPercentDone = [&seen](fw::TObject*, int p) { seen.push_back(p); };
  fresh.RecalcIndexes();
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(ReadRaw((dir / ("fresh.orvgi" + std::to_string(i))).string()), before[size_t(i)])
        << i;
  EXPECT_EQ(seen, (std::vector<int>{0, 20, 40, 60, 80, 100}));
}

TEST_F(Maintenance, UpdatesChangeOnlyWhatTheyName) {
  TgdbData d = db.Data(1);
  const TgdbData old = d;
  d.Name = "Renamed";
  d.Altitude = 12;
  d.ClassFlag = 4;
  d.Tag = 99;
  d.StateFlag = 5;
  d.Date = 3;
  d.LatLow = -50; // not a descriptive field: ignored
  db.UpdateBasicData(1, d);
  const TgdbData now = db.Data(1);
  EXPECT_EQ(now.Name.ToString(), "Renamed");
  EXPECT_EQ(now.Tag, 99);
  EXPECT_EQ(now.LatLow, old.LatLow);
  EXPECT_EQ(now.BlobOffset, old.BlobOffset);
  EXPECT_EQ(now.ItemId, old.ItemId);
  EXPECT_EQ(Slice(Raw(".orvgds"), 0, 120),
            (ExpectedEntry{old.ItemId, "Renamed", 12, 4, 99, old.BlobOffset, 3, 5, old.LatLow,
                           old.LatHigh, old.LongLow, old.LongHigh, gitRiver, old.NumPoints, false}
                 .Encode()));

  const int blob = db.SearchData("doc2");
  const auto size = std::filesystem::file_size(File(".orvgdd"));
  TMetaInfo meta;
  ASSERT_TRUE(db.GetMetaInfo(blob, meta));
  meta.FilePath = "C:\\new\\path.doc";
  db.UpdateMetaInfo(blob, meta);
  TMetaInfo back;
  ASSERT_TRUE(db.GetMetaInfo(blob, back));
  EXPECT_EQ(back, meta);
  EXPECT_EQ(std::filesystem::file_size(File(".orvgdd")), size);
  EXPECT_FALSE(db.GetMetaInfo(1, back)); // not a BLOB
}

TEST_F(Maintenance, DebugExportListsHeaderEntriesAndIndexes) {
  const std::string out = (dir / "dump.txt").string();
  db.ExportDataDebug(out);
  const Bytes raw = ReadRaw(out);
  const std::string text(raw.begin(), raw.end());
  EXPECT_NE(text.find("Entries 7\r\n"), std::string::npos);
  EXPECT_NE(text.find("River \"R2b\""), std::string::npos);
  EXPECT_NE(text.find("BLOB \"doc2\""), std::string::npos);
  EXPECT_NE(text.find("Index LongHigh\r\n"), std::string::npos);
}

} // namespace
