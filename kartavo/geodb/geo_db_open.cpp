// TGeoDB: opening, creating and closing a database file set.
#include "kartavo/geodb/geo_db.h"

#include "kartavo/framework/errors.h"
#include "kartavo/geodb/detail/gdb_file_swap.h"
#include "kartavo/geodb/detail/gdb_files.h"
#include "kartavo/geodb/detail/gdb_index_build.h"
#include "kartavo/geodb/detail/gdb_layout.h"
#include "kartavo/geodb/detail/gdb_write_behind.h"

#include <algorithm>
#include <cerrno>
#include <climits>

namespace kartavo {
namespace {

// Everything an opened database holds in memory, assembled before the
// component takes it over, so that a failure leaves the component closed.
struct TOpenedDB {
  TGdbFileNames Names;
  std::vector<TgdbData> Entries;
  TIxItemIDRecArray Ix0;
  std::array<TIxLLRecArray, 4> IxLL; // indexes 1..4
  TgdbSystemData Header;
};

std::vector<TgdbData> ReadEntries(const std::string& path) {
  const std::vector<uint8_t> bytes = GdbReadFile(path);
  // A trailing partial record (an interrupted append) is not an entry.
  const size_t count = bytes.size() / gdb_layout::entry::Size;
  if (count > static_cast<size_t>(INT32_MAX))
    throw fw::EInOutError(EFBIG, path, "Summary file \"" + path + "\" holds too many entries");
  std::vector<TgdbData> entries(count);
  for (size_t i = 0; i < count; ++i)
    entries[i] = gdb_layout::DecodeEntry(bytes.data() + i * gdb_layout::entry::Size);
  return entries;
}

int32_t HighestItemId(const std::vector<TgdbData>& entries) {
  int32_t highest = 0;
  for (const TgdbData& d : entries)
    highest = std::max(highest, d.ItemId);
  return highest;
}

// Reads the header, or writes a new one when the data file is new (or was
// left empty by an interrupted creation).
TgdbSystemData ReadOrCreateHeader(const std::string& path, const std::vector<TgdbData>& entries) {
  const bool exists = GdbFileExists(path);
  fw::TFileStream f(path, exists ? fw::fmOpenRead : fw::fmCreate);
  const int64_t size = f.Size();
  std::vector<uint8_t> bytes(gdb_layout::header::Size);
  if (size == 0) {
    TgdbSystemData header;
    header.HighestID = HighestItemId(entries);
    gdb_layout::EncodeHeader(header, bytes.data());
    fw::TFileStream w(path, fw::fmOpenReadWrite);
    w.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
    return header;
  }
  // Data blocks are appended behind the header; a shorter file cannot be
  // written into without overwriting them.
  if (size < static_cast<int64_t>(bytes.size()))
    throw fw::EInOutError(EIO, path,
                          "Data file \"" + path + "\" has an incomplete header (" +
                              std::to_string(size) + " of 260 bytes)");
  f.Read(bytes.data(), static_cast<int64_t>(bytes.size()));
  return gdb_layout::DecodeHeader(bytes.data());
}

// An index file that disagrees with the summary (deferred writes cut short
// by a crash, a lost or foreign file) is rebuilt in memory and on disk.
void CheckIndexes(TOpenedDB& db) {
  const int count = static_cast<int>(db.Entries.size());
  if (!IndexMatches(db.Ix0, db.Entries, count)) {
    db.Ix0 = BuildItemIDIndex(db.Entries, count);
    GdbWriteFile(db.Names.Index[0], gdb_layout::EncodeIndex(db.Ix0));
  }
  for (int ix = 1; ix <= 4; ++ix) {
    TIxLLRecArray& index = db.IxLL[static_cast<size_t>(ix - 1)];
    if (IndexMatches(index, db.Entries, count, CoordOfIndex(ix))) continue;
    index = BuildCoordIndex(db.Entries, count, CoordOfIndex(ix));
    GdbWriteFile(db.Names.Index[static_cast<size_t>(ix)], gdb_layout::EncodeIndex(index));
  }
}

TOpenedDB LoadFileSet(const std::string& base) {
  TOpenedDB db;
  db.Names = TGdbFileNames::FromBase(base);
  RecoverFileSwap(base, {db.Names.Summary, db.Names.Data});
  for (int ix : {1, 2, 3, 4, 0}) {
    const std::string& name = db.Names.Index[static_cast<size_t>(ix)];
    GdbEnsureFile(name);
    const std::vector<uint8_t> bytes = GdbReadFile(name);
    if (ix == 0)
      db.Ix0 = gdb_layout::DecodeItemIDIndex(bytes);
    else
      db.IxLL[static_cast<size_t>(ix - 1)] = gdb_layout::DecodeLLIndex(bytes);
  }
  GdbEnsureFile(db.Names.Summary);
  db.Entries = ReadEntries(db.Names.Summary);
  db.Header = ReadOrCreateHeader(db.Names.Data, db.Entries);
  // Identifiers must stay unique even when the header lags behind the
  // summary (a crash between their writes, a damaged header).
  db.Header.HighestID = std::max(db.Header.HighestID, HighestItemId(db.Entries));
  CheckIndexes(db);
  return db;
}

} // namespace

void TGeoDB::CloseState() {
  FWriteBehind.reset();
  FPendingIndex.clear();
  FSystemData = TgdbSystemData{};
  FNameGDS.clear();
  FNameGDD.clear();
  for (std::string& n : FNameIX)
    n.clear();
  FNumSumItems = 0;
  FExtentsKnown = false;
  FSumData.clear();
  FIx0ItemId.clear();
  FIx1LatLo.clear();
  FIx2LatHi.clear();
  FIx3LongLo.clear();
  FIx4LongHi.clear();
}

void TGeoDB::OpenFileSet(const std::string& Base) {
  CloseState();
  TOpenedDB db = LoadFileSet(Base);
  FNameGDS = db.Names.Summary;
  FNameGDD = db.Names.Data;
  FNameIX = db.Names.Index;
  FNumSumItems = static_cast<int>(db.Entries.size());
  FSumData = std::move(db.Entries);
  FIx0ItemId = std::move(db.Ix0);
  FIx1LatLo = std::move(db.IxLL[0]);
  FIx2LatHi = std::move(db.IxLL[1]);
  FIx3LongLo = std::move(db.IxLL[2]);
  FIx4LongHi = std::move(db.IxLL[3]);
  FSystemData = db.Header;
}

void TGeoDB::SetDBName(const std::string& Value) {
  if (IsOpen() && FLazyWrite) {
    FinishPendingWrites();
    SaveAllIndexes();
  }
  if (Value.empty()) {
    CloseState();
    FLazyWrite = false;
    return;
  }
  OpenFileSet(TGdbFileNames::BaseOf(Value));
}

TgdbSystemData ReadSystemInformation(const std::string& FileName) {
  const std::string path = TGdbFileNames::FromBase(TGdbFileNames::BaseOf(FileName)).Data;
  fw::TFileStream f(path, fw::fmOpenRead);
  std::vector<uint8_t> bytes(gdb_layout::header::Size);
  if (f.Read(bytes.data(), static_cast<int64_t>(bytes.size())) !=
      static_cast<int64_t>(bytes.size()))
    throw fw::EInOutError(EIO, path, "Data file \"" + path + "\" has an incomplete header");
  return gdb_layout::DecodeHeader(bytes.data());
}

} // namespace kartavo
