// TGeoDB: meta information, descriptive fields, index rebuilding and
// garbage collection.
#include "kartavo/geodb/geo_db.h"

#include "kartavo/geodb/detail/gdb_blob_head.h"
#include "kartavo/geodb/detail/gdb_file_swap.h"
#include "kartavo/geodb/detail/gdb_files.h"
#include "kartavo/geodb/detail/gdb_index_build.h"
#include "kartavo/geodb/detail/gdb_journal.h"
#include "kartavo/geodb/detail/gdb_layout.h"
#include "kartavo/geodb/detail/gdb_progress.h"
#include "kartavo/geodb/detail/le_bytes.h"

#include <algorithm>
#include <map>

namespace kartavo {

bool TGeoDB::GetMetaInfo(int DBEntry, TMetaInfo& MetaInfo) {
  const TgdbData* d = DBEntry < 1 ? nullptr : BlobEntry(DBEntry);
  return d && OpenBlob(*d, MetaInfo) != nullptr;
}

void TGeoDB::UpdateMetaInfo(int DBEntry, const TMetaInfo& MetaInfo) {
  if (!IsOpen() || DBEntry < 1 || DBEntry > FNumSumItems) return;
  CheckWritable("UpdateMetaInfo");
  TMetaInfo current;
  // Only a BLOB whose block lies whole behind the header may be written to.
  if (!GetMetaInfo(DBEntry, current)) return;
  const TgdbData& d = FSumData[static_cast<size_t>(DBEntry - 1)];
  if (d.BlobOffset < static_cast<int32_t>(gdb_layout::header::Size))
    GdbRaiseTruncated(FNameGDD, "UpdateMetaInfo");
  TJournalChange change;
  change.Add(jtData, d.BlobOffset, std::vector<uint8_t>(gdb_layout::meta::Size));
  gdb_layout::EncodeMetaInfo(MetaInfo, change.Writes.front().Bytes.data());
  Journal().Commit(change);
  SettleChange(false);
}

void TGeoDB::UpdateBasicData(int DbEntry, const TgdbData& GdbData) {
  if (!IsOpen() || DbEntry < 1 || DbEntry > FNumSumItems) return;
  CheckWritable("UpdateBasicData");
  FinishPendingWrites();
  TgdbData rec = FSumData[static_cast<size_t>(DbEntry - 1)];
  rec.Name = GdbData.Name;
  rec.Altitude = GdbData.Altitude;
  rec.ClassFlag = GdbData.ClassFlag;
  rec.Tag = GdbData.Tag;
  rec.Date = GdbData.Date;
  rec.StateFlag = GdbData.StateFlag;
  Journal().Commit(SummaryRecordChange(DbEntry, rec));
  FSumData[static_cast<size_t>(DbEntry - 1)] = rec;
  SettleChange(false);
}

void TGeoDB::RecalcIndexes() {
  if (!IsOpen()) return;
  CheckWritable("RecalcIndexes");
  FinishPendingWrites();
  const TGdbJournal journal = Journal();
  journal.MarkIndexesPending();
  FPendingIndex.clear();
  const TProgressReporter progress(this, OnPercentDone, FOnPercDoneEnabled);
  progress.Report(0);
  FIx0ItemId = BuildItemIDIndex(FSumData, FNumSumItems);
  SaveIndex(0);
  progress.Report(20);
  TIxLLRecArray* coord[] = {&FIx1LatLo, &FIx2LatHi, &FIx3LongLo, &FIx4LongHi};
  for (int ix = 1; ix <= 4; ++ix) {
    *coord[ix - 1] = BuildCoordIndex(FSumData, FNumSumItems, CoordOfIndex(ix));
    SaveIndex(ix);
    progress.Report(20 * (ix + 1));
  }
  journal.Settle();
}

void TGeoDB::CheckDiskMatchesMemory(const char* Operation) const {
  // Dropping blocks is safe only when no record on disk refers to one that
  // memory does not know of (another program changed the files, or they
  // were damaged after opening).
  const std::vector<uint8_t> bytes = GdbReadFile(FNameGDS);
  bool same = bytes.size() == static_cast<size_t>(FNumSumItems) * gdb_layout::entry::Size;
  for (int i = 0; same && i < FNumSumItems; ++i) {
    const TgdbData disk = gdb_layout::DecodeEntry(bytes.data() + i * gdb_layout::entry::Size);
    const TgdbData& mem = FSumData[static_cast<size_t>(i)];
    same = disk.ItemId == mem.ItemId && disk.ItemKind == mem.ItemKind &&
           disk.BlobOffset == mem.BlobOffset && disk.NumPoints == mem.NumPoints;
  }
  if (!same)
    RaiseDB(std::string(Operation) +
            ": the summary file changed on disk since the database was opened; open it again.");
}

namespace {

// A distinct data block referenced by one or more entries.
struct TBlockRef {
  int64_t Offset;
  int64_t Length;
};

// The referenced blocks in file order, each once (entries may share one),
// checked against the data file before anything is written.
std::vector<TBlockRef> ReferencedBlocks(const std::vector<TgdbData>& entries, int count,
                                        int64_t fileSize, const std::string& path) {
  std::map<int64_t, int64_t> blocks;
  for (int i = 0; i < count; ++i) {
    const TgdbData& d = entries[static_cast<size_t>(i)];
    const int64_t length = BlockLength(d);
    if (length < 0) continue;
    if (d.BlobOffset + length > fileSize) GdbRaiseTruncated(path, "GarbageCollection");
    int64_t& longest = blocks[d.BlobOffset];
    longest = std::max(longest, length);
  }
  std::vector<TBlockRef> out;
  for (const auto& [offset, length] : blocks)
    out.push_back({offset, length});
  return out;
}

} // namespace

void TGeoDB::GarbageCollection() {
  if (!IsOpen()) return;
  CheckWritable("GarbageCollection");
  FinishPendingWrites();
  CheckDiskMatchesMemory("GarbageCollection");
  const TProgressReporter progress(this, OnPercentDone, FOnPercDoneEnabled);
  progress.Report(0);
  const std::string base = DBName();
  fw::TFileStream oldData(FNameGDD, fw::fmOpenRead);
  const std::vector<TBlockRef> blocks =
      ReferencedBlocks(FSumData, FNumSumItems, oldData.Size(), FNameGDD);

  // New data file: the header, then every referenced block in its old order.
  std::map<int64_t, int32_t> moved;
  {
    fw::TFileStream newData(SwapTempName(FNameGDD), fw::fmCreate);
    std::vector<uint8_t> buf(gdb_layout::header::Size);
    gdb_layout::EncodeHeader(FSystemData, buf.data());
    newData.Write(buf.data(), static_cast<int64_t>(buf.size()));
    int64_t at = static_cast<int64_t>(buf.size());
    for (size_t b = 0; b < blocks.size(); ++b) {
      buf.resize(static_cast<size_t>(blocks[b].Length));
      if (GdbReadAt(oldData, blocks[b].Offset, buf.data(), blocks[b].Length) != blocks[b].Length)
        GdbRaiseTruncated(FNameGDD, "GarbageCollection");
      newData.Write(buf.data(), blocks[b].Length);
      moved[blocks[b].Offset] = static_cast<int32_t>(at);
      at += blocks[b].Length;
      progress.ReportStep(static_cast<int64_t>(b) + 1, static_cast<int64_t>(blocks.size()));
    }
    newData.Flush();
  }

  // New summary file: the old records byte for byte, only BlobOffset changed.
  std::vector<uint8_t> summary = GdbReadFile(FNameGDS);
  summary.resize(static_cast<size_t>(FNumSumItems) * gdb_layout::entry::Size);
  std::vector<TgdbData> entries(FSumData.begin(), FSumData.begin() + FNumSumItems);
  for (size_t i = 0; i < entries.size(); ++i) {
    if (BlockLength(entries[i]) < 0) continue;
    entries[i].BlobOffset = moved.at(entries[i].BlobOffset);
    le::PutI32(summary.data() + i * gdb_layout::entry::Size + gdb_layout::entry::BlobOffset,
               entries[i].BlobOffset);
  }
  {
    fw::TFileStream newSummary(SwapTempName(FNameGDS), fw::fmCreate);
    newSummary.Write(summary.data(), static_cast<int64_t>(summary.size()));
    newSummary.Flush();
  }
  // No earlier change may be replayed into the new files.
  const TGdbJournal journal = Journal();
  journal.Clear();
  CommitFileSwap(base, {FNameGDS, FNameGDD});
  if (!FLazyWrite) journal.Settle();
  std::copy(entries.begin(), entries.end(), FSumData.begin());
  progress.Report(100);
}

} // namespace kartavo
