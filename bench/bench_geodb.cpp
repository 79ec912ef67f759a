// Geographic database: bulk loading 100 000 polylines of 20 points with
// deferred index writing, opening that database, identifier and edge
// lookups, and a 1° x 1° bounding-box query; the
// same load and box query in SQLite (an R*Tree table, one transaction) when
// it is installed, with the ratios printed at the end.
#include "kartavo/geodb/geodb.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#ifdef KARTAVO_HAVE_SQLITE
#include <sqlite3.h>
#endif

namespace {

constexpr int kEntries = 100000;
constexpr int kPoints = 20;

struct Feature {
  std::string Name;
  kartavo::TgdbPolygon Points;
  float LatLow, LatHigh, LongLow, LongHigh;
};

const std::vector<Feature>& Features() {
  static const std::vector<Feature> features = [] {
    std::mt19937 rng(12345);
    std::uniform_real_distribution<float> lat(-60, 70), lon(-180, 179), step(-0.01f, 0.01f);
    std::vector<Feature> out(kEntries);
    for (int i = 0; i < kEntries; ++i) {
      Feature& f = out[size_t(i)];
      f.Name = "Road " + std::to_string(i);
      float la = lat(rng), lo = lon(rng);
      f.LatLow = f.LongLow = 1e9f;
      f.LatHigh = f.LongHigh = -1e9f;
      for (int k = 0; k < kPoints; ++k) {
        la += step(rng);
        lo += step(rng);
        f.Points.push_back({la, lo});
        f.LatLow = std::min(f.LatLow, la);
        f.LatHigh = std::max(f.LatHigh, la);
        f.LongLow = std::min(f.LongLow, lo);
        f.LongHigh = std::max(f.LongHigh, lo);
      }
    }
    return out;
  }();
  return features;
}

std::filesystem::path Dir() {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() /
             ("kartavo_bench_geodb_" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    return d;
  }();
  return dir;
}

std::map<std::string, double> gSeconds; // per operation, for the ratios

void Record(const std::string& name, benchmark::State& state, double seconds) {
  gSeconds[name] = seconds / double(state.iterations());
}

void LoadGeoDB(const std::string& base) {
  for (const char* s :
       {".orvgds", ".orvgdd", ".orvgi0", ".orvgi1", ".orvgi2", ".orvgi3", ".orvgi4"})
    std::filesystem::remove(base + s);
  kartavo::TGeoDB db(nullptr);
  db.SetLazyWrite(true);
  db.SetDBName(base);
  for (const Feature& f : Features())
    db.AddRoad(f.Name, f.Points, 45000, 0, 0, 0, 0, 0, 0, 1, 0);
  db.SetLazyWrite(false);
}

const std::string& LoadedBase() {
  static const std::string base = [] {
    const std::string b = (Dir() / "loaded").string();
    LoadGeoDB(b);
    return b;
  }();
  return base;
}

kartavo::TGeoDB& OpenedDB() {
  static kartavo::TGeoDB* db = [] {
    auto* d = new kartavo::TGeoDB(nullptr);
    d->SetDBName(LoadedBase());
    return d;
  }();
  return *db;
}

void BM_GeoDB_BulkLoad(benchmark::State& state) {
  Features();
  const std::string base = (Dir() / "bulk").string();
  double total = 0;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    LoadGeoDB(base);
    total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  }
  Record("load", state, total);
}
BENCHMARK(BM_GeoDB_BulkLoad)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_GeoDB_Open(benchmark::State& state) {
  const std::string base = LoadedBase();
  for (auto _ : state) {
    kartavo::TGeoDB db(nullptr);
    db.SetDBName(base);
    benchmark::DoNotOptimize(db.NumEntries());
  }
}
BENCHMARK(BM_GeoDB_Open)->Unit(benchmark::kMillisecond);

template <class Lookup> void RunLookups(benchmark::State& state, Lookup lookup) {
  kartavo::TGeoDB& db = OpenedDB();
  std::mt19937 rng(7);
  std::vector<double> keys(4096);
  for (double& k : keys)
    k = std::uniform_real_distribution<double>(-60, 180)(rng);
  size_t i = 0;
  for (auto _ : state)
    benchmark::DoNotOptimize(lookup(db, keys[i++ & 4095]));
}

void BM_GeoDB_SearchForItemID(benchmark::State& state) {
  RunLookups(state, [](kartavo::TGeoDB& db, double k) {
    return db.SearchForItemID(int(k * 500) % kEntries + 1);
  });
}
BENCHMARK(BM_GeoDB_SearchForItemID);
void BM_GeoDB_GetClosestItemIDIx(benchmark::State& state) {
  RunLookups(state,
             [](kartavo::TGeoDB& db, double k) { return db.GetClosestItemIDIx(int(k * 500)); });
}
BENCHMARK(BM_GeoDB_GetClosestItemIDIx);
void BM_GeoDB_GetClosestLatLowIx(benchmark::State& state) {
  RunLookups(state, [](kartavo::TGeoDB& db, double k) { return db.GetClosestLatLowIx(k); });
}
BENCHMARK(BM_GeoDB_GetClosestLatLowIx);
void BM_GeoDB_GetClosestLatHighIx(benchmark::State& state) {
  RunLookups(state, [](kartavo::TGeoDB& db, double k) { return db.GetClosestLatHighIx(k); });
}
BENCHMARK(BM_GeoDB_GetClosestLatHighIx);
void BM_GeoDB_GetClosestLongLowIx(benchmark::State& state) {
  RunLookups(state, [](kartavo::TGeoDB& db, double k) { return db.GetClosestLongLowIx(k); });
}
BENCHMARK(BM_GeoDB_GetClosestLongLowIx);
void BM_GeoDB_GetClosestLongHighIx(benchmark::State& state) {
  RunLookups(state, [](kartavo::TGeoDB& db, double k) { return db.GetClosestLongHighIx(k); });
}
BENCHMARK(BM_GeoDB_GetClosestLongHighIx);

