// The box query through the coordinate indexes against a plain scan.
#include "geodb_fixture.h"

#include <random>

using namespace kartavo;
using namespace geodb_test;

namespace {

class BoxQuery : public GeoDBTest {};

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

} // namespace
