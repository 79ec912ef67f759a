// A summary file that lost records: the database is marked damaged, reads
// still show what is there, every change is refused and no file is touched;
// a check reports it, and a recovery copies what can be read into a new
// database. Read-only opening never creates or changes a file.
#include "geodb_fixture.h"

#include "kartavo/package/exceptions.h"

#include <map>

using namespace kartavo;
using namespace geodb_test;

namespace {

class DamagedSummary : public GeoDBTest {
protected:
  // 22 entries: every third a BLOB of its own bytes, the others roads.
  void Build() {
    TGeoDB db(nullptr);
    db.SetDBName(base);
    for (int i = 0; i < 22; ++i) {
      if (i % 3 == 0) {
        const std::string blob = "blob " + std::to_string(i);
        db.AddBLOB("B" + std::to_string(i), 0, 0, float(i), float(i), 0, 0, 0, 0, 0, {},
                   blob.data(), int(blob.size()));
      } else {
        db.AddRoad("R" + std::to_string(i), {{float(i), 1}, {float(i), 2}}, 0, 0, 0, 0, 0, 0, 0, 0,
                   0);
      }
    }
  }
  void CutSummary(size_t bytes) {
    Bytes s = Raw(".orvgds");
    s.resize(bytes);
    WriteRaw(File(".orvgds"), s);
  }
  static void ExpectRefused(const std::function<void()>& change, const char* operation) {
    try {
      change();
      ADD_FAILURE() << operation << " was not refused";
    } catch (const EORVGeoDBError& e) {
      const std::string text = e.what();
      EXPECT_NE(text.find(std::string(operation) + ": the database is damaged"), std::string::npos)
          << text;
    }
  }
};

TEST_F(DamagedSummary, PartialRecordMarksTheDatabaseDamagedAndEveryChangeIsRefused) {
  Build();
  CutSummary(1000); // 8 whole records and a third
  const auto before = Files();
  TGeoDB db(nullptr);
  db.SetDBName(base);
  ASSERT_TRUE(db.Damaged());
  EXPECT_NE(db.Damage().front().find("not a whole number"), std::string::npos);
  EXPECT_EQ(db.NumEntries(), 8);
  TgdbPolygon poly;
  EXPECT_TRUE(db.RetrievePolygon(2, poly)); // reads still work
  TMetaInfo meta;
  ExpectRefused([&] { db.AddTown("T", 0, 0, {0, 0}, 0, 0, 0); }, "AddData");
  ExpectRefused([&] { db.ReplaceTown(1, "T", 0, 0, {0, 0}, 0, 0, 0); }, "ReplaceData");
  ExpectRefused([&] { db.DeleteData(1); }, "DeleteData");
  ExpectRefused([&] { db.RecalcIndexes(); }, "RecalcIndexes");
  ExpectRefused([&] { db.GarbageCollection(); }, "GarbageCollection");
  ExpectRefused([&] { db.UpdateMetaInfo(1, meta); }, "UpdateMetaInfo");
  ExpectRefused([&] { db.UpdateBasicData(1, db.Data(1)); }, "UpdateBasicData");
  ExpectRefused([&] { db.SetDescription("d"); }, "SetDescription");
  db.SetLazyWrite(true);
  db.SetLazyWrite(false);
  db.SetDBName("");
  EXPECT_EQ(Files(), before);
}

TEST_F(DamagedSummary, RecordsLostWholeAreSeenThroughTheIndexFiles) {
  Build();
  CutSummary(8 * 120);
  const auto before = Files();
  TGeoDB db(nullptr);
  db.SetDBName(base);
  ASSERT_TRUE(db.Damaged());
  EXPECT_NE(db.Damage().front().find("index files hold 22 entries"), std::string::npos)
      << db.Damage().front();
  ExpectRefused([&] { db.GarbageCollection(); }, "GarbageCollection");
  db.SetDBName("");
  EXPECT_EQ(Files(), before);
}

TEST_F(DamagedSummary, CheckReportsWithoutChangingAndRecoveryKeepsEveryReadableEntry) {
  Build();
  {
    TGeoDB db(nullptr);
    db.SetDBName(base);
    db.DeleteData(22); // leaves an unreferenced block
  }
  const TGdbCheckReport sound = CheckDatabase(base);
  EXPECT_TRUE(sound.Damage.empty());
  EXPECT_EQ(sound.Entries, 21);
  EXPECT_EQ(sound.UnreferencedBytes, 1024 + 7); // meta information and "blob 21"

  CutSummary(1000);
  const auto before = Files();
  const TGdbCheckReport r = CheckDatabase(base);
  EXPECT_EQ(r.Entries, 8);
  EXPECT_FALSE(r.Damage.empty());
  EXPECT_EQ(Files(), before);

  const std::string target = (dir / "saved").string();
  const TGdbRecoverReport rec = RecoverDatabase(base, target);
  EXPECT_EQ(rec.Recovered, 8);
  EXPECT_TRUE(rec.Dropped.empty());
  EXPECT_EQ(Files().size(), before.size() + 7);
  for (const auto& [name, bytes] : before)
    EXPECT_EQ(ReadRaw((dir / name).string()), bytes) << name;
  EXPECT_THROW(RecoverDatabase(base, target), fw::EInOutError); // never over a database

  TGeoDB saved(nullptr);
  saved.SetDBName(target);
  EXPECT_FALSE(saved.Damaged());
  ASSERT_EQ(saved.NumEntries(), 8);
  fw::TMemoryStream s;
  TMetaInfo meta;
  ASSERT_TRUE(saved.RetrieveBLOB(7, meta, s));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(s.Memory()), size_t(s.Size())), "blob 6");
  EXPECT_EQ(saved.Data(7).ItemId, 7);
  EXPECT_EQ(saved.AddTown("T", 0, 0, {0, 0}, 0, 0, 0), 9);
  EXPECT_EQ(saved.Data(9).ItemId, 23); // identifiers of lost entries are never given again
}

