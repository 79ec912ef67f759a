#include "kartavo/geodb/detail/gdb_scan.h"

#include "kartavo/framework/errors.h"
#include "kartavo/geodb/detail/gdb_blob_head.h"
#include "kartavo/geodb/detail/gdb_file_swap.h"
#include "kartavo/geodb/detail/gdb_index_build.h"
#include "kartavo/geodb/detail/gdb_layout.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <unordered_map>

namespace kartavo {
namespace {

constexpr size_t kRecord = gdb_layout::entry::Size;

// The file a swap would rename over Path, when the swap is complete.
std::string Effective(const TGdbScan& s, const std::string& path) {
  const std::string temp = SwapTempName(path);
  return s.SwapPending && GdbFileExists(temp) ? temp : path;
}

std::vector<uint8_t> ReadIfExists(const std::string& path) {
  return GdbFileExists(path) ? GdbReadFile(path) : std::vector<uint8_t>{};
}

void ReadSummary(TGdbScan& s) {
  const std::string path = Effective(s, s.Names.Summary);
  s.SummaryExists = GdbFileExists(path);
  std::vector<uint8_t> bytes = ReadIfExists(path);
  if (s.Journal.State == TJournalState::Replay) ApplyToBytes(s.Journal.Change, jtSummary, bytes);
  if (bytes.size() % kRecord != 0)
    s.Damage.push_back("summary file \"" + s.Names.Summary + "\" is " +
                       std::to_string(bytes.size()) +
                       " bytes, not a whole number of 120-byte records");
  const size_t count = bytes.size() / kRecord;
  if (count > static_cast<size_t>(INT32_MAX))
    throw fw::EInOutError(EFBIG, path, "Summary file \"" + path + "\" holds too many entries");
  s.Entries.resize(count);
  for (size_t i = 0; i < count; ++i)
    s.Entries[i] = gdb_layout::DecodeEntry(bytes.data() + i * kRecord);
}

void ReadHeader(TGdbScan& s) {
  s.DataPath = Effective(s, s.Names.Data);
  s.DataExists = GdbFileExists(s.DataPath);
  std::vector<uint8_t> head(gdb_layout::header::Size);
  int64_t size = 0;
  if (s.DataExists) {
    fw::TFileStream f(s.DataPath, fw::fmOpenRead);
    size = f.Size();
    if (size > 0 && size < static_cast<int64_t>(head.size())) {
      // The header is written whole once, when the database is created; in
      // place later. A short one in a database without entries is that
      // first write cut short: it is written again. With entries it is
      // damage, and data blocks behind it could be overwritten.
      if (!s.Entries.empty() || s.Journal.State == TJournalState::Replay)
        throw fw::EInOutError(EIO, s.DataPath,
                              "Data file \"" + s.DataPath + "\" has an incomplete header (" +
                                  std::to_string(size) + " of 260 bytes)");
      s.Notes.push_back("the data file's header, cut short when the database was created, is "
                        "written anew");
      size = 0;
    }
    f.Read(head.data(), std::min<int64_t>(size, static_cast<int64_t>(head.size())));
  }
  s.HeaderMissing = size == 0;
  if (s.Journal.State == TJournalState::Replay) ApplyToBytes(s.Journal.Change, jtData, head);
  head.resize(gdb_layout::header::Size);
  s.Header = s.HeaderMissing ? TgdbSystemData{} : gdb_layout::DecodeHeader(head.data());
  s.DataSize = std::max<int64_t>(size, static_cast<int64_t>(gdb_layout::header::Size));
}

// A delete copies the last record over the deleted one and then cuts the
// last one off; cut short in between, the last record repeats an earlier one.
void FindInterruptedDelete(TGdbScan& s) {
  const size_t n = s.Entries.size();
  if (n < 2) return;
  const TgdbData& last = s.Entries[n - 1];
  std::vector<uint8_t> lastBytes(kRecord), bytes(kRecord);
  gdb_layout::EncodeEntry(last, lastBytes.data());
  for (size_t k = 0; k + 1 < n; ++k) {
    if (s.Entries[k].ItemId != last.ItemId) continue;
    gdb_layout::EncodeEntry(s.Entries[k], bytes.data());
    if (bytes != lastBytes) return; // two different entries with one identifier: damage
    TJournalChange mend;
    mend.SummarySize = static_cast<int64_t>((n - 1) * kRecord);
    s.Mend = mend;
    s.Entries.pop_back();
    s.Notes.push_back("an interrupted delete left entry " + std::to_string(k + 1) +
                      " twice; the copy at the end is dropped");
    return;
  }
}

void CheckIdentifiers(TGdbScan& s) {
  std::unordered_map<int32_t, size_t> seen;
  int32_t highest = 0;
  for (size_t i = 0; i < s.Entries.size(); ++i) {
    const int32_t id = s.Entries[i].ItemId;
    highest = std::max(highest, id);
    const auto [it, fresh] = seen.emplace(id, i);
    if (!fresh)
      s.Damage.push_back("identifier " + std::to_string(id) + " is used by entries " +
                         std::to_string(it->second + 1) + " and " + std::to_string(i + 1));
  }
  // Identifiers must stay unique even when the header lags behind the summary.
  if (highest > s.Header.HighestID) {
    s.Notes.push_back("the header's highest identifier " + std::to_string(s.Header.HighestID) +
                      " lags behind identifier " + std::to_string(highest) + " in use");
    s.Header.HighestID = highest;
  }
}

void CheckBlocks(TGdbScan& s) {
  if (!s.SummaryExists && s.DataSize > static_cast<int64_t>(gdb_layout::header::Size))
    s.Damage.push_back("summary file \"" + s.Names.Summary +
                       "\" is missing while the data file holds data");
  if (!s.DataExists && !s.Entries.empty())
    s.Damage.push_back("data file \"" + s.Names.Data + "\" is missing");
  int reported = 0;
  for (size_t i = 0; i < s.Entries.size(); ++i) {
    const TgdbData& d = s.Entries[i];
    const bool counted = IsPolygonKind(d.ItemKind) || d.ItemKind == gitBLOB;
    std::string what;
    if (counted && d.BlobOffset >= 0 && d.NumPoints < 0)
      what = "has a negative " + std::string(d.ItemKind == gitBLOB ? "size" : "point count");
    else if (BlockLength(d) >= 0 && d.BlobOffset < static_cast<int32_t>(gdb_layout::header::Size))
      what = "has its data block inside the data file's header";
    else if (BlockLength(d) >= 0 && d.BlobOffset + BlockLength(d) > s.DataSize)
      what = "refers to bytes " + std::to_string(d.BlobOffset) + " to " +
             std::to_string(d.BlobOffset + BlockLength(d)) + " beyond the end of the data file (" +
             std::to_string(s.DataSize) + " bytes)";
    if (what.empty()) continue;
    // A handful of examples says enough; the count says the rest.
    if (++reported <= 5)
      s.Damage.push_back("entry " + std::to_string(i + 1) + " (identifier " +
                         std::to_string(d.ItemId) + ") " + what);
  }
  if (reported > 5)
    s.Damage.push_back(std::to_string(reported - 5) + " more entries with damaged data blocks");
}

void ReadIndexes(TGdbScan& s) {
  const int count = static_cast<int>(s.Entries.size());
  size_t longest = 0;
  for (int ix = 0; ix <= 4; ++ix) {
    const std::vector<uint8_t> bytes = ReadIfExists(s.Names.Index[static_cast<size_t>(ix)]);
    longest = std::max(longest, bytes.size() / gdb_layout::IndexRecSize);
    bool matches;
    if (ix == 0) {
      s.Ix0 = gdb_layout::DecodeItemIDIndex(bytes);
      matches = IndexMatches(s.Ix0, s.Entries, count);
      if (!matches) s.Ix0 = BuildItemIDIndex(s.Entries, count);
    } else {
      TIxLLRecArray& index = s.IxLL[static_cast<size_t>(ix - 1)];
      index = gdb_layout::DecodeLLIndex(bytes);
      matches = IndexMatches(index, s.Entries, count, CoordOfIndex(ix));
      if (!matches) index = BuildCoordIndex(s.Entries, count, CoordOfIndex(ix));
    }
    s.IndexStale[static_cast<size_t>(ix)] = !matches;
  }
  // Outside a change the index files hold exactly one record per entry:
  // more records than entries mean entries lost from the summary file. An
  // interrupted delete explains one.
  const size_t expected = s.Entries.size() + (s.Mend ? 1 : 0);
  if (s.Journal.State == TJournalState::None && longest > expected && s.Exists())
    s.Damage.push_back("the index files hold " + std::to_string(longest) +
                       " entries but the summary file only " + std::to_string(s.Entries.size()));
  if (std::count(s.IndexStale.begin(), s.IndexStale.end(), true) > 0 && s.Exists())
    s.Notes.push_back("index files that do not match the summary file are rebuilt");
}

} // namespace

TGdbScan ScanFileSet(const std::string& Base) {
  TGdbScan s;
  s.Base = Base;
  s.Names = TGdbFileNames::FromBase(Base);
  s.SwapPending = GdbFileExists(SwapMarkerName(Base));
  if (s.SwapPending) s.Notes.push_back("an interrupted garbage collection is finished");
  for (const std::string& p : {s.Names.Summary, s.Names.Data})
    if (!s.SwapPending && GdbFileExists(SwapTempName(p)))
      s.Notes.push_back("the temporary file \"" + SwapTempName(p) +
                        "\" of an unfinished garbage collection is removed");
  s.Journal = ReadJournal(JournalName(Base));
  if (s.Journal.State == TJournalState::Replay)
    s.Notes.push_back("an interrupted change is finished from its journal");
  else if (s.Journal.State == TJournalState::Pending)
    s.Notes.push_back("the journal of an unfinished change is dropped (the change never began "
                      "on the files, or only the index files lag)");
  ReadSummary(s);
  ReadHeader(s);
  FindInterruptedDelete(s);
  CheckIdentifiers(s);
  CheckBlocks(s);
  ReadIndexes(s);
  return s;
}

} // namespace kartavo
