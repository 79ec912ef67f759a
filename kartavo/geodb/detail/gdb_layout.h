// The byte layout of every database record: field offsets, record sizes and
// the encoders and decoders that move records between memory and files field
// by field, little-endian. Undefined bytes (padding, the tails of counted
// strings other than names) are written as zeros; the tail of a name holds spaces.
#pragma once

#include "kartavo/geodb/gdb_types.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kartavo::gdb_layout {

// TgdbData, the 120-byte summary record.
namespace entry {
constexpr size_t ItemId = 0;
constexpr size_t Name = 4; // length byte + 59 characters
constexpr size_t Altitude = 64;
constexpr size_t ClassFlag = 68; // + 3 padding
constexpr size_t Tag = 72;
constexpr size_t BlobOffset = 76;
constexpr size_t Date = 80;
constexpr size_t StateFlag = 88;
constexpr size_t LatLow = 92;
constexpr size_t LatHigh = 96;
constexpr size_t LongLow = 100;
constexpr size_t LongHigh = 104;
constexpr size_t ItemKind = 108; // + 3 padding
constexpr size_t NumPoints = 112;
constexpr size_t Closed = 116; // + 3 padding
constexpr size_t Size = 120;
static_assert(Name == ItemId + 4 && Altitude == Name + 1 + TgdbName::Capacity);
static_assert(ClassFlag == Altitude + 4 && Tag == ClassFlag + 1 + 3 && BlobOffset == Tag + 4);
static_assert(Date == BlobOffset + 4 && StateFlag == Date + 8 && LatLow == StateFlag + 4);
static_assert(LatHigh == LatLow + 4 && LongLow == LatHigh + 4 && LongHigh == LongLow + 4);
static_assert(ItemKind == LongHigh + 4 && NumPoints == ItemKind + 1 + 3);
static_assert(Closed == NumPoints + 4 && Size == Closed + 1 + 3);
} // namespace entry

// TgdbSystemData, the 260-byte header at the start of the data file.
namespace header {
constexpr size_t HighestID = 0;
constexpr size_t DBVersion = 4;
constexpr size_t Description = 8; // length byte + 63 characters
constexpr size_t Revision = 72;
constexpr size_t Reserved = 76;
constexpr size_t Size = 260;
static_assert(Description + 1 + 63 == Revision && Revision + 4 == Reserved);
static_assert(Reserved + std::tuple_size_v<decltype(TgdbSystemData::Reserved)> == Size);
} // namespace header

// TMetaInfo, the 1024 bytes in front of every BLOB's content.
namespace meta {
constexpr size_t Keywords = 0;
constexpr size_t Caption = 256;
constexpr size_t FilePath = 384;
constexpr size_t Descriptor = 512;
constexpr size_t Comment = 768;
constexpr size_t Size = 1024;
static_assert(Keywords + 1 + decltype(TMetaInfo::Keywords)::Capacity == Caption);
static_assert(Caption + 1 + decltype(TMetaInfo::Caption)::Capacity == FilePath);
static_assert(FilePath + 1 + decltype(TMetaInfo::FilePath)::Capacity == Descriptor);
static_assert(Descriptor + 1 + decltype(TMetaInfo::Descriptor)::Capacity == Comment);
static_assert(Comment + 1 + decltype(TMetaInfo::Comment)::Capacity == Size);
} // namespace meta

constexpr size_t PointSize = 8;    // TSCoords: Latit, Longit
constexpr size_t IndexRecSize = 8; // TIxLLRec / TIxItemIDRec: key, index

void EncodeEntry(const TgdbData& Data, uint8_t* Out);
TgdbData DecodeEntry(const uint8_t* In);

void EncodeHeader(const TgdbSystemData& Header, uint8_t* Out);
TgdbSystemData DecodeHeader(const uint8_t* In);

void EncodeMetaInfo(const TMetaInfo& MetaInfo, uint8_t* Out);
TMetaInfo DecodeMetaInfo(const uint8_t* In);

void EncodePoints(std::span<const TSCoords> Points, uint8_t* Out);
TSCoords DecodePoint(const uint8_t* In);

// Whole index files: records in order, no header.
std::vector<uint8_t> EncodeIndex(std::span<const TIxLLRec> Index);
std::vector<uint8_t> EncodeIndex(std::span<const TIxItemIDRec> Index);
// Decodes Bytes.size() / 8 records; a trailing partial record is ignored.
TIxLLRecArray DecodeLLIndex(std::span<const uint8_t> Bytes);
TIxItemIDRecArray DecodeItemIDIndex(std::span<const uint8_t> Bytes);

} // namespace kartavo::gdb_layout
