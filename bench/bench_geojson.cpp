// GeoJSON into the database: a synthetic FeatureCollection the size of the
// 1:10m Natural Earth layers (about 50 MB: country-like multipolygons with
// holes, rivers, populated places) imported into a new database, next to
// ogr2ogr converting the same file into a GeoPackage in the same run (when
// GDAL is installed). The parse alone is measured too, with simdjson (what
// the importer uses) and with nlohmann::json, the figures behind that choice.
// Wall time: ogr2ogr runs as a child process, so CPU time would not see it.
#include "bench_support.h"

#include "kartavo/geodb/detail/geojson_features.h"
#include "kartavo/geodb/geodb.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr size_t kTargetBytes = 50'000'000;

fs::path Dir() {
  static const fs::path dir = [] {
    const fs::path d = fs::temp_directory_path() / "kartavo_bench_geojson";
    fs::create_directories(d);
    return d;
  }();
  return dir;
}

void AppendCoord(std::string& out, double lon, double lat) {
  char b[64];
  out += '[';
  out.append(b, std::to_chars(b, b + 32, lon, std::chars_format::fixed, 6).ptr);
  out += ',';
  out.append(b, std::to_chars(b, b + 32, lat, std::chars_format::fixed, 6).ptr);
  out += ']';
}

// A closed star-shaped ring around (lon, lat): a valid ring of n points.
void AppendRing(std::string& out, std::mt19937& rng, double lon, double lat, double radius, int n) {
  std::uniform_real_distribution<double> wobble(0.8, 1.0);
  out += '[';
  double first[2] = {0, 0};
  for (int i = 0; i < n; ++i) {
    const double a = 2 * M_PI * i / n;
    const double r = radius * wobble(rng);
    const double x = std::clamp(lon + r * std::cos(a), -180.0, 180.0);
    const double y = std::clamp(lat + r * std::sin(a) * 0.7, -89.0, 89.0);
    if (i == 0) first[0] = x, first[1] = y;
    AppendCoord(out, x, y);
    out += ',';
  }
  AppendCoord(out, first[0], first[1]);
  out += ']';
}

void AppendCountry(std::string& out, std::mt19937& rng, int i) {
  std::uniform_real_distribution<double> lon(-170, 170), lat(-60, 75);
  std::uniform_int_distribution<int> parts(1, 4), points(300, 3000);
  const double x = lon(rng), y = lat(rng);
  out += R"({"type":"Feature","id":)" + std::to_string(i) + R"(,"properties":{"name":"Country )" +
         std::to_string(i) + R"(","iso_n3":")" + std::to_string(100 + i % 900) +
         R"(","scalerank":1},"geometry":{"type":"MultiPolygon","coordinates":[)";
  const int n = parts(rng);
  for (int p = 0; p < n; ++p) {
    if (p) out += ',';
    out += '[';
    AppendRing(out, rng, x + p * 3, y, p == 0 ? 5 : 1, points(rng) / (p + 1));
    if (p == 0) { // a hole, as an enclave
      out += ',';
      AppendRing(out, rng, x, y, 0.5, 40);
    }
    out += ']';
  }
  out += "]}}";
}

void AppendRiver(std::string& out, std::mt19937& rng, int i) {
  std::uniform_real_distribution<double> lon(-170, 170), lat(-55, 70), step(-0.02, 0.03);
  std::uniform_int_distribution<int> points(50, 600);
  double x = lon(rng), y = lat(rng);
  out += R"({"type":"Feature","properties":{"name":"River )" + std::to_string(i) +
         R"(","featurecla":"River","scalerank":5},"geometry":{"type":"LineString","coordinates":[)";
  const int n = points(rng);
  for (int k = 0; k < n; ++k) {
    if (k) out += ',';
    x = std::clamp(x + step(rng), -180.0, 180.0);
    y = std::clamp(y + step(rng), -89.0, 89.0);
    AppendCoord(out, x, y);
  }
  out += "]}}";
}

void AppendPlace(std::string& out, std::mt19937& rng, int i) {
  std::uniform_real_distribution<double> lon(-180, 180), lat(-60, 75);
  std::lognormal_distribution<double> pop(10, 2);
  out += R"({"type":"Feature","properties":{"name":"Place )" + std::to_string(i) +
         R"(","population":)" + std::to_string(int64_t(pop(rng))) +
         R"(},"geometry":{"type":"Point","coordinates":)";
  AppendCoord(out, lon(rng), lat(rng));
  out += "}}";
}

