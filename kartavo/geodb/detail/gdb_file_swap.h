// Replacing several files of a database as one step. The new files are
// written under temporary names and flushed; then a marker file records that
// they are complete, the renames follow, and the marker goes. Opening a
// database finishes the renames when it finds the marker and drops
// temporary files without one, so a crash at any moment leaves either the
// old or the new file set, never a mixture.
#pragma once

#include <string>
#include <vector>

namespace kartavo {

// The temporary name a new version of Path is written under.
std::string SwapTempName(const std::string& Path);
// The marker that says the temporary files of Base are complete.
std::string SwapMarkerName(const std::string& Base);

// Renames every SwapTempName(path) over its path, Paths listing the files of Base.
void CommitFileSwap(const std::string& Base, const std::vector<std::string>& Paths);
// Completes or discards an interrupted CommitFileSwap of Base.
void RecoverFileSwap(const std::string& Base, const std::vector<std::string>& Paths);

// Flushes the directory holding Path, so that renames in it are durable.
void SyncDirectoryOf(const std::string& Path);

} // namespace kartavo
