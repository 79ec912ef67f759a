// TGeoDB: adding, replacing and deleting entries. A change first prepares
// its data block (so that a missing source or an oversized block is refused
// before anything is written), appends it to the data file, and only then
// writes the summary record and updates the indexes: an entry is never half added.
#include "kartavo/geodb/geo_db.h"

#include "kartavo/framework/errors.h"

#include "kartavo/geodb/detail/gdb_data_block.h"
#include "kartavo/geodb/detail/gdb_files.h"
#include "kartavo/geodb/detail/gdb_journal.h"
#include "kartavo/geodb/detail/gdb_layout.h"
#include "kartavo/geodb/detail/gdb_progress.h"
#include "kartavo/geodb/detail/gdb_write_behind.h"

#include <climits>

namespace kartavo {
namespace {

constexpr int64_t kChunk = 16384;

struct TBlockRequest {
  TgdbItem Kind;
  const TgdbPolygon& Polygon;
  bool ClosedLine;
  const TMetaInfo& MInfo;
  const void* PBLOBData;
  int SizeOfBLOBData;
  bool BlobFromFile;
  const std::string& SourceFile;
};

} // namespace

TgdbData TGeoDB::BuildRecord(const TgdbName& Name, TgdbItem ItemKind, uint8_t ClassNumber,
                             fw::TDateTime Date, int32_t StateFlag, float LatLow, float LatHigh,
                             float LongLow, float LongHigh, float Altitude, int32_t UserTag) const {
  TgdbData rec;
  rec.Name = Name;
  rec.ClassFlag = ClassNumber;
  rec.Tag = UserTag;
  rec.Date = Date;
  rec.StateFlag = StateFlag;
  rec.Altitude = Altitude;
  rec.ItemKind = ItemKind;
  rec.LatLow = LatLow;
  rec.LatHigh = LatHigh;
  rec.LongLow = LongLow;
  rec.LongHigh = LongHigh;
  rec.BlobOffset = -1;
  return rec;
}

namespace {

// The block of the new record; fills the record's kind-specific fields.
TDataBlock PrepareBlock(const TBlockRequest& q, TgdbData& rec,
                        const std::function<void(const std::string&)>& raise,
                        const std::string& op) {
  if (IsPolygonKind(q.Kind)) return PointBlock(q.Polygon, q.ClosedLine, rec);
  if (q.Kind != gitBLOB) return TDataBlock{};
  if (q.BlobFromFile) {
    const std::string source = q.SourceFile.empty() ? q.MInfo.FilePath.ToString() : q.SourceFile;
    return FileBlobBlock(q.MInfo, source, rec);
  }
  if (q.SizeOfBLOBData < 0 || (q.SizeOfBLOBData > 0 && q.PBLOBData == nullptr))
    raise(op + ": invalid BLOB data.");
  rec.Size = q.SizeOfBLOBData;
  return BlobBlock(q.MInfo, q.PBLOBData, q.SizeOfBLOBData);
}

} // namespace

void TGeoDB::CheckDataLimit(int64_t DataSize, const TDataBlock& Block,
                            const char* Operation) const {
  if (Block.Present && DataSize + Block.Length() > INT32_MAX)
    RaiseDB(std::string(Operation) + ": the data file would grow beyond 2147483647 bytes.");
}

void TGeoDB::WriteBlock(TGdbAppender& Sink, TDataBlock& Block, const char* Operation) {
  const TProgressReporter progress(this, OnPercentDone, FOnPercDoneEnabled);
  Sink.Append(Block.Head.data(), static_cast<int64_t>(Block.Head.size()));
  if (Block.PointCount > 0 && progress.Active())
    for (int32_t f = 0; f < Block.PointCount; ++f)
      progress.ReportShare(f, Block.PointCount);
  if (Block.Content) {
    Sink.Append(Block.Content, Block.ContentSize);
    for (int64_t b = 1; b * kChunk <= Block.ContentSize; ++b)
      progress.ReportShare(b * kChunk, Block.ContentSize);
  }
  if (!Block.Source) return;
  std::vector<uint8_t> buf(kChunk);
  for (int64_t copied = 0; copied < Block.ContentSize;) {
    const int64_t n = Block.Source->Read(buf.data(), std::min(kChunk, Block.ContentSize - copied));
    if (n <= 0)
      throw fw::EInOutError(EIO, Block.Source->FileName(),
                            std::string(Operation) + ": \"" + Block.Source->FileName() +
                                "\" became shorter while it was read");
    Sink.Append(buf.data(), n);
    copied += n;
    progress.ReportShare(copied, Block.ContentSize);
  }
}

TJournalChange TGeoDB::SummaryRecordChange(int DBEntry, const TgdbData& Record) const {
  std::vector<uint8_t> bytes(gdb_layout::entry::Size);
  gdb_layout::EncodeEntry(Record, bytes.data());
  TJournalChange change;
  change.Add(jtSummary, static_cast<int64_t>(DBEntry - 1) * gdb_layout::entry::Size,
             std::move(bytes));
  return change;
}

TGdbAppender& TGeoDB::Appender(std::unique_ptr<TGdbAppender>& Direct) {
  const int64_t summaryEnd = static_cast<int64_t>(FNumSumItems) * gdb_layout::entry::Size;
  try {
    if (!FLazyWrite) {
      Direct = std::make_unique<TDirectAppender>(Journal(), FNameGDD, summaryEnd);
      return *Direct;
    }
    if (!FWriteBehind)
      FWriteBehind = std::make_unique<TGdbWriteBehind>(Journal(), FNameGDD, summaryEnd);
    return *FWriteBehind;
  } catch (const fw::EInOutError&) {
    RaiseDB("AddData: cannot open database.");
  }
}

int TGeoDB::AddData(const TgdbName& Name, const TgdbPolygon& Polygon, bool ClosedLine,
                    TgdbItem ItemKind, uint8_t ClassNumber, fw::TDateTime Date, int32_t StateFlag,
                    float LatLow, float LatHigh, float LongLow, float LongHigh, float Altitude,
                    int32_t UserTag, const TMetaInfo& MInfo, const void* PBLOBData,
                    int SizeOfBLOBData, bool BlobFromFile, const std::string& SourceFile) {
  if (!IsOpen()) return -1;
  CheckWritable("AddData");
  const TProgressReporter progress(this, OnPercentDone, FOnPercDoneEnabled);
  progress.Report(0);
  TgdbData rec = BuildRecord(Name, ItemKind, ClassNumber, Date, StateFlag, LatLow, LatHigh, LongLow,
                             LongHigh, Altitude, UserTag);
  const auto raise = [this](const std::string& text) { RaiseDB(text); };
  TDataBlock block = PrepareBlock(
      {ItemKind, Polygon, ClosedLine, MInfo, PBLOBData, SizeOfBLOBData, BlobFromFile, SourceFile},
      rec, raise, "AddData");

  std::unique_ptr<TGdbAppender> direct;
  TGdbAppender& out = Appender(direct);
  const int64_t dataSize = out.DataSize();
  CheckDataLimit(dataSize, block, "AddData");
  FSystemData.HighestID += 1;
  rec.ItemId = FSystemData.HighestID;
  if (block.Present) {
    rec.BlobOffset = static_cast<int32_t>(dataSize);
    WriteBlock(out, block, "AddData");
  }
  out.AddRecord(FSystemData, rec);
  direct.reset();

  const int entry = FNumSumItems + 1;
  FSumData.resize(static_cast<size_t>(FNumSumItems));
  FSumData.push_back(rec);
  FNumSumItems = entry;
  FBoxTable.reset();
  if (FLazyWrite) {
    FPendingIndex.push_back(entry);
  } else {
    MaterializeIndexes();
    for (auto* ix : {&FIx1LatLo, &FIx2LatHi, &FIx3LongLo, &FIx4LongHi})
      ix->resize(ix->size() + 1);
    FIx0ItemId.resize(FIx0ItemId.size() + 1);
    InsertIntoIndex(entry, rec);
    SaveAllIndexes();
  }
  progress.Report(100);
  return entry;
}

void TGeoDB::ReplaceData(int DBEntry, const TgdbName& Name, const TgdbPolygon& Polygon,
                         bool ClosedLine, TgdbItem ItemKind, uint8_t ClassNumber,
                         fw::TDateTime Date, int32_t StateFlag, float LatLow, float LatHigh,
                         float LongLow, float LongHigh, float Altitude, int32_t UserTag,
                         const TMetaInfo& MInfo, const void* PBLOBData, int SizeOfBLOBData,
                         bool BlobFromFile, const std::string& SourceFile) {
  if (!IsOpen() || DBEntry < 1 || DBEntry > FNumSumItems) return;
  CheckWritable("ReplaceData");
  FinishPendingWrites();
  MaterializeIndexes();
  const TProgressReporter progress(this, OnPercentDone, FOnPercDoneEnabled);
  progress.Report(0);
  TgdbData rec = BuildRecord(Name, ItemKind, ClassNumber, Date, StateFlag, LatLow, LatHigh, LongLow,
                             LongHigh, Altitude, UserTag);
  rec.ItemId = FSumData[static_cast<size_t>(DBEntry - 1)].ItemId;
  const auto raise = [this](const std::string& text) { RaiseDB(text); };
  TDataBlock block = PrepareBlock(
      {ItemKind, Polygon, ClosedLine, MInfo, PBLOBData, SizeOfBLOBData, BlobFromFile, SourceFile},
      rec, raise, "ReplaceData");
  if (block.Present) {
    TDirectAppender data(Journal(), FNameGDD, 0);
    CheckDataLimit(data.DataSize(), block, "ReplaceData");
    rec.BlobOffset = static_cast<int32_t>(data.DataSize());
    WriteBlock(data, block, "ReplaceData");
  }
  Journal().Commit(SummaryRecordChange(DBEntry, rec), block.Present);
  FSumData[static_cast<size_t>(DBEntry - 1)] = rec;
  FBoxTable.reset();
  RemoveIndexEntries(DBEntry);
  InsertIntoIndex(DBEntry, rec);
  SettleChange(true);
  progress.Report(100);
}

void TGeoDB::DeleteData(int DbEntry) {
  if (FNameGDS.empty() || DbEntry < 1 || DbEntry > FNumSumItems) return;
  CheckWritable("DeleteData");
  FinishPendingWrites();
  MaterializeIndexes();
  const int count = FNumSumItems;
  // The last record moves into the deleted one's place and the summary
  // file loses its last record: one change, so that no interruption leaves
  // the moved entry twice.
  TJournalChange change;
  std::vector<uint8_t> last(gdb_layout::entry::Size);
  gdb_layout::EncodeEntry(FSumData[static_cast<size_t>(count - 1)], last.data());
  change.Add(jtSummary, static_cast<int64_t>(DbEntry - 1) * gdb_layout::entry::Size,
             std::move(last));
  change.SummarySize = static_cast<int64_t>(count - 1) * gdb_layout::entry::Size;
  Journal().Commit(change);

  FSumData[static_cast<size_t>(DbEntry - 1)] = FSumData[static_cast<size_t>(count - 1)];
  RemoveIndexEntries(DbEntry);
  auto repoint = [count, DbEntry](auto& index) {
    for (int i = 0; i < count; ++i) {
      if (index[static_cast<size_t>(i)].index == count - 1) {
        index[static_cast<size_t>(i)].index = DbEntry - 1;
        break;
      }
    }
    index.resize(static_cast<size_t>(count - 1));
  };
  repoint(FIx0ItemId);
  repoint(FIx1LatLo);
  repoint(FIx2LatHi);
  repoint(FIx3LongLo);
  repoint(FIx4LongHi);
  FNumSumItems = count - 1;
  FBoxTable.reset();
  FSumData.resize(static_cast<size_t>(FNumSumItems));
  SettleChange(true);
}

} // namespace kartavo
