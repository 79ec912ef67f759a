#include "kartavo/geodb/detail/gdb_data_block.h"

#include "kartavo/framework/date_time.h"
#include "kartavo/geodb/detail/gdb_layout.h"

namespace kartavo {

TDataBlock PointBlock(const TgdbPolygon& Polygon, bool ClosedLine, TgdbData& Record) {
  TDataBlock block;
  block.Present = true;
  Record.Closed = ClosedLine;
  // The box grows from an empty one; a NaN coordinate never replaces an edge.
  Record.LatLow = 90;
  Record.LatHigh = -90;
  Record.LongLow = 180;
  Record.LongHigh = -180;
  for (const TSCoords& p : Polygon) {
    if (p.Latit < Record.LatLow) Record.LatLow = p.Latit;
    if (p.Latit > Record.LatHigh) Record.LatHigh = p.Latit;
    if (p.Longit < Record.LongLow) Record.LongLow = p.Longit;
    if (p.Longit > Record.LongHigh) Record.LongHigh = p.Longit;
  }
  // Counts beyond int32 are refused later by the size limit of the data file.
  block.PointCount = static_cast<int32_t>(std::min<size_t>(Polygon.size(), INT32_MAX));
  Record.NumPoints = block.PointCount;
  block.Head.resize(Polygon.size() * gdb_layout::PointSize);
  gdb_layout::EncodePoints(Polygon, block.Head.data());
  return block;
}

TDataBlock BlobBlock(const TMetaInfo& MInfo, const void* Content, int64_t Size) {
  TDataBlock block;
  block.Present = true;
  block.Head.resize(gdb_layout::meta::Size);
  gdb_layout::EncodeMetaInfo(MInfo, block.Head.data());
  block.Content = static_cast<const uint8_t*>(Content);
  block.ContentSize = Size;
  return block;
}

TDataBlock FileBlobBlock(const TMetaInfo& MInfo, const std::string& SourceFile, TgdbData& Record) {
  TDataBlock block = BlobBlock(MInfo, nullptr, 0);
  block.Source = std::make_unique<fw::TFileStream>(SourceFile, fw::fmOpenRead);
  block.ContentSize = block.Source->Size();
  Record.Date = fw::FileDateTime(SourceFile);
  // Sizes beyond int32 are refused by the size limit before anything is written.
  Record.Size = static_cast<int32_t>(std::min<int64_t>(block.ContentSize, INT32_MAX));
  return block;
}

} // namespace kartavo
