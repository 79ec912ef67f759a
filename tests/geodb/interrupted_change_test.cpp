// Changes cut short: an interrupted delete, a change torn half-way through
// a record, a journal that was itself cut short. Opening finishes or drops
// each, and opening read-only shows the same without touching a file.
#include "geodb_fixture.h"

#include "kartavo/geodb/detail/gdb_journal.h"

using namespace kartavo;
using namespace geodb_test;

namespace {

class Interrupted : public GeoDBTest {
protected:
  void Build() { BuildBorderBlobTown("Alpha", "Beta", "Gamma"); }
  std::vector<std::string> Names(TGeoDB& db) {
    std::vector<std::string> out;
    for (int n = 1; n <= db.NumEntries(); ++n)
      out.push_back(db.Data(n).Name.ToString());
    return out;
  }
};

TEST_F(Interrupted, DeleteCutShortBeforeTheSummaryShrankIsFinished) {
  Build();
  Bytes s = Raw(".orvgds");
  std::copy(s.begin() + 240, s.end(), s.begin()); // Gamma copied over Alpha, not cut
  WriteRaw(File(".orvgds"), s);
  const auto before = Files();
  {
    TGeoDB ro(nullptr);
    ro.SetReadOnly(true);
    ro.SetDBName(base);
    EXPECT_EQ(Names(ro), (std::vector<std::string>{"Gamma", "Beta"}));
    EXPECT_FALSE(ro.Damaged());
  }
  EXPECT_EQ(Files(), before);
  TGeoDB db(nullptr);
  db.SetDBName(base);
  EXPECT_EQ(Names(db), (std::vector<std::string>{"Gamma", "Beta"}));
  EXPECT_EQ(Raw(".orvgds").size(), 240u);
  EXPECT_EQ(db.SearchForItemID(3), 1);
  EXPECT_EQ(db.SearchForItemID(1), 0);
  EXPECT_EQ(db.AddTown("Delta", 0, 0, {1, 1}, 0, 0, 0), 3);
  EXPECT_EQ(db.Data(3).ItemId, 4);
}

TEST_F(Interrupted, TwoDifferentEntriesWithOneIdentifierAreDamageNotMended) {
  Build();
  Bytes s = Raw(".orvgds");
  Put32(s, 240, 1); // Gamma claims Alpha's identifier
  WriteRaw(File(".orvgds"), s);
  TGeoDB db(nullptr);
  db.SetDBName(base);
  EXPECT_TRUE(db.Damaged());
  EXPECT_EQ(db.NumEntries(), 3);
  EXPECT_EQ(Raw(".orvgds"), s);
}

// A replacement whose journal reached the disk but whose record was torn:
// the first half of the new record, the second half of the old one.
TEST_F(Interrupted, TornRecordIsCompletedFromTheJournal) {
  Build();
  TGeoDB db(nullptr);
  db.SetDBName(base);
  const Bytes old = Raw(".orvgds");
  db.ReplaceRoad(1, "Alpha road", {{7, 7}, {8, 8}}, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  const Bytes fresh = Raw(".orvgds");
  db.SetDBName("");
  EXPECT_FALSE(std::filesystem::exists(File(".orvgjournal")));

  TJournalChange change;
  change.Add(jtSummary, 0, Slice(fresh, 0, 120));
  WriteRaw(File(".orvgjournal"), EncodeJournal(change));
  Bytes torn = old;
  std::copy(fresh.begin(), fresh.begin() + 64, torn.begin()); // name new, points old
  WriteRaw(File(".orvgds"), torn);

  TGeoDB ro(nullptr);
  ro.SetReadOnly(true);
  ro.SetDBName(base);
  EXPECT_EQ(ro.Data(1).Name.ToString(), "Alpha road");
  EXPECT_EQ(ro.Data(1).NumPoints, 2);
  EXPECT_EQ(Raw(".orvgds"), torn);

  db.SetDBName(base);
  EXPECT_EQ(Raw(".orvgds"), fresh);
  EXPECT_FALSE(std::filesystem::exists(File(".orvgjournal")));
  TgdbPolygon poly;
  ASSERT_TRUE(db.RetrievePolygon(1, poly));
  EXPECT_EQ(poly.size(), 2u);
}

TEST_F(Interrupted, JournalCutShortIsDroppedAndTheFilesStayAsTheyWere) {
  Build();
  const Bytes summary = Raw(".orvgds");
  TJournalChange change;
  change.Add(jtSummary, 0, Bytes(120, 0xEE));
  change.SummarySize = 120;
  const Bytes journal = EncodeJournal(change);
  for (size_t cut : {size_t{0}, size_t{3}, size_t{20}, journal.size() - 1}) {
    WriteRaw(File(".orvgjournal"), Slice(journal, 0, cut));
    TGeoDB db(nullptr);
    db.SetDBName(base);
    EXPECT_EQ(db.NumEntries(), 3) << cut;
    EXPECT_FALSE(db.Damaged()) << cut;
    EXPECT_EQ(Raw(".orvgds"), summary) << cut;
    EXPECT_FALSE(std::filesystem::exists(File(".orvgjournal"))) << cut;
  }
}

TEST_F(Interrupted, JournalRoundTripAndRejectsEveryDamagedByte) {
  TJournalChange change;
  change.Add(jtSummary, 360, Bytes(120, 1));
  change.Add(jtData, 0, Bytes(260, 2));
  change.SummarySize = 480;
  const Bytes bytes = EncodeJournal(change);
  const auto back = DecodeJournal(bytes);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->SummarySize, 480);
  ASSERT_EQ(back->Writes.size(), 2u);
  EXPECT_EQ(back->Writes[0].Offset, 360);
  EXPECT_EQ(back->Writes[1].Target, jtData);
  EXPECT_EQ(back->Writes[1].Bytes, Bytes(260, 2));
  for (size_t i = 0; i < bytes.size(); i += 7) {
    Bytes bad = bytes;
    bad[i] ^= 0x10;
    EXPECT_FALSE(DecodeJournal(bad)) << i;
  }
}

// Index files left behind by deferred writing may hold more records than
// the summary (deletions not yet written); that is no damage.
TEST_F(Interrupted, DeferredDeletionsCutShortAreNoDamage) {
  Build();
  {
    TGeoDB db(nullptr);
    db.SetDBName(base);
    db.SetLazyWrite(true);
    db.DeleteData(1);
    db.DeleteData(1);
    EXPECT_EQ(Raw(".orvgi0").size(), 24u); // not yet written
    EXPECT_TRUE(std::filesystem::exists(File(".orvgjournal")));
    // The process dies here: copy the files as they are.
    std::filesystem::copy(dir, dir.string() + "_dead");
  }
  std::filesystem::remove_all(dir);
  std::filesystem::rename(dir.string() + "_dead", dir);
  TGeoDB db(nullptr);
  db.SetDBName(base);
  EXPECT_FALSE(db.Damaged());
  EXPECT_EQ(Names(db), (std::vector<std::string>{"Beta"}));
  EXPECT_EQ(Raw(".orvgi0").size(), 8u);
  EXPECT_FALSE(std::filesystem::exists(File(".orvgjournal")));
}

} // namespace
