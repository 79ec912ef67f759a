// TGeoDB: reading point lists and BLOBs back from the data file. Every
// count and offset of an entry is checked against the data file before
// anything is allocated or copied, so a damaged entry never makes a
// retrieval read past the end of the file or allocate what is not there.
#include "kartavo/geodb/geo_db.h"

#include "kartavo/companion/quillon.h"
#include "kartavo/geodb/detail/gdb_blob_head.h"
#include "kartavo/geodb/detail/gdb_files.h"
#include "kartavo/geodb/detail/gdb_layout.h"
#include "kartavo/geodb/detail/gdb_progress.h"
#include "kartavo/package/exceptions.h"

#include <cstring>
#include <functional>

namespace kartavo {
namespace {

constexpr int64_t kChunk = 16384;

using TChunkConsumer = std::function<void(const uint8_t* Bytes, int64_t Count)>;

// Copies Size content bytes from Offset in chunks, reporting the share copied.
void CopyContent(fw::TFileStream& Data, int64_t Offset, int64_t Size,
                 const TProgressReporter& Progress, const TChunkConsumer& Consume) {
  std::vector<uint8_t> buf(static_cast<size_t>(std::min(kChunk, std::max<int64_t>(Size, 1))));
  Data.Seek(Offset, fw::soBeginning);
  for (int64_t copied = 0; copied < Size;) {
    const int64_t n = Data.Read(buf.data(), std::min(kChunk, Size - copied));
    // The file ended after all: stop instead of waiting for bytes that never come.
    if (n <= 0) GdbRaiseTruncated(Data.FileName(), "RetrieveBLOB");
    Consume(buf.data(), n);
    copied += n;
    Progress.ReportShare(copied, Size);
  }
}

// Keeps a name from leaving the directory it is written into.
std::string SafeFileName(const TgdbName& Name) {
  std::string s = quillon::ReduceStringToFN83CompliantChars(Name.ToString());
  std::erase_if(s, [](char c) { return c == '/' || c == '\\' || c == '\0'; });
  return s == "." || s == ".." ? std::string() : s;
}

bool IsDirectoryPath(const std::string& p) {
  return p.empty() || p.back() == '/' || p.back() == '\\';
}

} // namespace

bool TGeoDB::RetrievePolygon(int DBEntry, TgdbPolygon& Polygon) {
  if (!IsOpen()) return false;
  FinishPendingWrites();
  const TProgressReporter progress(this, OnPercentDone, FOnPercDoneEnabled);
  progress.Report(0);
  fw::TFileStream data(FNameGDD, fw::fmOpenRead);
  const int entry = std::max(DBEntry, 1);
  bool ok = false;
  if (entry <= FNumSumItems) {
    const TgdbData& d = FSumData[static_cast<size_t>(entry - 1)];
    if (IsPolygonKind(d.ItemKind) && d.BlobOffset >= 0 && d.NumPoints >= 0) {
      const int64_t bytes = int64_t{d.NumPoints} * static_cast<int64_t>(gdb_layout::PointSize);
      if (int64_t{d.BlobOffset} + bytes > data.Size())
        GdbRaiseTruncated(FNameGDD, "RetrievePolygon");
      std::vector<uint8_t> raw(static_cast<size_t>(bytes));
      if (GdbReadAt(data, d.BlobOffset, raw.data(), bytes) != bytes)
        GdbRaiseTruncated(FNameGDD, "RetrievePolygon");
      TgdbPolygon points(static_cast<size_t>(d.NumPoints));
      for (size_t i = 0; i < points.size(); ++i)
        points[i] = gdb_layout::DecodePoint(raw.data() + i * gdb_layout::PointSize);
      if (progress.Active())
        for (int64_t i = 1; i <= d.NumPoints; ++i)
          progress.ReportStep(i, d.NumPoints);
      Polygon = std::move(points);
      ok = true;
    }
  }
  progress.Report(100);
  return ok;
}

const TgdbData* TGeoDB::BlobEntry(int DBEntry) const {
  const int entry = std::max(DBEntry, 1);
  if (!IsOpen() || entry > FNumSumItems) return nullptr;
  const TgdbData& d = FSumData[static_cast<size_t>(entry - 1)];
  return d.ItemKind == gitBLOB ? &d : nullptr;
}

std::unique_ptr<fw::TFileStream> TGeoDB::OpenBlob(const TgdbData& Entry, TMetaInfo& MetaInfo) {
  FinishPendingWrites();
  auto data = std::make_unique<fw::TFileStream>(FNameGDD, fw::fmOpenRead);
  if (!ReadBlobHead(*data, Entry, MetaInfo)) data.reset();
  return data;
}

bool TGeoDB::CopyBlob(int DBEntry, TMetaInfo& MetaInfo, bool ReportAlways,
                      const std::function<void(const TgdbData&)>& Prepare,
                      const std::function<void(const uint8_t*, int64_t)>& Consume) {
  if (!IsOpen()) return false;
  const TgdbData* d = BlobEntry(DBEntry);
  // The retrieval into a file raises no event for an entry that is no BLOB.
  if (!d && !ReportAlways) return false;
  const TProgressReporter progress(this, OnPercentDone, FOnPercDoneEnabled);
  progress.Report(0);
  bool ok = false;
  if (d) {
    if (const std::unique_ptr<fw::TFileStream> data = OpenBlob(*d, MetaInfo)) {
      Prepare(*d);
      CopyContent(*data, int64_t{d->BlobOffset} + static_cast<int64_t>(gdb_layout::meta::Size),
                  d->Size, progress, Consume);
      ok = true;
    }
  } else {
    // The data file is opened as for every retrieval: a missing one is reported.
    FinishPendingWrites();
    fw::TFileStream(FNameGDD, fw::fmOpenRead);
  }
  if (ok || ReportAlways) progress.Report(100);
  return ok;
}

bool TGeoDB::RetrieveBLOB(int DBEntry, const std::string& Filepath, TMetaInfo& MetaInfo) {
  std::unique_ptr<fw::TFileStream> out;
  return CopyBlob(
      DBEntry, MetaInfo, false,
      [&](const TgdbData& d) {
        std::string target = Filepath;
        if (IsDirectoryPath(Filepath)) {
          // Either delimiter ends a directory path; on this platform's files it is '/'.
          if (!target.empty()) target.back() = '/';
          const std::string name = SafeFileName(d.Name);
          if (name.empty()) RaiseDB("RetrieveBLOB: invalid filename.");
          target += name;
        }
        out = std::make_unique<fw::TFileStream>(target, fw::fmCreate);
      },
      [&out](const uint8_t* b, int64_t n) { out->Write(b, n); });
}

bool TGeoDB::RetrieveBLOB(int DBEntry, TMetaInfo& MetaInfo, void* PBLOBData, int SizeOfBLOBData) {
  auto* out = static_cast<uint8_t*>(PBLOBData);
  return CopyBlob(
      DBEntry, MetaInfo, true,
      [&](const TgdbData& d) {
        if (SizeOfBLOBData < d.Size || (d.Size > 0 && PBLOBData == nullptr))
          RaiseDB("RetrieveBLOB: BLOB to be retrieved is larger than SizeOfBlobData.");
      },
      [&out](const uint8_t* b, int64_t n) {
        std::memcpy(out, b, static_cast<size_t>(n));
        out += n;
      });
}

bool TGeoDB::RetrieveBLOB(int DBEntry, TMetaInfo& MetaInfo, fw::TMemoryStream& BlobStream) {
  // Any other entry leaves the stream as it was.
  return CopyBlob(
      DBEntry, MetaInfo, true,
      [&BlobStream](const TgdbData& d) {
        BlobStream.SetSize(d.Size);
        BlobStream.SetPosition(0);
      },
      [&BlobStream](const uint8_t* b, int64_t n) { BlobStream.WriteBuffer(b, n); });
}

} // namespace kartavo
