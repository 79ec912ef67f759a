// Checking a database without changing any of its files, and recovering
// what can be read of a damaged one into a new database.
#pragma once

#include "kartavo/framework/export.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kartavo {

struct TGdbCheckReport {
  int Entries = 0;       // whole records in the summary file
  int64_t DataBytes = 0; // size of the data file
  int64_t UnreferencedBytes =
      0; // data file bytes no entry refers to (a garbage collection frees them)
  std::vector<std::string> Damage; // what makes the database damaged; empty when it is sound
  std::vector<std::string> Notes;  // what the next opening for writing mends by itself
};

// Reads the file set of DBName; raises EInOutError when the database does
// not exist or a file cannot be read.
KARTAVO_API TGdbCheckReport CheckDatabase(const std::string& DBName);

struct TGdbRecoverReport {
  int Recovered = 0;                // entries in the new database
  std::vector<std::string> Dropped; // entries left out, and why
};

// Writes every entry of Source whose record and data block are whole into
// the new database Target, with identifiers, names and blocks as they were,
// and fresh indexes. The data file is copied whole, so that blocks no
// surviving record refers to are kept too. Source is only read; Target
// must not exist yet. Raises EInOutError.
KARTAVO_API TGdbRecoverReport RecoverDatabase(const std::string& Source, const std::string& Target);

} // namespace kartavo
