// Writes fuzzed bytes as a database file set into a scratch folder, opens
// it and reads every entry back: no crash, hang or absurd allocation, only
// results or the documented errors.
#include "kartavo/framework/errors.h"
#include "kartavo/geodb/geodb.h"
#include "kartavo/package/exceptions.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

const char* const kSuffixes[] = {".orvgds", ".orvgdd", ".orvgi0", ".orvgi1",
                                 ".orvgi2", ".orvgi3", ".orvgi4"};

// The input is cut into seven files at the lengths given by its first 14 bytes.
void WriteFileSet(const std::string& base, const uint8_t* data, size_t size) {
  size_t pos = std::min<size_t>(size, 14);
  for (int i = 0; i < 7; ++i) {
    size_t len = size >= 14 ? (size_t(data[2 * i]) | size_t(data[2 * i + 1]) << 8) : 0;
    len = std::min(len, size - pos);
    std::ofstream f(base + kSuffixes[i], std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(data + pos), std::streamsize(len));
    pos += len;
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("kartavo_fuzz_geodb_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string base = (dir / "db").string();
  WriteFileSet(base, data, size);
  kartavo::TGeoDB db(nullptr);
  try {
    db.SetDBName(base);
  } catch (const fw::EInOutError&) {
    return 0;
  }
  for (int n = 0; n <= db.NumEntries() + 1; ++n) {
    try {
      kartavo::TgdbPolygon poly;
      kartavo::TMetaInfo meta;
      fw::TMemoryStream s;
      db.RetrievePolygon(n, poly);
      db.RetrieveBLOB(n, meta, s);
      db.SearchForItemID(db.Data(n).ItemId);
      db.IxLatLow(n);
    } catch (const fw::EInOutError&) {
    } catch (const kartavo::EORVGeoDBError&) {
    }
  }
  kartavo::EntriesInBox(db, -10, -10, 10, 10);
  return 0;
}
