#include "kartavo/geodb/detail/gdb_write_behind.h"

#include "kartavo/geodb/detail/gdb_layout.h"

namespace kartavo {
namespace {

constexpr size_t kFlushThreshold = 8u << 20;

std::vector<uint8_t> HeaderBytes(const TgdbSystemData& Header) {
  std::vector<uint8_t> bytes(gdb_layout::header::Size);
  gdb_layout::EncodeHeader(Header, bytes.data());
  return bytes;
}

} // namespace

TDirectAppender::TDirectAppender(TGdbJournal Journal, const std::string& DataFile,
                                 int64_t SummaryOffset)
    : FJournal(std::move(Journal)), FDataFile(DataFile, fw::fmOpenReadWrite),
      FDataSize(FDataFile.Size()), FSummaryOffset(SummaryOffset) {}

void TDirectAppender::Append(const void* Bytes, int64_t Count) {
  FDataFile.Seek(FDataSize, fw::soBeginning);
  FDataFile.Write(Bytes, Count);
  FDataSize += Count;
}

void TDirectAppender::AddRecord(const TgdbSystemData& Header, const TgdbData& Record) {
  std::vector<uint8_t> record(gdb_layout::entry::Size);
  gdb_layout::EncodeEntry(Record, record.data());
  TJournalChange change;
  change.Add(jtData, 0, HeaderBytes(Header));
  change.Add(jtSummary, FSummaryOffset, std::move(record));
  // A partial record left by an earlier failure must not stay behind the new last entry.
  change.SummarySize = FSummaryOffset + static_cast<int64_t>(gdb_layout::entry::Size);
  FJournal.Commit(change, true);
}

TGdbWriteBehind::TGdbWriteBehind(TGdbJournal Journal, const std::string& DataFile,
                                 int64_t SummaryOffset)
    : FJournal(std::move(Journal)),
      FDataFile(std::make_unique<fw::TFileStream>(DataFile, fw::fmOpenReadWrite)),
      FDataStart(FDataFile->Size()), FSummaryStart(SummaryOffset) {}

void TGdbWriteBehind::Append(const void* Bytes, int64_t Count) {
  const auto* p = static_cast<const uint8_t*>(Bytes);
  FData.insert(FData.end(), p, p + Count);
  // Large BLOBs must not pile up in memory; data may go ahead of its records.
  if (FData.size() >= kFlushThreshold) FlushData();
}

void TGdbWriteBehind::AddRecord(const TgdbSystemData& Header, const TgdbData& Record) {
  const size_t at = FSummary.size();
  FSummary.resize(at + gdb_layout::entry::Size);
  gdb_layout::EncodeEntry(Record, FSummary.data() + at);
  FHeader = HeaderBytes(Header);
  if (FData.size() + FSummary.size() >= kFlushThreshold) Flush();
}

void TGdbWriteBehind::FlushData() {
  if (FData.empty()) return;
  FDataFile->Seek(FDataStart, fw::soBeginning);
  FDataFile->Write(FData.data(), static_cast<int64_t>(FData.size()));
  FDataStart += static_cast<int64_t>(FData.size());
  FData.clear();
}

void TGdbWriteBehind::Flush() {
  FlushData();
  if (FSummary.empty() && FHeader.empty()) return;
  TJournalChange change;
  if (!FSummary.empty()) {
    change.SummarySize = FSummaryStart + static_cast<int64_t>(FSummary.size());
    change.Add(jtSummary, FSummaryStart, std::move(FSummary));
  }
  if (!FHeader.empty()) change.Add(jtData, 0, std::move(FHeader));
  FSummary.clear();
  FHeader.clear();
  // The journal stays behind: the index files lag until they are saved.
  FJournal.Commit(change, true);
  if (change.SummarySize >= 0) FSummaryStart = change.SummarySize;
}

} // namespace kartavo
