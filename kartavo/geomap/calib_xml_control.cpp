#include "kartavo/geomap/calib_xml_reader.h"

namespace kartavo {

bool ReadControlCalibration(const TXmlLineSource& Lines, const TXmlTagSource& Tags,
                            const std::string& DataID, TCalibData& CalData, TCalibModel& Model,
                            const std::function<void()>& Clear,
                            const std::function<std::string(const std::string&)>& Message) {
  std::optional<TCalibHeader> header;
  const bool found = FindCalibHeader(Lines, DataID, header);
  if (header) {
    Model = ControlModelOf(*header);
    CalData.MapFName = header->Map;
    CalData.Caption = header->Caption;
  }
  if (!found) return false;
  Clear();
  TCalibBodyRules rules;
  rules.KeepShortLines = false;
  rules.Message = Message;
  ReadCalibBody(Tags, CalData, rules);
  return true;
}

void ClearCalibRecord(TCalibData& CalData) {
  CalData.NumCalLines = 0;
  for (auto& line : CalData.CalLines)
    line.NumPoints = 0;
  CalData.Corners = {};
  CalData.Resolution = 0;
  CalData.UTMZone = -1;
  CalData.UTMSouth = false;
  CalData.Ellipsoid = gelWGS84;
  CalData.CalQuads = {};
  CalData.NumCalQuads = 0;
}

} // namespace kartavo
