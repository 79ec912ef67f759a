#include "kartavo/geodb/gdb_types.h"

namespace kartavo {

std::string MetaItemText(const TMetaInfo& MetaInfo, TMetaItem Item) {
  switch (Item) {
  case miKwd:
    return MetaInfo.Keywords.ToString();
  case miCaption:
    return MetaInfo.Caption.ToString();
  case miFilePath:
    return MetaInfo.FilePath.ToString();
  case miDescriptor:
    return MetaInfo.Descriptor.ToString();
  case miComment:
    return MetaInfo.Comment.ToString();
  }
  return {};
}

void ClearGdbData(TgdbData& Data) {
  const int32_t sharedCount = Data.NumPoints;
  Data = TgdbData{};
  Data.NumPoints = sharedCount;
  Data.Date = fw::Now();
}

void ClearMetaInfo(TMetaInfo& MetaInfo) { MetaInfo = TMetaInfo{}; }

TSCoords ExtractLocation(const TgdbData& Data) { return {Data.LatLow, Data.LongLow}; }

} // namespace kartavo
