#include "kartavo/framework/date_time.h"
#include "kartavo/framework/text_file.h"
#include "kartavo/geomap/landmarks/detail/xml_attributes.h"
#include "kartavo/geomap/landmarks/element_names.h"
#include "kartavo/geomap/landmarks/landmark_xml.h"

#include <cmath>
#include <cstdio>

namespace kartavo {
namespace {
using namespace detail;

// The time stamp as "yyyymmddHHMMSS", to the second (the file's resolution).
// A time outside the years 1 to 9999, or not a number, is written empty and
// reads back as 0.
std::string DateText(fw::TDateTime t) {
  fw::TDateTime first = 0, last = 0;
  fw::TryEncodeDateTime(1, 1, 1, 0, 0, 0, 0, first);
  fw::TryEncodeDateTime(9999, 12, 31, 23, 59, 59, 0, last);
  if (!std::isfinite(t) || t < first || t > last) return {};
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
  fw::DecodeDate(t, y, mo, d);
  fw::DecodeTime(t, h, mi, s, ms);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d%02d%02d%02d", y, mo, d, h, mi, s);
  return buf;
}

std::string StylesText(fw::TFontStyles s) {
  std::string out;
  for (fw::TFontStyle f : {fw::fsBold, fw::fsItalic, fw::fsUnderline, fw::fsStrikeOut})
    out.push_back(s.Contains(f) ? '1' : '0');
  return out;
}

std::string Utf8Text(const std::string& utf8) { return EncodeXmlText(fw::Utf8ToCp1252(utf8)); }
template <size_t N> std::string Text(const fw::ShortString<N>& s) {
  return EncodeXmlText(s.Bytes());
}

} // namespace

std::string LandMarkElementLine(const TLandMark& lm) {
  const TSymbolProperties& s = lm.SymbolProps;
  const TLMTextProperties& c = lm.Caption;
  const std::string values[LandMarkAttributeNames.size()] = {XmlDouble(lm.Latitude),
                                                             XmlDouble(lm.Longitude),
                                                             XmlDouble(lm.Altitude),
                                                             std::to_string(lm.ClassFlag),
                                                             std::to_string(lm.Tag),
                                                             std::string(ElementWord(s.Kind)),
                                                             XmlColor(s.FGColor),
                                                             XmlColor(s.BGColor),
                                                             std::to_string(s.Size),
                                                             std::string(XmlBool(s.Transparent)),
                                                             std::to_string(s.Direction),
                                                             std::to_string(s.Length),
                                                             Text(lm.Identifier),
                                                             DateText(lm.Time),
                                                             Text(c.Text),
                                                             std::to_string(c.Size),
                                                             Utf8Text(c.FontName),
                                                             XmlColor(c.FGColor),
                                                             XmlColor(c.BGColor),
                                                             std::string(XmlBool(c.Transparent)),
                                                             std::to_string(c.Direction),
                                                             std::to_string(c.dx),
                                                             std::to_string(c.dy),
                                                             std::to_string(int(c.HAlignment)),
                                                             std::to_string(int(c.VAlignment)),
                                                             StylesText(c.FontStyles)};
  std::string line = "<landmark";
  for (size_t i = 0; i < LandMarkAttributeNames.size(); ++i)
    line.append(" ").append(LandMarkAttributeNames[i]).append("=\"").append(values[i]).append("\"");
  return line + " />";
}

void WriteLandMarksToOpenXMLFile(fw::TTextFile& F, bool WriteDeclaration, const std::string& DataID,
                                 std::span<const TLandMark> LandMarks) {
  if (WriteDeclaration) F.WriteLn("<?xml version=\"1.0\"?>");
  F.WriteLn();
  F.WriteLn("<!-- TGeoMap Landmarks / ORV Component Suite -->");
  F.WriteLn("<gmlandmarks sig=\"ORVCSuite\" vers=\"1.0\" id=\"" + Utf8Text(DataID) + "\">");
  for (const TLandMark& lm : LandMarks)
    F.WriteLn(LandMarkElementLine(lm));
  F.WriteLn("</gmlandmarks>");
}

void SaveLandMarkFile(const std::string& FileName, const std::string& DataID,
                      std::span<const TLandMark> LandMarks) {
  fw::TTextFile f;
  f.Rewrite(FileName);
  WriteLandMarksToOpenXMLFile(f, true, DataID, LandMarks);
  f.Close();
}

} // namespace kartavo
