// The data block of one addition or replacement, prepared before anything is
// written: encoded points, or the meta information with the content taken
// from memory or from a file.
#pragma once

#include "kartavo/framework/stream.h"
#include "kartavo/geodb/gdb_types.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace kartavo {

struct TDataBlock {
  bool Present = false;                    // false: the entry has no block (BlobOffset -1)
  int32_t PointCount = 0;                  // point lists
  std::vector<uint8_t> Head;               // encoded points, or the meta information
  const uint8_t* Content = nullptr;        // BLOB content from memory
  int64_t ContentSize = 0;                 // BLOB content bytes (memory or file)
  std::unique_ptr<fw::TFileStream> Source; // BLOB content from a file

  int64_t Length() const { return static_cast<int64_t>(Head.size()) + ContentSize; }
};

// Point list: NumPoints, Closed and the bounding box computed into Record.
TDataBlock PointBlock(const TgdbPolygon& Polygon, bool ClosedLine, TgdbData& Record);
TDataBlock BlobBlock(const TMetaInfo& MInfo, const void* Content, int64_t Size);
// Opens the source file (raises EInOutError); Record gets its time and size.
TDataBlock FileBlobBlock(const TMetaInfo& MInfo, const std::string& SourceFile, TgdbData& Record);

} // namespace kartavo