// A 1° x 1° box (south, west, north, east) at a few places.
constexpr double kBoxes[][4] = {{45, 5, 46, 6}, {-10, 100, -9, 101}, {60, -100, 61, -99}};

void BM_GeoDB_BoxQuery(benchmark::State& state) {
  kartavo::TGeoDB& db = OpenedDB();
  size_t i = 0, found = 0;
  const auto t0 = std::chrono::steady_clock::now();
  for (auto _ : state) {
    const auto& b = kBoxes[i++ % 3];
    found += kartavo::EntriesInBox(db, b[0], b[1], b[2], b[3]).size();
  }
  Record("box", state,
         std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
  state.counters["hits"] = double(found) / double(state.iterations());
}
BENCHMARK(BM_GeoDB_BoxQuery)->Unit(benchmark::kMicrosecond);

#ifdef KARTAVO_HAVE_SQLITE
void Exec(sqlite3* db, const char* sql) { sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }

sqlite3* LoadSQLite(const std::string& path) {
  std::filesystem::remove(path);
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  Exec(db,
       "CREATE TABLE feature(id INTEGER PRIMARY KEY, name TEXT, kind INT, date REAL, points BLOB)");
  Exec(db, "CREATE VIRTUAL TABLE box USING rtree(id, minLat, maxLat, minLon, maxLon)");
  Exec(db, "BEGIN");
  sqlite3_stmt *f = nullptr, *r = nullptr;
  sqlite3_prepare_v2(db, "INSERT INTO feature VALUES(?,?,5,45000,?)", -1, &f, nullptr);
  sqlite3_prepare_v2(db, "INSERT INTO box VALUES(?,?,?,?,?)", -1, &r, nullptr);
  int id = 0;
  for (const Feature& ft : Features()) {
    ++id;
    sqlite3_bind_int(f, 1, id);
    sqlite3_bind_text(f, 2, ft.Name.c_str(), int(ft.Name.size()), SQLITE_STATIC);
    sqlite3_bind_blob(f, 3, ft.Points.data(), int(ft.Points.size() * sizeof(kartavo::TSCoords)),
                      SQLITE_STATIC);
    sqlite3_step(f);
    sqlite3_reset(f);
    sqlite3_bind_int(r, 1, id);
    sqlite3_bind_double(r, 2, ft.LatLow);
    sqlite3_bind_double(r, 3, ft.LatHigh);
    sqlite3_bind_double(r, 4, ft.LongLow);
    sqlite3_bind_double(r, 5, ft.LongHigh);
    sqlite3_step(r);
    sqlite3_reset(r);
  }
  sqlite3_finalize(f);
  sqlite3_finalize(r);
  Exec(db, "COMMIT");
  return db;
}

void BM_SQLite_BulkLoad(benchmark::State& state) {
  Features();
  double total = 0;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    sqlite3_close(LoadSQLite((Dir() / "bulk.sqlite").string()));
    total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  }
  Record("sqlite load", state, total);
}
BENCHMARK(BM_SQLite_BulkLoad)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SQLite_BoxQuery(benchmark::State& state) {
  static sqlite3* db = LoadSQLite((Dir() / "query.sqlite").string());
  sqlite3_stmt* q = nullptr;
  sqlite3_prepare_v2(db,
                     "SELECT id FROM box WHERE maxLat >= ? AND minLat <= ? AND maxLon >= ? AND "
                     "minLon <= ? ORDER BY id",
                     -1, &q, nullptr);
  size_t i = 0, found = 0;
  const auto t0 = std::chrono::steady_clock::now();
  for (auto _ : state) {
    const auto& b = kBoxes[i++ % 3];
    sqlite3_bind_double(q, 1, b[0]);
    sqlite3_bind_double(q, 2, b[2]);
    sqlite3_bind_double(q, 3, b[1]);
    sqlite3_bind_double(q, 4, b[3]);
    while (sqlite3_step(q) == SQLITE_ROW)
      ++found;
    sqlite3_reset(q);
  }
  Record("sqlite box", state,
         std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
  state.counters["hits"] = double(found) / double(state.iterations());
  sqlite3_finalize(q);
}
BENCHMARK(BM_SQLite_BoxQuery)->Unit(benchmark::kMicrosecond);
#endif

} // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  auto ratio = [](const char* ours, const char* peer) {
    if (gSeconds.count(ours) && gSeconds.count(peer))
      std::printf("%-10s kartavo / SQLite = %.3f (%.3g s vs %.3g s per run)\n", ours,
                  gSeconds[ours] / gSeconds[peer], gSeconds[ours], gSeconds[peer]);
  };
  ratio("load", "sqlite load");
  ratio("box", "sqlite box");
  std::filesystem::remove_all(Dir());
  return 0;
}
