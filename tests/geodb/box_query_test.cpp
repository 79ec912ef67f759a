// The box query through the coordinate indexes against a plain scan.
#include "geodb_fixture.h"

#include <limits>
#include <random>

using namespace kartavo;
using namespace geodb_test;

namespace {

class BoxQuery : public GeoDBTest {};

using TGeoDB = TGeoDBProbe; // AddData takes any box

TEST_F(BoxQuery, MatchesAPlainScanOfAllEntries) {
  TGeoDB db(nullptr);
  db.SetDBName(base);
  db.SetLazyWrite(true);
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> c(-10, 10); // coarse grid: many equal edges
  for (int i = 0; i < 400; ++i) {
    if (i % 3 == 0)
      db.AddTown("T", 0, 0, {float(c(rng)), float(c(rng))}, 0, 0, 0);
    else
      db.AddRoad("R", {{float(c(rng)), float(c(rng))}, {float(c(rng)), float(c(rng))}}, 0, 0, 0, 0,
                 0, 0, 0, 0, 0);
  }
  for (int q = 0; q < 200; ++q) {
    double s = c(rng), n = c(rng), w = c(rng), e = c(rng);
    if (s > n) std::swap(s, n);
    if (w > e) std::swap(w, e);
    std::vector<int> expected;
    for (int k = 1; k <= db.NumEntries(); ++k) {
      const TgdbData d = db.Data(k);
      if (d.LatLow <= n && d.LatHigh >= s && d.LongLow <= e && d.LongHigh >= w)
        expected.push_back(k);
    }
    ASSERT_EQ(EntriesInBox(db, s, w, n, e), expected) << s << ' ' << w << ' ' << n << ' ' << e;
  }
}

std::vector<int> PlainScan(TGeoDB& db, double s, double w, double n, double e) {
  std::vector<int> out;
  for (int k = 1; k <= db.NumEntries(); ++k) {
    const TgdbData d = db.Data(k);
    if (d.LatLow <= n && d.LatHigh >= s && d.LongLow <= e && d.LongHigh >= w) out.push_back(k);
  }
  return out;
}

// Boxes of every odd shape: inverted (a polygon without points), not a
// number, infinite, huge and tiny, next to ordinary ones; queries of every
// odd shape too; and the answers stay right after each kind of change.
TEST_F(BoxQuery, OddBoxesAndChangesAgreeWithThePlainScan) {
  TGeoDB db(nullptr);
  db.SetDBName(base);
  db.SetLazyWrite(true);
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  std::mt19937 rng(11);
  std::uniform_real_distribution<float> lat(-90, 90), lon(-180, 180), size(0, 3);
  const float odd[] = {nan, inf, -inf, 1e30f, -1e30f, 1e-30f, 0.0f, -0.0f, 90, -180};
  std::uniform_int_distribution<int> pick(0, 9), kind(0, 9);
  for (int i = 0; i < 3000; ++i) {
    const float a = lat(rng), o = lon(rng);
    switch (kind(rng)) {
    case 0: // a box that is no box: the values of a polygon without points
      db.AddRoad("empty", {}, 0, 0, 0, 0, 0, 0, 0, 0, 0);
      break;
    case 1:
      db.AddData("odd", {}, false, gitUndefined, 0, 0, 0, odd[pick(rng)], odd[pick(rng)],
                 odd[pick(rng)], odd[pick(rng)], 0, 0, {}, nullptr, 0, false);
      break;
    case 2:
      db.AddTown("town", 0, 0, {a, o}, 0, 0, 0);
      break;
    default:
      db.AddRoad("road", {{a, o}, {a + size(rng), o + size(rng)}}, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    }
  }
  auto check = [&](int rounds) {
    for (int q = 0; q < rounds; ++q) {
      double s = lat(rng), n = s + size(rng), w = lon(rng), e = w + size(rng);
      if (q % 10 == 0) s = odd[pick(rng)];
      if (q % 10 == 1) e = odd[pick(rng)];
      if (q % 10 == 2) std::swap(s, n);
      ASSERT_EQ(EntriesInBox(db, s, w, n, e), PlainScan(db, s, w, n, e))
          << s << ' ' << w << ' ' << n << ' ' << e;
    }
  };
  check(2000);
  db.DeleteData(5);
  db.ReplaceRoad(7, "moved", {{-89, 179}, {89, -179}}, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  db.AddTown("late", 0, 0, {12, 34}, 0, 0, 0);
  check(500);
  EXPECT_EQ(EntriesInBox(db, 12, 34, 12, 34), PlainScan(db, 12, 34, 12, 34));
}

} // namespace
