// Reading a database's file set without changing any file: what opening
// takes into memory, what it has to mend on disk before a database can be
// written to (an interrupted file swap or change, an interrupted delete,
// index files that lag behind), and what is damaged beyond mending (records
// lost from the summary file, blocks lost from the data file). Opening for
// writing mends what the scan found, unless something is damaged; opening
// read-only and checking a database only look.
#pragma once

#include "kartavo/geodb/detail/gdb_files.h"
#include "kartavo/geodb/detail/gdb_journal.h"
#include "kartavo/geodb/gdb_types.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kartavo {

struct TGdbScan {
  std::string Base;
  TGdbFileNames Names;
  std::string DataPath;     // the data file read: a swapped-in one while its swap is unfinished
  bool SwapPending = false; // a complete file swap waits for its renames
  bool SummaryExists = false;
  bool DataExists = false;
  bool HeaderMissing = false; // the data file is missing or empty: a header is to be written
  TJournalRead Journal;
  std::optional<TJournalChange> Mend; // finishes an interrupted delete
  std::vector<TgdbData> Entries;
  TgdbSystemData Header;
  int64_t DataSize = 0;
  TIxItemIDRecArray Ix0;
  std::array<TIxLLRecArray, 4> IxLL; // indexes 1..4
  std::array<bool, 5> IndexStale{};  // index file ix does not match the summary
  std::vector<std::string> Damage;   // what makes the database damaged
  std::vector<std::string> Notes;    // what opening for writing mends by itself

  bool Exists() const { return SummaryExists || DataExists; }
};

// Raises EInOutError when a file cannot be read (or the data file's header
// is incomplete); everything else is a finding.
TGdbScan ScanFileSet(const std::string& Base);

} // namespace kartavo
