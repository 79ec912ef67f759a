#include "kartavo/geodb/detail/gdb_blob_head.h"

#include "kartavo/geodb/detail/gdb_files.h"
#include "kartavo/geodb/detail/gdb_layout.h"

namespace kartavo {

bool ReadBlobHead(fw::TFileStream& Data, const TgdbData& d, TMetaInfo& MetaInfo) {
  if (d.BlobOffset < 0 || d.Size < 0) return false;
  const int64_t end = int64_t{d.BlobOffset} + static_cast<int64_t>(gdb_layout::meta::Size) + d.Size;
  if (end > Data.Size()) GdbRaiseTruncated(Data.FileName(), "RetrieveBLOB");
  std::vector<uint8_t> meta(gdb_layout::meta::Size);
  if (GdbReadAt(Data, d.BlobOffset, meta.data(), static_cast<int64_t>(meta.size())) !=
      static_cast<int64_t>(meta.size()))
    GdbRaiseTruncated(Data.FileName(), "RetrieveBLOB");
  MetaInfo = gdb_layout::DecodeMetaInfo(meta.data());
  return true;
}

int64_t BlockLength(const TgdbData& d) {
  if (d.BlobOffset < 0) return -1;
  if (IsPolygonKind(d.ItemKind))
    return d.NumPoints < 0 ? -1
                           : int64_t{d.NumPoints} * static_cast<int64_t>(gdb_layout::PointSize);
  if (d.ItemKind == gitBLOB)
    return d.Size < 0 ? -1 : static_cast<int64_t>(gdb_layout::meta::Size) + d.Size;
  return -1;
}

} // namespace kartavo
