#include "kartavo/geodb/detail/gdb_layout.h"

#include "kartavo/geodb/detail/le_bytes.h"

#include <algorithm>
#include <cstring>

namespace kartavo::gdb_layout {
namespace {

// A counted string: the length byte, the characters, then Fill up to capacity.
template <size_t N> void PutCounted(uint8_t* p, const fw::ShortString<N>& s, uint8_t fill) {
  const std::string_view bytes = s.Bytes();
  p[0] = static_cast<uint8_t>(bytes.size());
  std::memcpy(p + 1, bytes.data(), bytes.size());
  std::memset(p + 1 + bytes.size(), fill, N - bytes.size());
}

// A length byte above the capacity (a damaged file) is cut to the capacity.
template <size_t N> fw::ShortString<N> GetCounted(const uint8_t* p) {
  const size_t len = std::min<size_t>(p[0], N);
  return fw::ShortString<N>::FromBytes({reinterpret_cast<const char*>(p + 1), len});
}

} // namespace

void EncodeEntry(const TgdbData& d, uint8_t* o) {
  std::memset(o, 0, entry::Size);
  le::PutI32(o + entry::ItemId, d.ItemId);
  PutCounted(o + entry::Name, d.Name, ' ');
  le::PutF32(o + entry::Altitude, d.Altitude);
  o[entry::ClassFlag] = d.ClassFlag;
  le::PutI32(o + entry::Tag, d.Tag);
  le::PutI32(o + entry::BlobOffset, d.BlobOffset);
  le::PutF64(o + entry::Date, d.Date);
  le::PutI32(o + entry::StateFlag, d.StateFlag);
  le::PutF32(o + entry::LatLow, d.LatLow);
  le::PutF32(o + entry::LatHigh, d.LatHigh);
  le::PutF32(o + entry::LongLow, d.LongLow);
  le::PutF32(o + entry::LongHigh, d.LongHigh);
  o[entry::ItemKind] = d.ItemKind;
  le::PutI32(o + entry::NumPoints, d.NumPoints);
  o[entry::Closed] = d.Closed ? 1 : 0;
}

TgdbData DecodeEntry(const uint8_t* i) {
  TgdbData d;
  d.ItemId = le::GetI32(i + entry::ItemId);
  d.Name = GetCounted<TgdbName::Capacity>(i + entry::Name);
  d.Altitude = le::GetF32(i + entry::Altitude);
  d.ClassFlag = i[entry::ClassFlag];
  d.Tag = le::GetI32(i + entry::Tag);
  d.BlobOffset = le::GetI32(i + entry::BlobOffset);
  d.Date = le::GetF64(i + entry::Date);
  d.StateFlag = le::GetI32(i + entry::StateFlag);
  d.LatLow = le::GetF32(i + entry::LatLow);
  d.LatHigh = le::GetF32(i + entry::LatHigh);
  d.LongLow = le::GetF32(i + entry::LongLow);
  d.LongHigh = le::GetF32(i + entry::LongHigh);
  // Kinds beyond the table (a damaged file) read as undefined entries.
  d.ItemKind =
      i[entry::ItemKind] <= gitUndefined ? static_cast<TgdbItem>(i[entry::ItemKind]) : gitUndefined;
  d.NumPoints = le::GetI32(i + entry::NumPoints);
  d.Closed = i[entry::Closed] != 0;
  return d;
}

void EncodeHeader(const TgdbSystemData& h, uint8_t* o) {
  le::PutI32(o + header::HighestID, h.HighestID);
  le::PutI32(o + header::DBVersion, h.DBVersion);
  PutCounted(o + header::Description, h.Description, 0);
  le::PutI32(o + header::Revision, h.Revision);
  std::memcpy(o + header::Reserved, h.Reserved.data(), h.Reserved.size());
}

TgdbSystemData DecodeHeader(const uint8_t* i) {
  TgdbSystemData h;
  h.HighestID = le::GetI32(i + header::HighestID);
  h.DBVersion = le::GetI32(i + header::DBVersion);
  h.Description = GetCounted<63>(i + header::Description);
  h.Revision = le::GetI32(i + header::Revision);
  std::memcpy(h.Reserved.data(), i + header::Reserved, h.Reserved.size());
  return h;
}

void EncodeMetaInfo(const TMetaInfo& m, uint8_t* o) {
  PutCounted(o + meta::Keywords, m.Keywords, 0);
  PutCounted(o + meta::Caption, m.Caption, 0);
  PutCounted(o + meta::FilePath, m.FilePath, 0);
  PutCounted(o + meta::Descriptor, m.Descriptor, 0);
  PutCounted(o + meta::Comment, m.Comment, 0);
}

TMetaInfo DecodeMetaInfo(const uint8_t* i) {
  TMetaInfo m;
  m.Keywords = GetCounted<255>(i + meta::Keywords);
  m.Caption = GetCounted<127>(i + meta::Caption);
  m.FilePath = GetCounted<127>(i + meta::FilePath);
  m.Descriptor = GetCounted<255>(i + meta::Descriptor);
  m.Comment = GetCounted<255>(i + meta::Comment);
  return m;
}

void EncodePoints(std::span<const TSCoords> points, uint8_t* o) {
  for (const TSCoords& p : points) {
    le::PutF32(o, p.Latit);
    le::PutF32(o + 4, p.Longit);
    o += PointSize;
  }
}

TSCoords DecodePoint(const uint8_t* i) { return {le::GetF32(i), le::GetF32(i + 4)}; }

std::vector<uint8_t> EncodeIndex(std::span<const TIxLLRec> index) {
  std::vector<uint8_t> out(index.size() * IndexRecSize);
  uint8_t* o = out.data();
  for (const TIxLLRec& r : index) {
    le::PutF32(o, r.LLValue);
    le::PutI32(o + 4, r.index);
    o += IndexRecSize;
  }
  return out;
}

std::vector<uint8_t> EncodeIndex(std::span<const TIxItemIDRec> index) {
  std::vector<uint8_t> out(index.size() * IndexRecSize);
  uint8_t* o = out.data();
  for (const TIxItemIDRec& r : index) {
    le::PutI32(o, r.ItemID);
    le::PutI32(o + 4, r.index);
    o += IndexRecSize;
  }
  return out;
}

TIxLLRecArray DecodeLLIndex(std::span<const uint8_t> bytes) {
  TIxLLRecArray out(bytes.size() / IndexRecSize);
  const uint8_t* i = bytes.data();
  for (TIxLLRec& r : out) {
    r = {le::GetF32(i), le::GetI32(i + 4)};
    i += IndexRecSize;
  }
  return out;
}

TIxItemIDRecArray DecodeItemIDIndex(std::span<const uint8_t> bytes) {
  TIxItemIDRecArray out(bytes.size() / IndexRecSize);
  const uint8_t* i = bytes.data();
  for (TIxItemIDRec& r : out) {
    r = {le::GetI32(i), le::GetI32(i + 4)};
    i += IndexRecSize;
  }
  return out;
}

} // namespace kartavo::gdb_layout
