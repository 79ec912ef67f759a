#include "kartavo/geodb/detail/gdb_file_swap.h"

#include "kartavo/framework/errors.h"
#include "kartavo/framework/stream.h"
#include "kartavo/geodb/detail/gdb_files.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace kartavo {
namespace {

void RenameFile(const std::string& from, const std::string& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0)
    throw fw::EInOutError::FromErrno(errno, to, "Cannot rename file");
}

void RemoveIfExists(const std::string& path) {
  if (std::remove(path.c_str()) != 0 && errno != ENOENT)
    throw fw::EInOutError::FromErrno(errno, path, "Cannot delete file");
}

} // namespace

std::string SwapTempName(const std::string& Path) { return Path + "~new"; }
std::string SwapMarkerName(const std::string& Base) { return Base + ".orvgswap"; }

void SyncDirectoryOf(const std::string& Path) {
  const std::filesystem::path parent = std::filesystem::path(Path).parent_path();
  const std::string dir = parent.empty() ? std::string(".") : parent.string();
  fw::TFileStream d(dir, fw::fmOpenRead);
  d.Flush();
}

void CommitFileSwap(const std::string& Base, const std::vector<std::string>& Paths) {
  const std::string marker = SwapMarkerName(Base);
  {
    fw::TFileStream m(marker, fw::fmCreate);
    m.Flush();
  }
  SyncDirectoryOf(marker);
  for (const std::string& p : Paths)
    RenameFile(SwapTempName(p), p);
  SyncDirectoryOf(marker);
  RemoveIfExists(marker);
  SyncDirectoryOf(marker);
}

void RecoverFileSwap(const std::string& Base, const std::vector<std::string>& Paths) {
  const std::string marker = SwapMarkerName(Base);
  const bool complete = GdbFileExists(marker);
  for (const std::string& p : Paths) {
    const std::string temp = SwapTempName(p);
    if (!GdbFileExists(temp)) continue;
    if (complete)
      RenameFile(temp, p);
    else
      RemoveIfExists(temp);
  }
  if (complete) {
    SyncDirectoryOf(marker);
    RemoveIfExists(marker);
  }
}

} // namespace kartavo
