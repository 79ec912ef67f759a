// The child's side of the crash test: random changes to a database, each
// announced to the parent before it starts and confirmed once it is
// complete (with deferred index writing: once it is written out). Every
// entry carries in its tag a checksum of its own content, so that a reader
// can tell a whole entry from a mixed one.
#pragma once

#include "kartavo/geodb/geodb.h"

#include <cstdint>
#include <random>
#include <string>

namespace crash_test {

enum TOpKind : int32_t { opAdd = 1, opReplace = 2, opDelete = 3, opDone = 4 };

// One message from the child: an announced change, or opDone for "all
// announced changes are complete".
struct TOpMessage {
  int32_t Kind = 0;
  int32_t ItemId = 0;
  int32_t Tag = 0; // the content checksum the entry has afterwards
};

// The checksum a whole entry's tag holds.
int32_t ContentTag(const void* Bytes, size_t Count);
// The checksum of an entry's content as stored; false when it cannot be read.
bool StoredTag(kartavo::TGeoDB& DB, int Entry, int32_t& Tag);

// Runs Changes random changes on the database Base, writing a TOpMessage
// to the file descriptor Report for each; Lazy: deferred index writing
// with a write-out every few changes. Script, when given, fixes the kind of
// each change instead: 'a' add, 'r' replace, 'd' delete, 'g' garbage
// collection, 'i' index rebuild, 'w' write-out of deferred changes.
void RunWorkload(const std::string& Base, uint32_t Seed, int Changes, bool Lazy, int Report,
                 const std::string& Script = {});

} // namespace crash_test