TEST_F(DamagedSummary, RecoveryLeavesOutEntriesWhoseBlocksAreGone) {
  Build();
  Bytes d = Raw(".orvgdd");
  d.resize(d.size() - 10); // the last block, entry 22's BLOB, is cut
  WriteRaw(File(".orvgdd"), d);
  TGeoDB db(nullptr);
  db.SetDBName(base);
  EXPECT_TRUE(db.Damaged());
  const TGdbRecoverReport rec = RecoverDatabase(base, (dir / "saved").string());
  EXPECT_EQ(rec.Recovered, 21);
  ASSERT_EQ(rec.Dropped.size(), 1u);
  EXPECT_NE(rec.Dropped[0].find("entry 22"), std::string::npos) << rec.Dropped[0];
}

TEST_F(DamagedSummary, GarbageCollectionRefusesWhenTheDiskHoldsRecordsMemoryDoesNot) {
  Build();
  TGeoDB db(nullptr);
  db.SetDBName(base);
  {
    TGeoDB other(nullptr); // another program adds an entry behind db's back
    other.SetDBName(base);
    const std::string blob(5000, 'x');
    other.AddBLOB("late", 0, 0, 0, 0, 0, 0, 0, 0, 0, {}, blob.data(), int(blob.size()));
  }
  const auto size = std::filesystem::file_size(File(".orvgdd"));
  EXPECT_THROW(db.GarbageCollection(), EORVGeoDBError);
  EXPECT_EQ(std::filesystem::file_size(File(".orvgdd")), size);
}

TEST_F(DamagedSummary, ReadOnlyOpeningNeverCreatesOrChangesAFile) {
  TGeoDB db(nullptr);
  db.SetName("GeoDB1");
  db.SetReadOnly(true);
  EXPECT_THROW(db.SetDBName(base), fw::EInOutError);
  EXPECT_TRUE(std::filesystem::is_empty(dir));
  EXPECT_EQ(db.DBName(), "");

  Build();
  // Stale index files, a lagging header and an unfinished swap: all mended
  // by an opening for writing, none by a read-only one.
  WriteRaw(File(".orvgi2"), Bytes(16, 0));
  std::filesystem::remove(File(".orvgi3"));
  WriteRaw(File(".orvgds~new"), Bytes(120, 0));
  const auto before = Files();
  db.SetDBName(base);
  EXPECT_EQ(db.NumEntries(), 22);
  EXPECT_FALSE(db.Damaged());
  EXPECT_EQ(db.IxLatHigh(22).LLValue, 21.0f);
  try {
    db.AddTown("T", 0, 0, {0, 0}, 0, 0, 0);
    ADD_FAILURE() << "added";
  } catch (const EORVGeoDBError& e) {
    EXPECT_STREQ(e.what(), "Component \"GeoDB1\": AddData: the database is open read-only.");
  }
  db.SetLazyWrite(true);
  db.SetDBName("");
  EXPECT_EQ(Files(), before);

  db.SetReadOnly(false);
  db.SetDBName(base);
  EXPECT_NE(Files(), before);
  EXPECT_FALSE(std::filesystem::exists(File(".orvgds~new")));
  EXPECT_EQ(Raw(".orvgi3").size(), 22u * 8);
}

} // namespace
