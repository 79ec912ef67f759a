// TGeoDB: construction, properties, accessors and the in-memory indexes.
#include "kartavo/geodb/geo_db.h"

#include "kartavo/framework/errors.h"

#include "kartavo/geodb/detail/gdb_files.h"
#include "kartavo/geodb/detail/gdb_index.h"
#include "kartavo/geodb/detail/gdb_journal.h"
#include "kartavo/geodb/detail/gdb_layout.h"
#include "kartavo/geodb/detail/gdb_write_behind.h"
#include "kartavo/package/exceptions.h"

#include <algorithm>

namespace kartavo {

TGeoDB::TGeoDB(fw::TComponent* AOwner) : fw::TComponent(AOwner) {}

TGeoDB::~TGeoDB() {
  // Deferred writes must reach the disk; a destructor cannot report a failure,
  // and the files stay consistent without them (indexes are rebuilt on opening).
  try {
    if (IsOpen() && FLazyWrite && !FReadOnly) {
      FinishPendingWrites();
      SaveAllIndexes();
    }
  } catch (...) {
  }
}

std::string TGeoDB::DBName() const {
  return FNameGDS.empty() ? std::string() : TGdbFileNames::BaseOf(FNameGDS);
}

void TGeoDB::SetLazyWrite(bool Value) {
  if (Value == FLazyWrite) return;
  if (!Value && IsOpen() && !FReadOnly) {
    FinishPendingWrites();
    SaveAllIndexes();
  }
  FLazyWrite = Value;
}

void TGeoDB::RaiseDB(const std::string& Text) const {
  throw EORVGeoDBError(ComponentMessage(*this, Text));
}

void TGeoDB::SetReadOnly(bool Value) {
  if (Value == FReadOnly) return;
  const std::string name = DBName();
  if (!name.empty()) SetDBName("");
  FReadOnly = Value;
  if (!name.empty()) SetDBName(name);
}

void TGeoDB::CheckWritable(const char* Operation) const {
  if (FReadOnly) RaiseDB(std::string(Operation) + ": the database is open read-only.");
  if (!FDamage.empty())
    RaiseDB(std::string(Operation) + ": the database is damaged (" + FDamage.front() +
            "); check it and recover it into a new database.");
}

TGdbJournal TGeoDB::Journal() const { return {DBName(), FNameGDS, FNameGDD}; }

void TGeoDB::SettleChange(bool IndexesChanged) {
  // With deferred writing the change's journal stays until the indexes are saved.
  if (FLazyWrite) return;
  if (IndexesChanged)
    SaveAllIndexes();
  else
    Journal().Settle();
}

void TGeoDB::WriteHeader(const char* Operation) {
  TJournalChange change;
  change.Add(jtData, 0, std::vector<uint8_t>(gdb_layout::header::Size));
  gdb_layout::EncodeHeader(FSystemData, change.Writes.front().Bytes.data());
  try {
    Journal().Commit(change);
  } catch (const fw::EInOutError&) {
    RaiseDB(std::string(Operation) + ": cannot open database.");
  }
  SettleChange(false);
}

void TGeoDB::SetDescription(const std::string& Value) {
  if (!IsOpen()) return;
  CheckWritable("SetDescription");
  FinishPendingWrites();
  const std::string cp = fw::Utf8ToCp1252(Value);
  FSystemData.Description = decltype(FSystemData.Description)::FromBytes(cp.substr(0, 60));
  WriteHeader("SetDescription");
}

void TGeoDB::SetRevision(int Value) {
  if (!IsOpen()) return;
  CheckWritable("SetRevision");
  FinishPendingWrites();
  FSystemData.Revision = Value;
  WriteHeader("SetRevision");
}

int TGeoDB::ClampEntry(int ix) const { return std::clamp(ix, 1, std::max(FNumSumItems, 1)); }

TgdbData TGeoDB::GetSumdata(int ix) const {
  if (FNumSumItems <= 0) return TgdbData{};
  return FSumData[static_cast<size_t>(ClampEntry(ix) - 1)];
}

namespace {
template <class Rec> Rec IndexRecord(const std::vector<Rec>& a, int ix, int count) {
  if (count <= 0) return Rec{};
  Rec r = a[static_cast<size_t>(std::clamp(ix, 1, count) - 1)];
  r.index += 1;
  return r;
}
} // namespace

TIxItemIDRec TGeoDB::GetIxItemID(int ix) {
  MaterializeIndexes();
  return IndexRecord(FIx0ItemId, ix, FNumSumItems);
}
TIxLLRec TGeoDB::GetIxLatLow(int ix) {
  MaterializeIndexes();
  return IndexRecord(FIx1LatLo, ix, FNumSumItems);
}
TIxLLRec TGeoDB::GetIxLatHigh(int ix) {
  MaterializeIndexes();
  return IndexRecord(FIx2LatHi, ix, FNumSumItems);
}
TIxLLRec TGeoDB::GetIxLongLow(int ix) {
  MaterializeIndexes();
  return IndexRecord(FIx3LongLo, ix, FNumSumItems);
}
TIxLLRec TGeoDB::GetIxLongHigh(int ix) {
  MaterializeIndexes();
  return IndexRecord(FIx4LongHi, ix, FNumSumItems);
}

void TGeoDB::SortIxInto(TIxLLRecArray& Ix, const TIxLLRec& Rec) { InsertIntoSorted(Ix, Rec); }

void TGeoDB::SortIxItemIDInto(TIxItemIDRecArray& Ix, const TIxItemIDRec& Rec) {
  InsertIntoSorted(Ix, Rec);
}

void TGeoDB::InsertIntoIndex(int DBEntry, const TgdbData& D) {
  const int32_t at = DBEntry - 1;
  SortIxItemIDInto(FIx0ItemId, {D.ItemId, at});
  SortIxInto(FIx1LatLo, {D.LatLow, at});
  SortIxInto(FIx2LatHi, {D.LatHigh, at});
  SortIxInto(FIx3LongLo, {D.LongLow, at});
  SortIxInto(FIx4LongHi, {D.LongHigh, at});
}

namespace {
// Drops the first record pointing at position `at`; the last slot keeps a stale copy.
template <class Rec> void RemovePosition(std::vector<Rec>& a, int32_t at, int count) {
  const auto end = a.begin() + std::min<ptrdiff_t>(count, static_cast<ptrdiff_t>(a.size()));
  auto it = std::find_if(a.begin(), end, [at](const Rec& r) { return r.index == at; });
  if (it != end) std::move(it + 1, end, it);
}
} // namespace

void TGeoDB::RemoveIndexEntries(int DBEntry) {
  const int32_t at = DBEntry - 1;
  RemovePosition(FIx0ItemId, at, FNumSumItems);
  RemovePosition(FIx1LatLo, at, FNumSumItems);
  RemovePosition(FIx2LatHi, at, FNumSumItems);
  RemovePosition(FIx3LongLo, at, FNumSumItems);
  RemovePosition(FIx4LongHi, at, FNumSumItems);
}

void TGeoDB::MaterializeIndexes() {
  if (FPendingIndex.empty()) return;
  auto apply = [this](auto& index, auto makeRec) {
    using Rec = typename std::decay_t<decltype(index)>::value_type;
    TIndexBulkInserter<Rec> inserter(index);
    for (int n : FPendingIndex)
      inserter.Insert(makeRec(FSumData[static_cast<size_t>(n - 1)], n - 1));
    inserter.Finish();
  };
  apply(FIx0ItemId, [](const TgdbData& d, int32_t at) { return TIxItemIDRec{d.ItemId, at}; });
  apply(FIx1LatLo, [](const TgdbData& d, int32_t at) { return TIxLLRec{d.LatLow, at}; });
  apply(FIx2LatHi, [](const TgdbData& d, int32_t at) { return TIxLLRec{d.LatHigh, at}; });
  apply(FIx3LongLo, [](const TgdbData& d, int32_t at) { return TIxLLRec{d.LongLow, at}; });
  apply(FIx4LongHi, [](const TgdbData& d, int32_t at) { return TIxLLRec{d.LongHigh, at}; });
  FPendingIndex.clear();
}

void TGeoDB::SaveIndex(int ix) {
  // Index files of a damaged database are evidence of what it held.
  if (!IsOpen() || FReadOnly || !FDamage.empty() || ix < 0 || ix > 4) return;
  MaterializeIndexes();
  const size_t count = static_cast<size_t>(FNumSumItems);
  auto head = [count](const auto& a) { return std::span(a.data(), std::min(count, a.size())); };
  std::vector<uint8_t> bytes;
  switch (ix) {
  case 0:
    bytes = gdb_layout::EncodeIndex(head(FIx0ItemId));
    break;
  case 1:
    bytes = gdb_layout::EncodeIndex(head(FIx1LatLo));
    break;
  case 2:
    bytes = gdb_layout::EncodeIndex(head(FIx2LatHi));
    break;
  case 3:
    bytes = gdb_layout::EncodeIndex(head(FIx3LongLo));
    break;
  default:
    bytes = gdb_layout::EncodeIndex(head(FIx4LongHi));
    break;
  }
  GdbWriteFile(FNameIX[static_cast<size_t>(ix)], bytes);
}

void TGeoDB::SaveAllIndexes() {
  if (!IsOpen() || FReadOnly || !FDamage.empty()) return;
  // A journal stays in place while the index files are written, so that an
  // interruption makes the next opening rebuild them.
  const TGdbJournal journal = Journal();
  journal.MarkIndexesPending();
  for (int ix = 0; ix <= 4; ++ix)
    SaveIndex(ix);
  journal.Settle();
}

void TGeoDB::FinishPendingWrites() {
  if (!FWriteBehind) return;
  // The session ends even when writing fails, so that no later operation
  // works on stale buffers.
  std::unique_ptr<TGdbWriteBehind> session = std::move(FWriteBehind);
  try {
    session->Flush();
  } catch (...) {
    // Memory holds additions the disk does not: take the disk's state again
    // (or close), so that no later write builds on entries that do not exist.
    const std::string base = DBName();
    session.reset();
    FPendingIndex.clear();
    try {
      OpenFileSet(base);
    } catch (...) {
      CloseState();
    }
    throw;
  }
}

} // namespace kartavo
