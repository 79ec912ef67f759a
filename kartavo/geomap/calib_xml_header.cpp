#include "kartavo/framework/codepage.h"
#include "kartavo/geomap/calib_xml_reader.h"
#include "kartavo/geomap/detail/calib_xml_text.h"

namespace kartavo {
namespace {

bool IsHeaderLine(std::string_view lower) {
  return lower.find("<geomap") != std::string_view::npos &&
         lower.find("orvcsuite") != std::string_view::npos;
}

// The attribute Name (e.g. "id=") of the header, read from Source (the lower-
// cased line or the line as read), trimmed, unescaped and in UTF-8.
std::string HeaderAttribute(std::string_view lower, std::string_view source, std::string_view name,
                            bool* present = nullptr) {
  size_t start = 0, length = 0;
  bool found = FindQuotedValue(lower, name, true, start, length);
  if (present) *present = found;
  if (!found) return {};
  return fw::Cp1252ToUtf8(UnescapeQuotes(TrimBlanks(source.substr(start, length))));
}

TCalibHeader ParseHeader(const std::string& line, const std::string& lower) {
  TCalibHeader h;
  h.Id = HeaderAttribute(lower, lower, "id=");
  h.Model = HeaderAttribute(lower, lower, "model=", &h.HasModel);
  h.Map = HeaderAttribute(lower, lower, "map=");
  h.Caption = HeaderAttribute(lower, line, "caption=");
  return h;
}

} // namespace

bool FindCalibHeader(const TXmlLineSource& Lines, const std::string& DataID,
                     std::optional<TCalibHeader>& LastSeen) {
  const std::string wanted = fw::LowerAscii(DataID);
  std::string line;
  while (Lines(line)) {
    std::string lower = fw::LowerAscii(line);
    if (!IsHeaderLine(lower)) continue;
    LastSeen = ParseHeader(line, lower);
    if (wanted.empty() || LastSeen->Id == wanted) return true;
  }
  return false;
}

TCalibModel ControlModelOf(const TCalibHeader& Header) {
  for (size_t i = 0; i < CalibModelNames.size(); ++i)
    if (Header.Model == CalibModelNames[i]) return static_cast<TCalibModel>(i);
  return cmUndefined;
}

} // namespace kartavo
