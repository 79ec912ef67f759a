#include "kartavo/geodb/gdb_check.h"

#include "kartavo/framework/errors.h"
#include "kartavo/geodb/detail/gdb_blob_head.h"
#include "kartavo/geodb/detail/gdb_files.h"
#include "kartavo/geodb/detail/gdb_index_build.h"
#include "kartavo/geodb/detail/gdb_layout.h"
#include "kartavo/geodb/detail/gdb_scan.h"

#include <algorithm>
#include <cerrno>
#include <map>
#include <set>

namespace kartavo {
namespace {

TGdbScan ScanExisting(const std::string& DBName) {
  TGdbScan s = ScanFileSet(TGdbFileNames::BaseOf(DBName));
  if (!s.Exists())
    throw fw::EInOutError(ENOENT, s.Names.Summary, "Database \"" + DBName + "\" does not exist");
  return s;
}

// Bytes behind the header that no entry's block covers.
int64_t Unreferenced(const TGdbScan& s) {
  std::map<int64_t, int64_t> blocks; // start -> end
  for (const TgdbData& d : s.Entries) {
    const int64_t length = BlockLength(d);
    if (length <= 0 || d.BlobOffset < static_cast<int64_t>(gdb_layout::header::Size)) continue;
    int64_t& end = blocks[d.BlobOffset];
    end = std::max(end, std::min(s.DataSize, d.BlobOffset + length));
  }
  int64_t covered = 0, reach = static_cast<int64_t>(gdb_layout::header::Size);
  for (const auto& [start, end] : blocks) {
    const int64_t from = std::max(start, reach);
    if (end > from) covered += end - from;
    reach = std::max(reach, end);
  }
  return s.DataSize - static_cast<int64_t>(gdb_layout::header::Size) - covered;
}

// Why an entry cannot be carried over, or empty.
std::string Unusable(const TgdbData& d, int64_t dataSize, std::set<int32_t>& ids) {
  if (!ids.insert(d.ItemId).second)
    return "its identifier " + std::to_string(d.ItemId) + " is used by an earlier entry";
  const int64_t length = BlockLength(d);
  const bool counted = IsPolygonKind(d.ItemKind) || d.ItemKind == gitBLOB;
  if (counted && d.BlobOffset >= 0 && length < 0) return "its count is negative";
  if (length >= 0 && (d.BlobOffset < static_cast<int64_t>(gdb_layout::header::Size) ||
                      d.BlobOffset + length > dataSize))
    return "its data block lies outside the data file";
  return {};
}

void CopyFile(const std::string& from, const std::string& to) {
  fw::TFileStream in(from, fw::fmOpenRead);
  fw::TFileStream out(to, fw::fmCreate);
  std::vector<uint8_t> buf(1 << 20);
  for (int64_t n; (n = in.Read(buf.data(), static_cast<int64_t>(buf.size()))) > 0;)
    out.Write(buf.data(), n);
  out.Flush();
}

} // namespace

TGdbCheckReport CheckDatabase(const std::string& DBName) {
  const TGdbScan s = ScanExisting(DBName);
  TGdbCheckReport r;
  r.Entries = static_cast<int>(s.Entries.size());
  r.DataBytes = s.DataExists ? s.DataSize : 0;
  r.UnreferencedBytes = s.DataExists ? Unreferenced(s) : 0;
  r.Damage = s.Damage;
  r.Notes = s.Notes;
  return r;
}

TGdbRecoverReport RecoverDatabase(const std::string& Source, const std::string& Target) {
  const TGdbScan s = ScanExisting(Source);
  const TGdbFileNames out = TGdbFileNames::FromBase(TGdbFileNames::BaseOf(Target));
  for (const std::string& p : {out.Summary, out.Data})
    if (GdbFileExists(p))
      throw fw::EInOutError(EEXIST, p, "Target database file \"" + p + "\" exists already");
  TGdbRecoverReport r;
  std::vector<TgdbData> kept;
  std::set<int32_t> ids;
  for (size_t i = 0; i < s.Entries.size(); ++i) {
    const std::string why = Unusable(s.Entries[i], s.DataExists ? s.DataSize : 0, ids);
    if (why.empty())
      kept.push_back(s.Entries[i]);
    else
      r.Dropped.push_back("entry " + std::to_string(i + 1) + " (identifier " +
                          std::to_string(s.Entries[i].ItemId) + "): " + why);
  }
  // The data file as it is: every block keeps its offset.
  TgdbSystemData header = s.Header;
  std::vector<uint8_t> head(gdb_layout::header::Size);
  gdb_layout::EncodeHeader(header, head.data());
  if (s.DataExists && !s.HeaderMissing) {
    CopyFile(s.DataPath, out.Data);
    GdbWriteAt(out.Data, 0, head);
  } else {
    GdbWriteFile(out.Data, head);
  }
  const int count = static_cast<int>(kept.size());
  GdbWriteFile(out.Index[0], gdb_layout::EncodeIndex(BuildItemIDIndex(kept, count)));
  for (int ix = 1; ix <= 4; ++ix)
    GdbWriteFile(out.Index[static_cast<size_t>(ix)],
                 gdb_layout::EncodeIndex(BuildCoordIndex(kept, count, CoordOfIndex(ix))));
  std::vector<uint8_t> summary(kept.size() * gdb_layout::entry::Size);
  for (size_t i = 0; i < kept.size(); ++i)
    gdb_layout::EncodeEntry(kept[i], summary.data() + i * gdb_layout::entry::Size);
  // The summary last: a recovery cut short leaves no database that looks whole.
  GdbWriteFile(out.Summary, summary);
  r.Recovered = count;
  return r;
}

} // namespace kartavo
