// TGeoDB: opening, creating and closing a database file set.
#include "kartavo/geodb/geo_db.h"

#include "kartavo/framework/errors.h"
#include "kartavo/geodb/detail/gdb_file_swap.h"
#include "kartavo/geodb/detail/gdb_files.h"
#include "kartavo/geodb/detail/gdb_journal.h"
#include "kartavo/geodb/detail/gdb_layout.h"
#include "kartavo/geodb/detail/gdb_scan.h"
#include "kartavo/geodb/detail/gdb_write_behind.h"

#include <algorithm>
#include <cerrno>
#include <climits>

namespace kartavo {
namespace {

void WriteNewHeader(const std::string& path, const TgdbSystemData& header) {
  std::vector<uint8_t> bytes(gdb_layout::header::Size);
  gdb_layout::EncodeHeader(header, bytes.data());
  fw::TFileStream f(path, GdbFileExists(path) ? fw::fmOpenReadWrite : fw::fmCreate);
  f.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
}

// Brings the files to the state the scan read: a new database is created,
// an interrupted swap, change or delete finished, stale index files
// rewritten. Each step can itself be interrupted and is then done again.
void MendFileSet(const TGdbScan& s) {
  RecoverFileSwap(s.Base, {s.Names.Summary, s.Names.Data});
  const TGdbJournal journal(s.Base, s.Names.Summary, s.Names.Data);
  GdbEnsureFile(s.Names.Summary);
  if (s.HeaderMissing) WriteNewHeader(s.Names.Data, s.Header);
  if (s.Journal.State == TJournalState::Replay) journal.Replay(s.Journal.Change);
  if (s.Mend) journal.Commit(*s.Mend);
  bool indexesWritten = false;
  for (int ix = 0; ix <= 4; ++ix) {
    const std::string& name = s.Names.Index[static_cast<size_t>(ix)];
    if (!s.IndexStale[static_cast<size_t>(ix)] && GdbFileExists(name)) continue;
    if (!indexesWritten) journal.MarkIndexesPending();
    indexesWritten = true;
    GdbWriteFile(name, ix == 0 ? gdb_layout::EncodeIndex(s.Ix0)
                               : gdb_layout::EncodeIndex(s.IxLL[static_cast<size_t>(ix - 1)]));
  }
  journal.Settle();
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
  FDamage.clear();
  FBoxTable.reset();
  FSumData.clear();
  FIx0ItemId.clear();
  FIx1LatLo.clear();
  FIx2LatHi.clear();
  FIx3LongLo.clear();
  FIx4LongHi.clear();
}

void TGeoDB::OpenFileSet(const std::string& Base) {
  CloseState();
  TGdbScan db = ScanFileSet(Base);
  if (FReadOnly && !db.Exists())
    throw fw::EInOutError(ENOENT, db.Names.Summary, "Database \"" + Base + "\" does not exist");
  // A damaged database is not mended: its files are the evidence of what it held.
  if (!FReadOnly && db.Damage.empty()) {
    MendFileSet(db);
    db.DataPath = db.Names.Data;
  }
  FNameGDS = db.Names.Summary;
  FNameGDD = db.DataPath;
  FNameIX = db.Names.Index;
  FNumSumItems = static_cast<int>(db.Entries.size());
  FSumData = std::move(db.Entries);
  FIx0ItemId = std::move(db.Ix0);
  FIx1LatLo = std::move(db.IxLL[0]);
  FIx2LatHi = std::move(db.IxLL[1]);
  FIx3LongLo = std::move(db.IxLL[2]);
  FIx4LongHi = std::move(db.IxLL[3]);
  FSystemData = db.Header;
  FDamage = std::move(db.Damage);
}

void TGeoDB::SetDBName(const std::string& Value) {
  if (IsOpen() && FLazyWrite && !FReadOnly) {
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
