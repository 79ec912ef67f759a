// The change journal of a database. A change that overwrites bytes in place
// (a summary record, the data file's header, a BLOB's meta information) or
// shortens the summary file is first written whole, with a checksum, to a
// journal file next to the database and flushed to disk; only then are the
// files themselves changed. Opening a database replays a complete journal,
// so a change cut short at any moment (a killed process, a write torn by a
// power loss) is either finished or, when its journal is incomplete, was
// never begun. The journal also marks the time during which the index files
// may lag behind the summary: it is removed only once they match again.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kartavo {

enum TJournalTarget : uint8_t { jtSummary = 0, jtData = 1 };

struct TJournalWrite {
  TJournalTarget Target = jtSummary;
  int64_t Offset = 0;
  std::vector<uint8_t> Bytes;
};

// What one change does to the files in place.
struct TJournalChange {
  std::vector<TJournalWrite> Writes;
  int64_t SummarySize = -1; // the summary file's new length; -1 leaves it as it is

  void Add(TJournalTarget Target, int64_t Offset, std::vector<uint8_t> Bytes) {
    Writes.push_back({Target, Offset, std::move(Bytes)});
  }
};

// What opening finds in the journal file.
enum class TJournalState {
  None,    // no journal: the last change is complete and the indexes match
  Pending, // no change to replay, but the index files may lag behind
  Replay,  // a complete change that may not have reached the files
};

struct TJournalRead {
  TJournalState State = TJournalState::None;
  TJournalChange Change; // for Replay
};

std::string JournalName(const std::string& Base);

std::vector<uint8_t> EncodeJournal(const TJournalChange& Change);
// The change, or nothing when the bytes are not one whole journal.
std::optional<TJournalChange> DecodeJournal(std::span<const uint8_t> Bytes);
TJournalRead ReadJournal(const std::string& Path);

// Applies a change to bytes held in memory (a summary file, a data file's head).
void ApplyToBytes(const TJournalChange& Change, TJournalTarget Target, std::vector<uint8_t>& Bytes);

// The journal of one open database.
class TGdbJournal {
public:
  TGdbJournal() = default;
  TGdbJournal(std::string Base, std::string Summary, std::string Data);

  // Writes the change to the journal, flushes it, and then applies it to
  // the files, flushed again. DataAppended: blocks the change refers to
  // were appended to the data file and are flushed first.
  void Commit(const TJournalChange& Change, bool DataAppended = false) const;
  // Applies a change read back from the journal (the same writes again).
  void Replay(const TJournalChange& Change) const;
  // Index files are about to be written or left behind: makes sure a
  // journal is in place (a journal of the last change may stay: replaying
  // it again writes the same bytes).
  void MarkIndexesPending() const;
  // Empties the journal before the files are replaced by other means, so
  // that no earlier change is replayed into the new files.
  void Clear() const;
  // The change is complete and the index files match the summary.
  void Settle() const;

private:
  void Apply(const TJournalChange& Change) const;

  std::string FPath;
  std::string FSummary;
  std::string FData;
};

} // namespace kartavo
