// Damaged and inconsistent file sets: opening never leaves a half-open
// component, indexes that disagree with the summary are rebuilt, and entries
// pointing past the data file are refused without crashing or allocating.
#include "geodb_fixture.h"

#include "kartavo/package/exceptions.h"

#include <sys/stat.h>

using namespace kartavo;
using namespace geodb_test;

namespace {

class Damaged : public GeoDBTest {
protected:
  void Build() { BuildBorderBlobTown(); }
  void Patch32(const char* suffix, size_t at, int32_t v) {
    Bytes b = Raw(suffix);
    Put32(b, at, static_cast<uint32_t>(v));
    WriteRaw(File(suffix), b);
  }
};

TEST_F(Damaged, FailedOpeningLeavesTheComponentClosed) {
  Build();
  TGeoDB db(nullptr);
  db.SetDBName(base);
  ASSERT_EQ(db.NumEntries(), 3);
  // A data file with an incomplete header cannot take new blocks safely.
  WriteRaw(File(".orvgdd"), Bytes(100, 0));
  try {
    db.SetDBName(base);
    FAIL() << "opened";
  } catch (const fw::EInOutError& e) {
    EXPECT_NE(std::string(e.what()).find("incomplete header"), std::string::npos) << e.what();
  }
  EXPECT_EQ(db.DBName(), "");
  EXPECT_EQ(db.NumEntries(), 0);
  EXPECT_EQ(db.AddTown("T", 0, 0, {0, 0}, 0, 0, 0), -1);
  EXPECT_EQ(std::filesystem::file_size(File(".orvgdd")), 100u);
}

// Creating a database writes the data file's header whole; a power loss in
// that write leaves a short header in a database without entries, which
// opening writes anew instead of refusing the database for good.
TEST_F(Damaged, HeaderCutShortWhileCreatingIsWrittenAgain) {
  {
    TGeoDB db(nullptr);
    db.SetDBName(base);
    ASSERT_EQ(db.NumEntries(), 0);
  }
  const Bytes header = Raw(".orvgdd");
  ASSERT_EQ(header.size(), 260u);
  WriteRaw(File(".orvgdd"), Slice(header, 0, 130));
  TGeoDB db(nullptr);
  db.SetDBName(base);
  EXPECT_FALSE(db.Damaged());
  EXPECT_EQ(Raw(".orvgdd"), header);
  EXPECT_EQ(db.AddTown("T", 0, 0, {1, 2}, 0, 0, 0), 1);
  EXPECT_EQ(db.Data(1).ItemId, 1);
}

TEST_F(Damaged, UnreadableFileIsNeverRecreated) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
  Build();
  const auto before = std::filesystem::file_size(File(".orvgds"));
  ::chmod(File(".orvgds").c_str(), 0200);
  TGeoDB db(nullptr);
  EXPECT_THROW(db.SetDBName(base), fw::EInOutError);
  ::chmod(File(".orvgds").c_str(), 0644);
  EXPECT_EQ(std::filesystem::file_size(File(".orvgds")), before);
  EXPECT_EQ(db.DBName(), "");
}

TEST_F(Damaged, IndexesThatDisagreeAreRebuiltInMemoryAndOnDisk) {
  Build();
  const Bytes good1 = Raw(".orvgi1");
  const Bytes good0 = Raw(".orvgi0");
  WriteRaw(File(".orvgi1"), Slice(good1, 0, 8)); // lost records
  Bytes bad0 = good0;
  Put32(bad0, 4, 77); // a position outside the entry table
  WriteRaw(File(".orvgi0"), bad0);
  std::filesystem::remove(File(".orvgi3"));
  TGeoDB db(nullptr);
  db.SetDBName(base);
  EXPECT_EQ(Raw(".orvgi1"), good1);
  EXPECT_EQ(Raw(".orvgi0"), good0);
  EXPECT_EQ(std::filesystem::file_size(File(".orvgi3")), 24u);
  for (int id = 1; id <= 3; ++id)
    EXPECT_EQ(db.SearchForItemID(id), id);
  for (int i = 1; i <= 3; ++i) {
    EXPECT_GE(db.IxLongLow(i).index, 1);
    EXPECT_LE(db.IxLongLow(i).index, 3);
  }
}

TEST_F(Damaged, HeaderThatLagsBehindTheSummaryNeverReusesAnIdentifier) {
  Build();
  Patch32(".orvgdd", 0, 1);
  TGeoDB db(nullptr);
  db.SetDBName(base);
  EXPECT_FALSE(db.Damaged());
  EXPECT_EQ(db.AddTown("New", 0, 0, {0, 0}, 0, 0, 0), 4);
  EXPECT_EQ(db.Data(4).ItemId, 4); // beyond every identifier in use
}

