// Write-behind of additions while index writing is deferred: data blocks,
// summary records and the header are collected in memory and written in
// large pieces, always the data first, then the summary records, then the
// header, so that the files on disk stay consistent at every moment (a
// summary record is never on disk before its data block).
#pragma once

#include "kartavo/framework/stream.h"
#include "kartavo/geodb/gdb_types.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kartavo {

// Where a data block goes: the data file directly, or the write-behind buffer.
class TBlockSink {
public:
  virtual ~TBlockSink() = default;
  virtual void Append(const void* Bytes, int64_t Count) = 0;
};

// Appends straight to an open file positioned at its end.
class TFileSink : public TBlockSink {
public:
  explicit TFileSink(fw::TFileStream& File) : FFile(File) {}
  void Append(const void* Bytes, int64_t Count) override { FFile.Write(Bytes, Count); }

private:
  fw::TFileStream& FFile;
};

class TGdbWriteBehind : public TBlockSink {
public:
  // Opens the data file for writing (raises EInOutError); new summary
  // records start at SummaryOffset.
  TGdbWriteBehind(const std::string& DataFile, const std::string& SummaryFile,
                  int64_t SummaryOffset);

  // Size of the data file including what is still buffered.
  int64_t DataSize() const { return FDataStart + static_cast<int64_t>(FData.size()); }
  void Append(const void* Bytes, int64_t Count) override;
  void AppendSummary(const TgdbData& Record);
  void SetHeader(const TgdbSystemData& Header);
  // Writes what is buffered once enough has gathered.
  void FlushIfLarge();
  // Writes everything buffered.
  void Flush();

private:
  void FlushData();

  std::unique_ptr<fw::TFileStream> FDataFile;
  std::string FSummaryFile;
  int64_t FDataStart = 0;
  int64_t FSummaryStart = 0;
  std::vector<uint8_t> FData;
  std::vector<uint8_t> FSummary;
  std::vector<uint8_t> FHeader; // empty while unchanged
};

} // namespace kartavo
