// Fuzzes the GeoJSON reader: any text is either read into features or
// refused with an error; never a crash, hang or absurd allocation. What is
// read is imported into a scratch database and exported again, and the
// export must read back with the same number of positions.
#include "kartavo/geodb/detail/geojson_features.h"
#include "kartavo/geodb/geodb.h"
#include "kartavo/package/exceptions.h"

#include "fuzz_scratch.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string base = [] {
    const std::string file = FuzzScratchFile("geojson_db");
    return file.substr(0, file.rfind('.'));
  }();
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  kartavo::TGeoJSONImportOptions options;
  options.KindProperty = "kind";
  kartavo::TParsedGeoJSON parsed;
  try {
    parsed = kartavo::ParseGeoJSON(text, options);
  } catch (const std::runtime_error&) {
    return 0;
  }
  if (parsed.Points > 2000) return 0; // the database part costs time, not coverage
  for (const char* s :
       {".orvgds", ".orvgdd", ".orvgi0", ".orvgi1", ".orvgi2", ".orvgi3", ".orvgi4"})
    std::filesystem::remove(base + s);
  kartavo::TGeoDB db(nullptr);
  db.SetDBName(base);
  kartavo::ImportGeoJSONText(db, text, "fuzz.geojson", options);
  const std::string back = kartavo::ExportGeoJSONText(db);
  const kartavo::TParsedGeoJSON again = kartavo::ParseGeoJSON(back, options);
  if (again.Points != parsed.Points) std::abort();
  return 0;
}
