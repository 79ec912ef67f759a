// Kill points inside the process: the file-changing calls of the C library
// (open with create or truncate, write, ftruncate, fsync, rename, remove)
// are counted, and the call with a chosen number ends the process with
// SIGKILL before it happens, or, for a torn write, after writing only the
// first part of its bytes, as a power loss in the middle of a write would.
#pragma once

#include <cstdint>

namespace crash_test {

struct TKillPoint {
  int64_t At = 0;    // number of the call that dies; 0: never
  bool Torn = false; // only writes count, and the one that dies writes half its bytes first
};

// Arms the counter in this process (a forked child) and resets it.
void ArmKillPoint(const TKillPoint& Point);
// File-changing calls made since ArmKillPoint.
int64_t FileChangingCalls();

} // namespace crash_test
