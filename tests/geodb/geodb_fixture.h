// Shared pieces of the database tests: a scratch folder per test, raw file
// access, and the documented record layouts built independently of the
// library's own encoders, so that byte comparisons check the library.
#pragma once

#include "kartavo/framework/errors.h"
#include "kartavo/geodb/geodb.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace geodb_test {

using Bytes = std::vector<uint8_t>;

inline Bytes ReadRaw(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), {});
}

// The first n bytes of a file (for files too large to read whole).
inline Bytes ReadHead(const std::string& path, size_t n) {
  std::ifstream f(path, std::ios::binary);
  Bytes b(n);
  f.read(reinterpret_cast<char*>(b.data()), static_cast<std::streamsize>(n));
  b.resize(static_cast<size_t>(f.gcount()));
  return b;
}

inline void WriteRaw(const std::string& path, const Bytes& b) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

inline void Put32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i)
    b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void PutFloat(Bytes& b, size_t at, float v) {
  uint32_t u;
  std::memcpy(&u, &v, 4);
  Put32(b, at, u);
}
inline void PutDouble(Bytes& b, size_t at, double v) {
  uint64_t u;
  std::memcpy(&u, &v, 8);
  Put32(b, at, static_cast<uint32_t>(u));
  Put32(b, at + 4, static_cast<uint32_t>(u >> 32));
}
inline int32_t Get32(const Bytes& b, size_t at) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i)
    v |= static_cast<uint32_t>(b[at + i]) << (8 * i);
  return static_cast<int32_t>(v);
}

// The 120-byte summary record as the file format documents it; undefined
// bytes are zero, name positions past the length are spaces.
struct ExpectedEntry {
  int32_t ItemId = 0;
  std::string Name; // single-byte text
  float Altitude = 0;
  uint8_t ClassFlag = 0;
  int32_t Tag = 0;
  int32_t BlobOffset = -1;
  double Date = 0;
  int32_t StateFlag = 0;
  float LatLow = 0, LatHigh = 0, LongLow = 0, LongHigh = 0;
  uint8_t Kind = 8;
  int32_t Count = 0;
  bool Closed = false;

  Bytes Encode() const {
    Bytes b(120, 0);
    Put32(b, 0, static_cast<uint32_t>(ItemId));
    b[4] = static_cast<uint8_t>(Name.size());
    for (size_t i = 0; i < 59; ++i)
      b[5 + i] = i < Name.size() ? static_cast<uint8_t>(Name[i]) : ' ';
    PutFloat(b, 64, Altitude);
    b[68] = ClassFlag;
    Put32(b, 72, static_cast<uint32_t>(Tag));
    Put32(b, 76, static_cast<uint32_t>(BlobOffset));
    PutDouble(b, 80, Date);
    Put32(b, 88, static_cast<uint32_t>(StateFlag));
    PutFloat(b, 92, LatLow);
    PutFloat(b, 96, LatHigh);
    PutFloat(b, 100, LongLow);
    PutFloat(b, 104, LongHigh);
    b[108] = Kind;
    Put32(b, 112, static_cast<uint32_t>(Count));
    b[116] = Closed ? 1 : 0;
    return b;
  }
};

inline Bytes ExpectedHeader(int32_t highestId, const std::string& description = "",
                            int32_t revision = 0) {
  Bytes b(260, 0);
  Put32(b, 0, static_cast<uint32_t>(highestId));
  Put32(b, 4, 4);
  b[8] = static_cast<uint8_t>(description.size());
  std::memcpy(b.data() + 9, description.data(), description.size());
  Put32(b, 72, static_cast<uint32_t>(revision));
  return b;
}

inline Bytes ExpectedPoints(const kartavo::TgdbPolygon& poly) {
  Bytes b(poly.size() * 8);
  for (size_t i = 0; i < poly.size(); ++i) {
    PutFloat(b, i * 8, poly[i].Latit);
    PutFloat(b, i * 8 + 4, poly[i].Longit);
  }
  return b;
}

// Index file records: (key bits, zero-based position).
inline Bytes ExpectedIndex(const std::vector<std::pair<uint32_t, int32_t>>& recs) {
  Bytes b(recs.size() * 8);
  for (size_t i = 0; i < recs.size(); ++i) {
    Put32(b, i * 8, recs[i].first);
    Put32(b, i * 8 + 4, static_cast<uint32_t>(recs[i].second));
  }
  return b;
}
inline uint32_t FloatBits(float f) {
  uint32_t u;
  std::memcpy(&u, &f, 4);
  return u;
}

inline Bytes Slice(const Bytes& b, size_t at, size_t n) {
  if (at + n > b.size()) return {};
  return Bytes(b.begin() + static_cast<ptrdiff_t>(at), b.begin() + static_cast<ptrdiff_t>(at + n));
}

class GeoDBTest : public ::testing::Test {
protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = std::filesystem::temp_directory_path() /
          (std::string("kartavo_geodb_") + info->test_suite_name() + "_" + info->name() + "_" +
           std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    base = (dir / "world").string();
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  std::string File(const char* suffix) const { return base + suffix; }

  // A database of a border, a 4-byte BLOB and a town, closed again.
  void BuildBorderBlobTown(const char* border = "B", const char* blob = "b",
                           const char* town = "T") const {
    kartavo::TGeoDB db(nullptr);
    db.SetDBName(base);
    db.AddBorder(border, {{1, 2}, {4, 2}, {4, 5}, {1, 5}}, true, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    const std::string content = "blob";
    db.AddBLOB(blob, 0, 0, 0, 0, 0, 0, 0, 0, 0, {}, content.data(), 4);
    db.AddTown(town, 0, 0, {5, 6}, 0, 0, 0);
  }

  // Every file of the scratch folder by name.
  std::map<std::string, Bytes> Files() const {
    std::map<std::string, Bytes> out;
    for (const auto& e : std::filesystem::directory_iterator(dir))
      out[e.path().filename().string()] = ReadRaw(e.path().string());
    return out;
  }
  Bytes Raw(const char* suffix) const { return ReadRaw(File(suffix)); }

  // Records every progress value the database reports.
  void Watch(kartavo::TGeoDB& db) {
    db.OnPercentDone = [this](fw::TObject*, int p) { progress.push_back(p); };
  }

  std::filesystem::path dir;
  std::string base;
  std::vector<int> progress;
};

// Exposes the internal operations of the component to the tests.
class TGeoDBProbe : public kartavo::TGeoDB {
public:
  using TGeoDB::AddData;
  using TGeoDB::InsertIntoIndex;
  using TGeoDB::RemoveIndexEntries;
  using TGeoDB::ReplaceData;
  using TGeoDB::SaveIndex;
  using TGeoDB::SortIxInto;
  using TGeoDB::SortIxItemIDInto;
  using TGeoDB::TGeoDB;
};

inline kartavo::TgdbPolygon Square(float lat, float lon, float size) {
  return {{lat, lon}, {lat + size, lon}, {lat + size, lon + size}, {lat, lon + size}};
}

} // namespace geodb_test