// The input file, written once a run.
const std::string& Input() {
  static const std::string file = [] {
    std::mt19937 rng(110);
    std::string text = R"({"type":"FeatureCollection","features":[)";
    for (int i = 0; text.size() < kTargetBytes; ++i) {
      if (i) text += ",\n";
      if (i % 10 < 2)
        AppendCountry(text, rng, i);
      else if (i % 10 < 6)
        AppendRiver(text, rng, i);
      else
        AppendPlace(text, rng, i);
    }
    text += "]}\n";
    const std::string path = (Dir() / "synthetic_10m.geojson").string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }();
  return file;
}

std::string InputText() {
  std::ifstream f(Input(), std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

void RemoveDatabase(const std::string& base) {
  for (const char* s :
       {".orvgds", ".orvgdd", ".orvgi0", ".orvgi1", ".orvgi2", ".orvgi3", ".orvgi4"})
    fs::remove(base + s);
}

void BM_kartavo_import(benchmark::State& state) {
  const std::string input = Input();
  const std::string base = (Dir() / "imported").string();
  kartavo::TGeoJSONImportReport r;
  for (auto _ : state) {
    state.PauseTiming();
    RemoveDatabase(base);
    state.ResumeTiming();
    kartavo::TGeoDB db(nullptr);
    db.SetDBName(base);
    r = kartavo::ImportGeoJSON(db, input);
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(fs::file_size(input)));
  state.counters["entries"] = r.Entries;
  state.counters["points"] = double(r.Points);
}
BENCHMARK(BM_kartavo_import)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_ogr2ogr_import(benchmark::State& state) {
  if (std::system("ogr2ogr --version >/dev/null 2>&1") != 0) {
    state.SkipWithError("ogr2ogr (gdal-bin) not installed");
    return;
  }
  const std::string input = Input();
  const std::string out = (Dir() / "imported.gpkg").string();
  const std::string cmd = "ogr2ogr -f GPKG " + out + " " + input + " >/dev/null 2>&1";
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove(out);
    state.ResumeTiming();
    if (std::system(cmd.c_str()) != 0) state.SkipWithError("ogr2ogr failed");
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(fs::file_size(input)));
}
BENCHMARK(BM_ogr2ogr_import)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

void BM_kartavo_parse(benchmark::State& state) {
  const std::string text = InputText();
  for (auto _ : state) {
    const kartavo::TParsedGeoJSON parsed = kartavo::ParseGeoJSON(text, {});
    benchmark::DoNotOptimize(parsed.Points);
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_kartavo_parse)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The same work with nlohmann::json: the tree, then every position read out.
void BM_nlohmann_parse(benchmark::State& state) {
  const std::string text = InputText();
  for (auto _ : state) {
    const nlohmann::json doc = nlohmann::json::parse(text);
    double sum = 0;
    std::function<void(const nlohmann::json&)> walk = [&](const nlohmann::json& c) {
      if (c.is_array() && c.size() >= 2 && c[0].is_number()) {
        sum += c[0].get<double>() + c[1].get<double>();
        return;
      }
      for (const nlohmann::json& e : c)
        walk(e);
    };
    for (const nlohmann::json& f : doc["features"])
      walk(f["geometry"]["coordinates"]);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_nlohmann_parse)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

} // namespace

int main(int argc, char** argv) {
  return kartavo::bench::RunBenchmarks(
      argc, argv, [](const kartavo::bench::TCollectingReporter& r) {
        std::map<std::string, double> mbPerSecond;
        for (const auto& [name, rate] : r.ItemsPerSecond)
          mbPerSecond[name] = rate / 1e6;
        std::printf("\ninput: %s, %.1f MB\n", Input().c_str(),
                    double(fs::file_size(Input())) / 1e6);
        kartavo::bench::PrintPeerTable(
            {.Heading = "MB/s of GeoJSON, wall time (ratio = kartavo / peer; above 1: kartavo is "
                        "faster); import: into a database / a GeoPackage; parse: text to features",
             .FirstColumn = "operation",
             .Peers = {"ogr2ogr", "nlohmann"},
             .FiguresAreRates = true,
             .ExtraColumn = nullptr,
             .Extra = {}},
            {"import", "parse"}, mbPerSecond);
        RemoveDatabase((Dir() / "imported").string());
        fs::remove(Dir() / "imported.gpkg");
      });
}
