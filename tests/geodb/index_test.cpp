// The binary search, the placement of equal keys, the bulk inserter checked
// against the plain insertion, and the lookups and accessors built on them.
#include "geodb_fixture.h"

#include "kartavo/geodb/detail/gdb_index.h"

#include <random>

using namespace kartavo;
using namespace geodb_test;

namespace {

TEST(IndexInsertion, EqualKeyLandsBeforeTheEqualElementTheSearchReaches) {
  TIxLLRecArray ix;
  for (auto [key, at] : {std::pair{5.f, 0}, {3.f, 1}, {5.f, 2}}) {
    ix.push_back({});
    TGeoDBProbe::SortIxInto(ix, {key, at});
  }
  EXPECT_EQ(ix, (TIxLLRecArray{{3, 1}, {5, 2}, {5, 0}}));
  TIxItemIDRecArray ids;
  ids.push_back({});
  TGeoDBProbe::SortIxItemIDInto(ids, {7, 0});
  EXPECT_EQ(ids, (TIxItemIDRecArray{{7, 0}}));
}

// The bulk inserter must give exactly what one plain insertion after another gives,
// equal keys, NaN keys and empty starts included.
template <class Rec, class MakeKey> void CompareWithPlain(std::mt19937& rng, MakeKey makeKey) {
  for (int round = 0; round < 60; ++round) {
    const int start = std::uniform_int_distribution<int>(0, 1500)(rng);
    const int added = std::uniform_int_distribution<int>(1, 2500)(rng);
    std::vector<Rec> plain;
    for (int i = 0; i < start; ++i) {
      plain.push_back({});
      InsertIntoSorted(plain, Rec{makeKey(rng), i});
    }
    std::vector<Rec> bulk = plain;
    TIndexBulkInserter<Rec> inserter(bulk);
    for (int i = start; i < start + added; ++i) {
      const Rec r{makeKey(rng), i};
      plain.push_back({});
      InsertIntoSorted(plain, r);
      inserter.Insert(r);
    }
    inserter.Finish();
    ASSERT_EQ(bulk.size(), plain.size());
    for (size_t i = 0; i < bulk.size(); ++i) {
      ASSERT_EQ(FloatBits(float(IndexKey(bulk[i]))), FloatBits(float(IndexKey(plain[i])))) << i;
      ASSERT_EQ(bulk[i].index, plain[i].index) << "round " << round << " position " << i;
    }
  }
}

TEST(IndexInsertion, BulkInserterMatchesPlainInsertion) {
  std::mt19937 rng(20261207);
  CompareWithPlain<TIxLLRec>(rng, [](std::mt19937& r) {
    const int kind = std::uniform_int_distribution<int>(0, 99)(r);
    if (kind == 0) return std::numeric_limits<float>::quiet_NaN();
    if (kind < 60) return float(std::uniform_int_distribution<int>(-5, 5)(r)); // many equal keys
    return std::uniform_real_distribution<float>(-90, 90)(r);
  });
  CompareWithPlain<TIxItemIDRec>(
      rng, [](std::mt19937& r) { return std::uniform_int_distribution<int32_t>(-3, 40)(r); });
}

TEST(IndexSearch, PositionsFollowTheHalving) {
  const TIxLLRecArray a = {{1, 0}, {2, 1}, {2, 2}, {2, 3}, {9, 4}};
  EXPECT_EQ(SearchIndex(a, 5, 2.0).Position, 2); // mid of 0..4 is an equal key
  EXPECT_TRUE(SearchIndex(a, 5, 2.0).Found);
  EXPECT_EQ(SearchIndex(a, 5, 0.5).Position, 0);
  EXPECT_EQ(SearchIndex(a, 5, 5.0).Position, 4);
  EXPECT_EQ(SearchIndex(a, 5, 10.0).Position, 5);
  EXPECT_FALSE(SearchIndex(a, 5, 10.0).Found);
  EXPECT_EQ(SearchIndex(a, 0, 10.0).Position, 0);
}

class Lookup : public GeoDBTest {};

TEST_F(Lookup, ClosestPositionsAndIdentifierSearch) {
  TGeoDB db(nullptr);
  db.SetDBName(base);
  EXPECT_EQ(db.GetClosestLatLowIx(10), 1);
  EXPECT_EQ(db.GetClosestItemIDIx(1), 1);
  EXPECT_EQ(db.SearchForItemID(1), 0);
  for (float lat : {30.f, 10.f, 20.f})
    db.AddTown("T", 0, 0, {lat, -lat}, 0, 0, 0);
  EXPECT_EQ(db.GetClosestLatLowIx(20), 2);
  EXPECT_EQ(db.GetClosestLatHighIx(15), 2);
  EXPECT_EQ(db.GetClosestLatLowIx(31), 4);
  EXPECT_EQ(db.GetClosestLatLowIx(-100), 1);
  EXPECT_EQ(db.GetClosestLongLowIx(-20), 2);
  EXPECT_EQ(db.GetClosestLongHighIx(0), 4);
  EXPECT_EQ(db.GetClosestItemIDIx(2), 2);
  EXPECT_EQ(db.SearchForItemID(3), 3);
  EXPECT_EQ(db.SearchForItemID(4), 0);
  EXPECT_EQ(db.SearchForItemID(0), 0);
}

TEST_F(Lookup, AccessorsClampAndReturnEntryNumbers) {
  TGeoDB db(nullptr);
  db.SetDBName(base);
  EXPECT_EQ(db.Data(1).ItemId, 0); // neutral record when empty
  EXPECT_EQ(db.IxLatLow(1).index, 0);
  db.AddTown("B", 0, 0, {5, 5}, 0, 0, 0);
  db.AddTown("A", 0, 0, {1, 1}, 0, 0, 0);
  EXPECT_EQ(db.IxLatLow(0), db.IxLatLow(1));
  EXPECT_EQ(db.IxLatLow(1).index, 2);
  EXPECT_EQ(db.IxLatLow(1).LLValue, 1);
  EXPECT_EQ(db.IxItemID(2).index, 2);
  EXPECT_EQ(db.Data(db.NumEntries() + 5).Name.ToString(), "A");
  EXPECT_EQ(db.Data(-3).Name.ToString(), "B");
}

TEST_F(Lookup, SearchDataByNameKindAndClass) {
  TGeoDB db(nullptr);
  db.SetDBName(base);
  db.AddTown("Linz", 0, 0, {48, 14}, 0, 2, 0);
  db.AddRiver("LINZ  ", {{1, 1}}, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  db.AddTown("linz", 0, 0, {48, 14}, 0, 3, 0);
  EXPECT_EQ(db.SearchData("linz"), 1);
  EXPECT_EQ(db.SearchData("Linz", gitRiver, 1, 0), 2);
  EXPECT_EQ(db.SearchData("Linz", gitTown, 2, 0), 3);
  EXPECT_EQ(db.SearchData("Linz", gitUndefined, 1, 3), 3);
  EXPECT_EQ(db.SearchData("Linz", gitLake, 1, 0), 0);
  EXPECT_EQ(db.SearchData("Graz"), 0);
}

TEST_F(Lookup, SearchDataFoldsTheCaseOfEveryWindows1252Letter) {
  TGeoDB db(nullptr);
  db.SetDBName(base);
  db.AddTown("Šibenik", 0, 0, {43, 15}, 0, 0, 0);
  db.AddTown("Œuvre", 0, 0, {1, 1}, 0, 0, 0);
  db.AddTown("Žilina", 0, 0, {49, 18}, 0, 0, 0);
  db.AddTown("Ÿ-Ville", 0, 0, {2, 2}, 0, 0, 0);
  db.AddTown("Ærøskøbing", 0, 0, {54, 10}, 0, 0, 0);
  db.AddTown("a×b", 0, 0, {3, 3}, 0, 0, 0);
  EXPECT_EQ(db.SearchData("šIBENIK"), 1);
  EXPECT_EQ(db.SearchData("œUVRE"), 2);
  EXPECT_EQ(db.SearchData("žILINA"), 3);
  EXPECT_EQ(db.SearchData("ÿ-ville"), 4);
  EXPECT_EQ(db.SearchData("æRØSKØBING"), 5);
  // × and ÷ sit where a capital and its small letter would; ß is no ÿ.
  EXPECT_EQ(db.SearchData("a÷b"), 0);
  EXPECT_EQ(db.SearchData("A×B"), 6);
  EXPECT_EQ(db.SearchData("ß-ville"), 0);
}

} // namespace
