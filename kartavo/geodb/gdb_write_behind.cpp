#include "kartavo/geodb/detail/gdb_write_behind.h"

#include "kartavo/geodb/detail/gdb_layout.h"

namespace kartavo {
namespace {
constexpr size_t kFlushThreshold = 8u << 20;
} // namespace

TGdbWriteBehind::TGdbWriteBehind(const std::string& DataFile, const std::string& SummaryFile,
                                 int64_t SummaryOffset)
    : FDataFile(std::make_unique<fw::TFileStream>(DataFile, fw::fmOpenReadWrite)),
      FSummaryFile(SummaryFile), FDataStart(FDataFile->Size()), FSummaryStart(SummaryOffset) {}

void TGdbWriteBehind::Append(const void* Bytes, int64_t Count) {
  const auto* p = static_cast<const uint8_t*>(Bytes);
  FData.insert(FData.end(), p, p + Count);
  // Large BLOBs must not pile up in memory; data may go ahead of its records.
  if (FData.size() >= kFlushThreshold) FlushData();
}

void TGdbWriteBehind::AppendSummary(const TgdbData& Record) {
  const size_t at = FSummary.size();
  FSummary.resize(at + gdb_layout::entry::Size);
  gdb_layout::EncodeEntry(Record, FSummary.data() + at);
}

void TGdbWriteBehind::SetHeader(const TgdbSystemData& Header) {
  FHeader.resize(gdb_layout::header::Size);
  gdb_layout::EncodeHeader(Header, FHeader.data());
}

void TGdbWriteBehind::FlushIfLarge() {
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
  if (!FSummary.empty()) {
    fw::TFileStream summary(FSummaryFile, fw::fmOpenReadWrite);
    summary.Seek(FSummaryStart, fw::soBeginning);
    summary.Write(FSummary.data(), static_cast<int64_t>(FSummary.size()));
    FSummaryStart += static_cast<int64_t>(FSummary.size());
    // A partial record left behind by an earlier crash must not stay at the end.
    if (summary.Size() > FSummaryStart) summary.SetSize(FSummaryStart);
    FSummary.clear();
  }
  if (!FHeader.empty()) {
    FDataFile->Seek(0, fw::soBeginning);
    FDataFile->Write(FHeader.data(), static_cast<int64_t>(FHeader.size()));
    FHeader.clear();
  }
}

} // namespace kartavo
