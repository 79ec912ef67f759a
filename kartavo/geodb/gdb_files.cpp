#include "kartavo/geodb/detail/gdb_files.h"

#include "kartavo/companion/quillon.h"
#include "kartavo/framework/errors.h"

#include <cerrno>
#include <sys/stat.h>

namespace kartavo {

TGdbFileNames TGdbFileNames::FromBase(const std::string& Base) {
  TGdbFileNames n;
  n.Summary = Base + std::string(kSummarySuffix);
  n.Data = Base + std::string(kDataSuffix);
  for (size_t i = 0; i < n.Index.size(); ++i)
    n.Index[i] = Base + std::string(kIndexSuffix) + std::to_string(i);
  return n;
}

std::string TGdbFileNames::BaseOf(const std::string& DBName) {
  return quillon::StripExtension(DBName);
}

bool GdbFileExists(const std::string& Path) {
  struct stat st {};
  if (::stat(Path.c_str(), &st) == 0) return true;
  if (errno == ENOENT) return false;
  throw fw::EInOutError::FromErrno(errno, Path, "Cannot open file");
}

void GdbEnsureFile(const std::string& Path) {
  if (!GdbFileExists(Path)) fw::TFileStream(Path, fw::fmCreate);
}

std::vector<uint8_t> GdbReadFile(const std::string& Path) {
  fw::TFileStream f(Path, fw::fmOpenRead);
  std::vector<uint8_t> bytes(static_cast<size_t>(f.Size()));
  bytes.resize(static_cast<size_t>(f.Read(bytes.data(), static_cast<int64_t>(bytes.size()))));
  return bytes;
}

void GdbWriteFile(const std::string& Path, std::span<const uint8_t> Bytes) {
  // Overwritten in place and then cut, rather than truncated first: the file
  // system then does not force the rewritten file out to disk on every close.
  GdbEnsureFile(Path);
  fw::TFileStream f(Path, fw::fmOpenReadWrite);
  f.Write(Bytes.data(), static_cast<int64_t>(Bytes.size()));
  f.SetSize(static_cast<int64_t>(Bytes.size()));
}

void GdbWriteAt(const std::string& Path, int64_t Offset, std::span<const uint8_t> Bytes) {
  fw::TFileStream f(Path, fw::fmOpenReadWrite);
  f.Seek(Offset, fw::soBeginning);
  f.Write(Bytes.data(), static_cast<int64_t>(Bytes.size()));
}

int64_t GdbReadAt(fw::TFileStream& File, int64_t Offset, void* Buffer, int64_t Count) {
  File.Seek(Offset, fw::soBeginning);
  return File.Read(Buffer, Count);
}

void GdbRaiseTruncated(const std::string& Path, const std::string& What) {
  throw fw::EInOutError(EIO, Path, What + ": \"" + Path + "\" ends before the data it refers to");
}

} // namespace kartavo
