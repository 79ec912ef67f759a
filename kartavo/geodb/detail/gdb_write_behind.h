// Where the bytes of an addition go. Every addition appends its data block
// and then its summary record together with the header that counts its
// identifier; the record never reaches the disk before its block.
// - TDirectAppender writes straight to the files, the record and header
//   through the journal.
// - TGdbWriteBehind, used while index writing is deferred, collects blocks,
//   records and the header in memory and writes them in large pieces: the
//   data first, then records and header as one journalled change.
#pragma once

#include "kartavo/framework/stream.h"
#include "kartavo/geodb/detail/gdb_journal.h"
#include "kartavo/geodb/gdb_types.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kartavo {

class TGdbAppender {
public:
  virtual ~TGdbAppender() = default;
  // Size of the data file including what is still buffered: where the next block starts.
  virtual int64_t DataSize() const = 0;
  // Appends bytes of the addition's data block.
  virtual void Append(const void* Bytes, int64_t Count) = 0;
  // Ends an addition: the new header and the entry's summary record.
  virtual void AddRecord(const TgdbSystemData& Header, const TgdbData& Record) = 0;
};

class TDirectAppender : public TGdbAppender {
public:
  // Opens the data file for writing (raises EInOutError); the record of
  // the addition goes to SummaryOffset.
  TDirectAppender(TGdbJournal Journal, const std::string& DataFile, int64_t SummaryOffset);

  int64_t DataSize() const override { return FDataSize; }
  void Append(const void* Bytes, int64_t Count) override;
  void AddRecord(const TgdbSystemData& Header, const TgdbData& Record) override;

private:
  TGdbJournal FJournal;
  fw::TFileStream FDataFile;
  int64_t FDataSize;
  int64_t FSummaryOffset;
};

class TGdbWriteBehind : public TGdbAppender {
public:
  // Opens the data file for writing (raises EInOutError); new summary
  // records start at SummaryOffset.
  TGdbWriteBehind(TGdbJournal Journal, const std::string& DataFile, int64_t SummaryOffset);

  int64_t DataSize() const override { return FDataStart + static_cast<int64_t>(FData.size()); }
  void Append(const void* Bytes, int64_t Count) override;
  // Writes what is buffered once enough has gathered.
  void AddRecord(const TgdbSystemData& Header, const TgdbData& Record) override;
  // Writes everything buffered.
  void Flush();

private:
  void FlushData();

  TGdbJournal FJournal;
  std::unique_ptr<fw::TFileStream> FDataFile;
  int64_t FDataStart = 0;
  int64_t FSummaryStart = 0;
  std::vector<uint8_t> FData;
  std::vector<uint8_t> FSummary;
  std::vector<uint8_t> FHeader; // empty while unchanged
};

} // namespace kartavo
