#include "kartavo/framework/errors.h"
#include "kartavo/framework/stream.h"
#include "kartavo/framework/text_file.h"
#include "kartavo/geomap/calib_xml.h"
#include "kartavo/geomap/calib_xml_reader.h"
#include "kartavo/package/exceptions.h"

namespace kartavo {
namespace {

// Without a model attribute a calibration is biquadratic; a name outside the
// model table gives cmUndefined.
TCalibModel ParsedModelOf(const TCalibHeader& h) {
  if (!h.HasModel) return cmBiquadraticPn;
  return ControlModelOf(h);
}

bool ParseFrom(const TXmlLineSource& lines, const TXmlTagSource& tags, const std::string& id,
               TCalibData& cd, TCalibModel& model) {
  std::optional<TCalibHeader> header;
  const bool found = FindCalibHeader(lines, id, header);
  if (header) {
    model = ParsedModelOf(*header);
    cd.MapFName = header->Map;
    cd.Caption = header->Caption;
  }
  if (!found) return false;
  cd.NumCalLines = 0;
  TCalibBodyRules rules;
  rules.KeepShortLines = true;
  rules.Message = [](const std::string& text) { return "ParseCalibData: " + text; };
  ReadCalibBody(tags, cd, rules);
  return true;
}

} // namespace

bool ParseCalibData(const std::string& FName, const std::string& DataID, TCalibData& CalData,
                    TCalibModel& Model) {
  fw::TTextFile f;
  try {
    f.Reset(FName);
  } catch (const fw::EInOutError&) {
    return false;
  }
  bool found = ParseFrom(TextFileLines(f), TextFileTags(f), DataID, CalData, Model);
  f.Close();
  return found;
}

bool ParseCalibData(fw::TMemoryStream& InStream, const std::string& DataID, TCalibData& CalData,
                    TCalibModel& Model) {
  return ParseFrom(StreamLines(InStream), StreamTags(InStream), DataID, CalData, Model);
}

} // namespace kartavo
