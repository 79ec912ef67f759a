// The records of a geographic database: entry headers, points, index
// records, BLOB meta information and the database header, as the host sees
// them. Their byte layout in the files lives in gdb_layout.h.
#pragma once

#include "kartavo/framework/date_time.h"
#include "kartavo/framework/export.h"
#include "kartavo/framework/short_string.h"

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kartavo {

// The kind of an entry.
enum TgdbItem : uint8_t {
  gitBorder = 0,
  gitTown = 1,
  gitCity = 2,
  gitLake = 3,
  gitRiver = 4,
  gitRoad = 5,
  gitRoute = 6,
  gitBLOB = 7,
  gitUndefined = 8
};

// Display names indexed by TgdbItem.
inline constexpr std::array<std::string_view, 9> GDB_ITEMNAMES = {
    "Border", "Town", "City", "Lake", "River", "Road", "Route", "BLOB", "Undefined"};

// True for the kinds whose data block is a point list.
constexpr bool IsPolygonKind(TgdbItem Kind) { return Kind <= gitRoute && Kind != gitTown; }

// An entry name: at most 59 Windows-1252 characters.
using TgdbName = fw::ShortString<59>;

// One point: latitude and longitude in degrees, single precision.
struct TSCoords {
  float Latit = 0;
  float Longit = 0;
  friend bool operator==(const TSCoords&, const TSCoords&) = default;
};

// A feature's point list in drawing order.
using TgdbPolygon = std::vector<TSCoords>;

struct TPositionData {
  double Latit = 0;
  double Longit = 0;
  double Height = 0;
};

// A record of the coordinate indexes: the key and the zero-based entry position.
struct TIxLLRec {
  float LLValue = 0;
  int32_t index = 0;
  friend bool operator==(const TIxLLRec&, const TIxLLRec&) = default;
};
using TIxLLRecArray = std::vector<TIxLLRec>;

// A record of the identifier index.
struct TIxItemIDRec {
  int32_t ItemID = 0;
  int32_t index = 0;
  friend bool operator==(const TIxItemIDRec&, const TIxItemIDRec&) = default;
};
using TIxItemIDRecArray = std::vector<TIxItemIDRec>;

// The five fields of the BLOB meta information, in their stored order.
enum TMetaItem : uint8_t { miKwd, miCaption, miFilePath, miDescriptor, miComment };

struct TMetaInfo {
  fw::ShortString<255> Keywords;
  fw::ShortString<127> Caption;
  fw::ShortString<127> FilePath; // the path the BLOB was read from
  fw::ShortString<255> Descriptor;
  fw::ShortString<255> Comment;
  friend bool operator==(const TMetaInfo&, const TMetaInfo&) = default;
};

// The text of one meta information field, as UTF-8.
KARTAVO_API std::string MetaItemText(const TMetaInfo& MetaInfo, TMetaItem Item);

// The header of one entry: the unit of the summary file.
struct TgdbData {
  int32_t ItemId = 0;
  TgdbName Name;
  float Altitude = 0;
  uint8_t ClassFlag = 0;
  int32_t Tag = 0;
  int32_t BlobOffset = -1; // offset of the data block in the data file, -1 for none
  fw::TDateTime Date = 0;
  int32_t StateFlag = 0;
  float LatLow = 0;
  float LatHigh = 0;
  float LongLow = 0;
  float LongHigh = 0;
  TgdbItem ItemKind = gitUndefined;
  union {
    int32_t NumPoints = 0; // point-list kinds
    int32_t Size;          // gitBLOB: content bytes
  };
  bool Closed = false;
};

// The header of a database, at the start of the data file.
struct TgdbSystemData {
  int32_t HighestID = 0;
  int32_t DBVersion = 4;
  fw::ShortString<63> Description;
  int32_t Revision = 0;
  std::array<uint8_t, 184> Reserved{};
};

// Resets an entry header; the shared NumPoints/Size field is left as it is.
KARTAVO_API void ClearGdbData(TgdbData& Data);
// Empties all five texts.
KARTAVO_API void ClearMetaInfo(TMetaInfo& MetaInfo);
// The location of a town: LatLow and LongLow of its entry.
KARTAVO_API TSCoords ExtractLocation(const TgdbData& Data);

} // namespace kartavo
