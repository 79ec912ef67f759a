// Writes fuzzed bytes as a database file set into a scratch folder, with
// the files an interrupted garbage collection or change leaves behind (the
// swapped-in summary and data files, the swap marker, the change journal).
// Opens it read-only (which must change no file), checks it, opens it for
// writing (which finishes what was interrupted), reads every entry back and
// then changes the database it opened: no crash, hang or absurd allocation,
// only results or the documented errors.
//
// Input: a 16-bit mask of the files present, eleven 16-bit lengths, then
// the files' contents one after another.
#include "kartavo/framework/errors.h"
#include "kartavo/geodb/geodb.h"
#include "kartavo/package/exceptions.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const char* const kSuffixes[] = {".orvgds",     ".orvgdd",   ".orvgi0",     ".orvgi1",
                                 ".orvgi2",     ".orvgi3",   ".orvgi4",     ".orvgds~new",
                                 ".orvgdd~new", ".orvgswap", ".orvgjournal"};
constexpr size_t kFiles = std::size(kSuffixes);
constexpr size_t kHead = 2 + 2 * kFiles;

// The scratch folder, in memory where the system offers it (flushes cost
// nothing there), removed when the fuzzer ends.
struct TScratch {
  fs::path Dir;
  TScratch() {
    const fs::path shm = "/dev/shm";
    Dir = (fs::is_directory(shm) ? shm : fs::temp_directory_path()) /
          ("kartavo_fuzz_geodb_" + std::to_string(::getpid()));
    fs::create_directories(Dir);
  }
  ~TScratch() {
    std::error_code ec;
    fs::remove_all(Dir, ec);
  }
  void Clear() const {
    for (const auto& e : fs::directory_iterator(Dir))
      fs::remove_all(e.path());
  }
};

uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

void WriteFileSet(const std::string& base, const uint8_t* data, size_t size) {
  if (size < kHead) return; // no files: a new database
  const uint16_t present = Get16(data);
  size_t pos = kHead;
  for (size_t i = 0; i < kFiles; ++i) {
    const size_t len = std::min<size_t>(Get16(data + 2 + 2 * i), size - pos);
    if (present & (1u << i)) {
      std::ofstream f(base + kSuffixes[i], std::ios::binary | std::ios::trunc);
      f.write(reinterpret_cast<const char*>(data + pos), static_cast<std::streamsize>(len));
    }
    pos += len;
  }
}

std::map<std::string, std::string> Snapshot(const fs::path& dir) {
  std::map<std::string, std::string> out;
  for (const auto& e : fs::directory_iterator(dir)) {
    std::ifstream f(e.path(), std::ios::binary);
    out[e.path().filename().string()].assign(std::istreambuf_iterator<char>(f), {});
  }
  return out;
}

template <class Fn> void Tolerate(Fn fn) {
  try {
    fn();
  } catch (const fw::EInOutError&) {
  } catch (const kartavo::EORVGeoDBError&) {
  }
}

void ReadEverything(kartavo::TGeoDB& db) {
  for (int n = 0; n <= db.NumEntries() + 1; ++n) {
    Tolerate([&] {
      kartavo::TgdbPolygon poly;
      kartavo::TMetaInfo meta;
      fw::TMemoryStream s;
      db.RetrievePolygon(n, poly);
      db.RetrieveBLOB(n, meta, s);
      db.GetMetaInfo(n, meta);
      db.SearchForItemID(db.Data(n).ItemId);
      db.IxLatLow(n);
    });
  }
  kartavo::EntriesInBox(db, -10, -10, 10, 10);
}

// Every kind of change, on whatever the opening left.
void ChangeEverything(kartavo::TGeoDB& db) {
  const std::string blob(100, 'b');
  kartavo::TMetaInfo meta;
  Tolerate([&] { db.AddTown("T", 0, 0, {1, 2}, 0, 0, 0); });
  Tolerate([&] { db.AddRoad("R", {{1, 1}, {2, 2}}, 0, 0, 0, 0, 0, 0, 0, 0, 0); });
  Tolerate(
      [&] { db.AddBLOB("B", 0, 0, 0, 0, 0, 0, 0, 0, 0, meta, blob.data(), int(blob.size())); });
  Tolerate([&] { db.ReplaceLake(1, "L", {{3, 3}, {4, 4}, {3, 4}}, 0, 0, 0, 0, 0, 0, 0, 0, 0); });
  Tolerate([&] { db.UpdateMetaInfo(db.NumEntries(), meta); });
  Tolerate([&] { db.DeleteData(db.NumEntries() / 2 + 1); });
  Tolerate([&] { db.GarbageCollection(); });
  Tolerate([&] { db.RecalcIndexes(); });
  Tolerate([&] {
    db.SetLazyWrite(true);
    db.AddTown("Lazy", 0, 0, {5, 6}, 0, 0, 0);
    db.DeleteData(1);
    db.SetLazyWrite(false);
  });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const TScratch scratch;
  scratch.Clear();
  const std::string base = (scratch.Dir / "db").string();
  WriteFileSet(base, data, size);

  const auto before = Snapshot(scratch.Dir);
  Tolerate([&] {
    kartavo::TGeoDB ro(nullptr);
    ro.SetReadOnly(true);
    ro.SetDBName(base);
    ReadEverything(ro);
  });
  Tolerate([&] { kartavo::CheckDatabase(base); });
  // Reading and checking never change a file.
  if (Snapshot(scratch.Dir) != before) __builtin_trap();

  kartavo::TGeoDB db(nullptr);
  try {
    db.SetDBName(base);
  } catch (const fw::EInOutError&) {
    return 0;
  }
  ReadEverything(db);
  ChangeEverything(db);
  ReadEverything(db);
  return 0;
}
