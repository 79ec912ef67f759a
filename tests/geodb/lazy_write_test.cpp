// Deferred writing: the same files as immediate writing once the deferred
// writes are done, lookups that see pending entries, and a process that
// dies in the middle leaving a database that opens consistently.
#include "geodb_fixture.h"

#include <random>
#include <sys/wait.h>
#include <unistd.h>

using namespace kartavo;
using namespace geodb_test;

namespace {

const char* const kSuffixes[] = {".orvgds", ".orvgdd", ".orvgi0", ".orvgi1",
                                 ".orvgi2", ".orvgi3", ".orvgi4"};

// A mixed workload with many equal keys; identical for both databases.
void Workload(TGeoDB& db, bool lazyAfterwards) {
  std::mt19937 rng(42);
  std::uniform_int_distribution<int> coord(-3, 3);
  for (int i = 0; i < 300; ++i) {
    TgdbPolygon p;
    for (int k = 0; k < i % 7; ++k)
      p.push_back({float(coord(rng)), float(coord(rng))});
    if (i % 5 == 0)
      db.AddTown("T" + std::to_string(i), 1, 0, {float(coord(rng)), 0}, 0, 0, 0);
    else
      db.AddRoad("R" + std::to_string(i), p, 2, 0, 0, 0, 0, 0, 0, 0, i);
    if (i == 150) db.SetLazyWrite(lazyAfterwards);
    if (i % 40 == 39) db.DeleteData(i / 3);
    if (i % 50 == 49) db.ReplaceLake(i / 2, "L", Square(1, 1, 1), 3, 0, 0, 0, 0, 0, 0, 0, 0);
  }
  const std::string blob(30000, 'z');
  db.AddBLOB("blob", 4, 0, 0, 0, 0, 0, 0, 0, 0, {}, blob.data(), int(blob.size()));
}

class LazyWrite : public GeoDBTest {};

TEST_F(LazyWrite, DeferredFilesEqualImmediateFiles) {
  const std::string other = (dir / "other").string();
  {
    TGeoDB lazy(nullptr);
    lazy.SetLazyWrite(true);
    lazy.SetDBName(base);
    Workload(lazy, true);
    EXPECT_TRUE(lazy.LazyWrite());
  } // the destructor writes what was deferred
  {
    TGeoDB direct(nullptr);
    direct.SetDBName(other);
    Workload(direct, false);
  }
  for (const char* s : kSuffixes)
    EXPECT_EQ(Raw(s), ReadRaw(other + s)) << s;
}

TEST_F(LazyWrite, IndexFilesWaitUntilLazyWriteEnds) {
  TGeoDB db(nullptr);
  db.SetDBName(base);
  db.SetLazyWrite(true);
  for (int i = 0; i < 10; ++i)
    db.AddTown("T", 0, 0, {float(10 - i), 0}, 0, 0, 0);
  EXPECT_EQ(std::filesystem::file_size(File(".orvgi1")), 0u);
  // Lookups see the pending entries.
  EXPECT_EQ(db.SearchForItemID(7), 7);
  EXPECT_EQ(db.IxLatLow(1).index, 10);
  EXPECT_EQ(db.GetClosestLatLowIx(5), 5);
  db.SetLazyWrite(true); // no change, nothing written
  EXPECT_EQ(std::filesystem::file_size(File(".orvgi1")), 0u);
  db.SetLazyWrite(false);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(
        std::filesystem::file_size(File(("." + std::string("orvgi") + char('0' + i)).c_str())),
        80u);
  EXPECT_EQ(std::filesystem::file_size(File(".orvgds")), 1200u);
}

TEST_F(LazyWrite, ClosingAndSwitchingDatabasesWritePendingIndexes) {
  TGeoDB db(nullptr);
  db.SetDBName(base);
  db.SetLazyWrite(true);
  db.AddTown("T", 0, 0, {1, 1}, 0, 0, 0);
  db.SetDBName((dir / "second").string());
  EXPECT_TRUE(db.LazyWrite()); // opening another keeps the mode
  EXPECT_EQ(std::filesystem::file_size(File(".orvgi0")), 8u);
  db.AddTown("T", 0, 0, {1, 1}, 0, 0, 0);
  db.SetDBName("");
  EXPECT_FALSE(db.LazyWrite());
  EXPECT_EQ(std::filesystem::file_size(dir / "second.orvgi4"), 8u);
}

TEST_F(LazyWrite, ProcessDyingMidwayLeavesAConsistentDatabase) {
  {
    TGeoDB db(nullptr);
    db.SetDBName(base);
    for (int i = 0; i < 10; ++i)
      db.AddRoute("R", Square(float(i), 0, 1), 0, 0, 0, 0, 0, 0, 0, 0, 0);
  }
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    TGeoDB* db = new TGeoDB(nullptr); // never destroyed: the process just ends
    db->SetDBName(base);
    db->SetLazyWrite(true);
    const TgdbPolygon p(40, {2, 3});
    for (int i = 0; i < 30000; ++i)
      db->AddRoad("X", p, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  TGeoDB db(nullptr);
  db.SetDBName(base);
  ASSERT_GE(db.NumEntries(), 10);
  EXPECT_LT(db.NumEntries(), 30010); // the tail of the additions never reached the disk
  for (int n = 1; n <= db.NumEntries(); ++n) {
    ASSERT_EQ(db.SearchForItemID(db.Data(n).ItemId), n);
    TgdbPolygon poly;
    ASSERT_TRUE(db.RetrievePolygon(n, poly)) << n;
  }
  EXPECT_EQ(std::filesystem::file_size(File(".orvgi2")), size_t(db.NumEntries()) * 8);
}

} // namespace