TEST_F(Damaged, CountsAndOffsetsPastTheEndOfTheDataFile) {
  Build();
  Patch32(".orvgds", 112, 0x7fffffff);       // polygon: absurd point count
  Patch32(".orvgds", 120 + 112, 0x7ffffff0); // BLOB: absurd size
  TGeoDB db(nullptr);
  db.SetDBName(base);
  TgdbPolygon poly;
  TMetaInfo meta;
  fw::TMemoryStream s;
  std::vector<char> buf(16);
  EXPECT_THROW(db.RetrievePolygon(1, poly), fw::EInOutError);
  EXPECT_THROW(db.RetrieveBLOB(2, meta, s), fw::EInOutError);
  EXPECT_THROW(db.RetrieveBLOB(2, meta, buf.data(), 16), fw::EInOutError);
  EXPECT_THROW(db.RetrieveBLOB(2, (dir / "x").string(), meta), fw::EInOutError);
  EXPECT_FALSE(std::filesystem::exists(dir / "x"));
  EXPECT_TRUE(db.Damaged());
  EXPECT_THROW(db.GarbageCollection(), EORVGeoDBError);
  EXPECT_EQ(s.Size(), 0);
}

TEST_F(Damaged, NegativeCountsAndOffsetsReadNothing) {
  Build();
  Patch32(".orvgds", 112, -5);
  Patch32(".orvgds", 120 + 76, -20);
  TGeoDB db(nullptr);
  db.SetDBName(base);
  TgdbPolygon poly = {{1, 1}};
  TMetaInfo meta;
  fw::TMemoryStream s;
  EXPECT_FALSE(db.RetrievePolygon(1, poly));
  EXPECT_EQ(poly.size(), 1u);
  EXPECT_FALSE(db.RetrieveBLOB(2, meta, s));
  EXPECT_FALSE(db.GetMetaInfo(2, meta));
}

TEST_F(Damaged, AdditionBeyondTheOffsetRangeIsRefusedBeforeWriting) {
  Build();
  // A sparse data file just below 2^31 bytes.
  ASSERT_EQ(::truncate(File(".orvgdd").c_str(), 0x7fffffff - 100), 0);
  TGeoDB db(nullptr);
  db.SetDBName(base);
  const Bytes header = ReadHead(File(".orvgdd"), 260);
  try {
    db.AddRoad("R", TgdbPolygon(20, {1, 1}), 0, 0, 0, 0, 0, 0, 0, 0, 0);
    FAIL() << "added";
  } catch (const EORVGeoDBError& e) {
    EXPECT_STREQ(e.what(),
                 "Component \"\": AddData: the data file would grow beyond 2147483647 bytes.");
  }
  EXPECT_EQ(db.NumEntries(), 3);
  EXPECT_EQ(std::filesystem::file_size(File(".orvgdd")), 0x7fffffffu - 100);
  EXPECT_EQ(ReadHead(File(".orvgdd"), 260), header);
  EXPECT_EQ(db.AddRoad("R", TgdbPolygon(10, {1, 1}), 0, 0, 0, 0, 0, 0, 0, 0, 0), 4);
  EXPECT_THROW(db.ReplaceRoad(4, "R", TgdbPolygon(10, {1, 1}), 0, 0, 0, 0, 0, 0, 0, 0, 0),
               EORVGeoDBError);
}

TEST_F(Damaged, HeaderThatCannotBeWrittenIsReportedAsCannotOpen) {
  TGeoDB db(nullptr);
  db.SetName("GeoDB1");
  db.SetDBName(base);
  std::filesystem::remove(File(".orvgdd"));
  std::filesystem::create_directory(File(".orvgdd"));
  try {
    db.AddTown("T", 0, 0, {0, 0}, 0, 0, 0);
    FAIL() << "added";
  } catch (const EORVGeoDBError& e) {
    EXPECT_STREQ(e.what(), "Component \"GeoDB1\": AddData: cannot open database.");
  }
  EXPECT_EQ(db.NumEntries(), 0);
  EXPECT_THROW(db.SetDescription("d"), EORVGeoDBError);
  EXPECT_THROW(db.SetRevision(2), EORVGeoDBError);
}

TEST_F(Damaged, ReadSystemInformationNeedsAWholeHeader) {
  Build();
  const TgdbSystemData h = ReadSystemInformation(base + ".orvgds");
  EXPECT_EQ(h.HighestID, 3);
  EXPECT_EQ(h.DBVersion, 4);
  WriteRaw(File(".orvgdd"), Bytes(259, 0));
  EXPECT_THROW(ReadSystemInformation(base), fw::EInOutError);
}

} // namespace
