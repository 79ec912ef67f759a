#include "kartavo/geodb/detail/gdb_journal.h"

#include "kartavo/framework/errors.h"
#include "kartavo/framework/stream.h"
#include "kartavo/geodb/detail/gdb_files.h"
#include "kartavo/geodb/detail/le_bytes.h"

#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace kartavo {
namespace {

constexpr uint8_t kMagic[4] = {'K', 'G', 'J', '1'};
constexpr size_t kHead = 4 + 8 + 4;      // magic, summary size, number of writes
constexpr size_t kWriteHead = 1 + 8 + 4; // target, offset, length
constexpr size_t kCheck = 4;             // CRC-32 of everything before it
constexpr uint32_t kMaxWrite = 1u << 30; // no single write of a change comes near

uint32_t Crc(std::span<const uint8_t> b) {
  uLong crc = crc32(0L, Z_NULL, 0);
  for (size_t at = 0; at < b.size();) {
    const uInt n = static_cast<uInt>(std::min<size_t>(b.size() - at, 1u << 30));
    crc = crc32(crc, b.data() + at, n);
    at += n;
  }
  return static_cast<uint32_t>(crc);
}

} // namespace

std::string JournalName(const std::string& Base) { return Base + ".orvgjournal"; }

std::vector<uint8_t> EncodeJournal(const TJournalChange& Change) {
  size_t size = kHead + kCheck;
  for (const TJournalWrite& w : Change.Writes)
    size += kWriteHead + w.Bytes.size();
  std::vector<uint8_t> out(size);
  uint8_t* p = out.data();
  std::copy(std::begin(kMagic), std::end(kMagic), p);
  le::PutU64(p + 4, static_cast<uint64_t>(Change.SummarySize));
  le::PutU32(p + 12, static_cast<uint32_t>(Change.Writes.size()));
  p += kHead;
  for (const TJournalWrite& w : Change.Writes) {
    p[0] = w.Target;
    le::PutU64(p + 1, static_cast<uint64_t>(w.Offset));
    le::PutU32(p + 9, static_cast<uint32_t>(w.Bytes.size()));
    std::copy(w.Bytes.begin(), w.Bytes.end(), p + kWriteHead);
    p += kWriteHead + w.Bytes.size();
  }
  le::PutU32(p, Crc({out.data(), size - kCheck}));
  return out;
}

std::optional<TJournalChange> DecodeJournal(std::span<const uint8_t> b) {
  if (b.size() < kHead + kCheck || !std::equal(std::begin(kMagic), std::end(kMagic), b.begin()))
    return std::nullopt;
  if (le::GetU32(b.data() + b.size() - kCheck) != Crc(b.first(b.size() - kCheck)))
    return std::nullopt;
  TJournalChange c;
  c.SummarySize = static_cast<int64_t>(le::GetU64(b.data() + 4));
  const uint32_t count = le::GetU32(b.data() + 12);
  size_t at = kHead;
  for (uint32_t i = 0; i < count; ++i) {
    if (b.size() - kCheck - at < kWriteHead) return std::nullopt;
    const uint8_t target = b[at];
    const int64_t offset = static_cast<int64_t>(le::GetU64(b.data() + at + 1));
    const uint32_t length = le::GetU32(b.data() + at + 9);
    at += kWriteHead;
    if (target > jtData || offset < 0 || length > kMaxWrite || b.size() - kCheck - at < length)
      return std::nullopt;
    c.Add(static_cast<TJournalTarget>(target), offset,
          std::vector<uint8_t>(b.begin() + static_cast<ptrdiff_t>(at),
                               b.begin() + static_cast<ptrdiff_t>(at + length)));
    at += length;
  }
  if (at != b.size() - kCheck || c.SummarySize < -1) return std::nullopt;
  return c;
}

TJournalRead ReadJournal(const std::string& Path) {
  if (!GdbFileExists(Path)) return {};
  const std::vector<uint8_t> bytes = GdbReadFile(Path);
  std::optional<TJournalChange> change = DecodeJournal(bytes);
  // An incomplete journal is a change that was never begun on the files.
  if (!change) return {TJournalState::Pending, {}};
  return {TJournalState::Replay, std::move(*change)};
}

void ApplyToBytes(const TJournalChange& Change, TJournalTarget Target,
                  std::vector<uint8_t>& Bytes) {
  for (const TJournalWrite& w : Change.Writes) {
    if (w.Target != Target) continue;
    const size_t end = static_cast<size_t>(w.Offset) + w.Bytes.size();
    if (Bytes.size() < end) Bytes.resize(end);
    std::copy(w.Bytes.begin(), w.Bytes.end(), Bytes.begin() + static_cast<ptrdiff_t>(w.Offset));
  }
  if (Target == jtSummary && Change.SummarySize >= 0)
    Bytes.resize(static_cast<size_t>(Change.SummarySize));
}

TGdbJournal::TGdbJournal(std::string Base, std::string Summary, std::string Data)
    : FPath(JournalName(Base)), FSummary(std::move(Summary)), FData(std::move(Data)) {}

// The journal's name reaches the disk with the flush of its content on the
// journalling file systems this runs on (the flush commits the creation
// too); no extra flush of the folder is spent on every change.
void TGdbJournal::Commit(const TJournalChange& Change, bool DataAppended) const {
  // Data blocks the change refers to must be on disk before the change is.
  if (DataAppended) fw::TFileStream(FData, fw::fmOpenReadWrite).Flush();
  {
    const std::vector<uint8_t> bytes = EncodeJournal(Change);
    fw::TFileStream j(FPath, fw::fmCreate);
    j.Write(bytes.data(), static_cast<int64_t>(bytes.size()));
    j.Flush();
  }
  Apply(Change);
}

void TGdbJournal::Replay(const TJournalChange& Change) const { Apply(Change); }

void TGdbJournal::Apply(const TJournalChange& Change) const {
  for (TJournalTarget target : {jtSummary, jtData}) {
    const bool touched =
        std::any_of(Change.Writes.begin(), Change.Writes.end(),
                    [target](const TJournalWrite& w) { return w.Target == target; }) ||
        (target == jtSummary && Change.SummarySize >= 0);
    if (!touched) continue;
    fw::TFileStream f(target == jtSummary ? FSummary : FData, fw::fmOpenReadWrite);
    for (const TJournalWrite& w : Change.Writes) {
      if (w.Target != target) continue;
      f.Seek(w.Offset, fw::soBeginning);
      f.Write(w.Bytes.data(), static_cast<int64_t>(w.Bytes.size()));
    }
    if (target == jtSummary && Change.SummarySize >= 0 && f.Size() != Change.SummarySize)
      f.SetSize(Change.SummarySize);
    f.Flush();
  }
}

void TGdbJournal::MarkIndexesPending() const {
  if (!GdbFileExists(FPath)) Clear();
}

void TGdbJournal::Clear() const {
  // An empty journal: nothing to replay, the index files may lag.
  fw::TFileStream(FPath, fw::fmCreate).Flush();
}

void TGdbJournal::Settle() const {
  if (std::remove(FPath.c_str()) != 0 && errno != ENOENT)
    throw fw::EInOutError::FromErrno(errno, FPath, "Cannot delete file");
}

} // namespace kartavo
