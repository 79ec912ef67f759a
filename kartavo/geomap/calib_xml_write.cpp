#include "kartavo/companion/quillon.h"
#include "kartavo/framework/codepage.h"
#include "kartavo/framework/text_file.h"
#include "kartavo/geobasics/ellipsoids.h"
#include "kartavo/geomap/calib_xml.h"
#include "kartavo/geomap/detail/calib_xml_numbers.h"
#include "kartavo/geomap/detail/calib_xml_text.h"

#include <algorithm>
#include <vector>

namespace kartavo {
namespace {

// Where the stream form of the text differs from the file form.
struct TCalibTextForm {
  bool Declaration = false;
  bool AlwaysResolution = false; // also for a resolution of 0
  bool AlwaysCalQuads = false;   // also without calibration points
};

std::string Attribute(std::string_view name, std::string_view value) {
  return " " + std::string(name) + "=\"" + std::string(value) + "\"";
}

// Identifiers, names and captions go into the file as Windows-1252 bytes.
std::string TextAttribute(std::string_view name, const std::string& utf8) {
  return Attribute(name, EscapeQuotes(fw::Utf8ToCp1252(utf8)));
}

std::string Element(std::string_view tag, const std::string& content) {
  return "<" + std::string(tag) + ">" + content + "</" + std::string(tag) + ">";
}

std::string_view ModelName(TCalibModel model) {
  return model < CalibModelNames.size() ? CalibModelNames[model] : CalibModelNames[cmUndefined];
}

std::string_view EllipsoidName(TGeoEllipsoid e) {
  return e < GeoEllipsoidId.size() ? GeoEllipsoidId[e] : GeoEllipsoidId[gelWGS84];
}

// A count as far as the record can hold it, so that the npoints attribute and
// the points written always agree.
int Held(int32_t count, int limit) { return std::clamp<int>(count, 0, limit); }

std::string Coordinate(double v) { return FormatXmlFixed(v, 5); }

std::string CornersLine(const TCornerArray& corners) {
  std::string line;
  for (TCorners c : {gcoTopLeft, gcoBottomLeft, gcoBottomRight, gcoTopRight})
    line += "[" + Coordinate(corners[c].Latit) + "," + Coordinate(corners[c].Longit) + "] ";
  return line;
}

void AddCalLine(std::vector<std::string>& out, const TCalibLine& line) {
  out.push_back("<calline" +
                Attribute("type", line.LineType == gtlMeridian ? "meridian" : "parallel") +
                Attribute("value", FormatXmlGeneral(line.LineValue)) +
                Attribute("npoints", std::to_string(Held(line.NumPoints, MaxLinePoints))) + ">");
  std::string points;
  for (int k = 1; k <= Held(line.NumPoints, MaxLinePoints); ++k)
    points += "[" + std::to_string(line.CalPoints[k].X) + "," +
              std::to_string(line.CalPoints[k].Y) + "] ";
  out.push_back(points);
  out.push_back("</calline>");
}

void AddCalQuads(std::vector<std::string>& out, const TCalibData& cd) {
  const int n = Held(cd.NumCalQuads, MaxCalQuads);
  out.push_back("<calquads" + Attribute("npoints", std::to_string(n)) + ">");
  std::string points;
  for (int k = 1; k <= n; ++k) {
    const TCalQuad& q = cd.CalQuads[k];
    points += "[" + Coordinate(q.Latitude) + "," + Coordinate(q.Longitude) + "," +
              std::to_string(q.MapX) + "," + std::to_string(q.MapY) + "] ";
  }
  out.push_back(points);
  out.push_back("</calquads>");
}

std::vector<std::string> CalibTextLines(const TCalibTextForm& form, const std::string& id,
                                        const TCalibData& cd, TCalibModel model) {
  std::vector<std::string> out;
  if (form.Declaration) out.emplace_back("<?xml version=\"1.0\"?>");
  out.emplace_back();
  out.emplace_back("<!-- TGeoMap Calibration / ORV Component Suite -->");
  out.push_back("<geomap" + Attribute("sig", "ORVCSuite") + Attribute("vers", "1.0") +
                TextAttribute("id", id) + Attribute("model", ModelName(model)) +
                TextAttribute("map", cd.MapFName) + TextAttribute("caption", cd.Caption) + ">");
  out.emplace_back("<corners>");
  out.push_back(CornersLine(cd.Corners));
  out.emplace_back("</corners>");
  if (cd.Resolution > 0 || form.AlwaysResolution)
    out.push_back(Element("resolution", FormatXmlFixed(cd.Resolution, 3)));
  if (cd.UTMZone >= 1 && cd.UTMZone <= 60) {
    out.push_back(Element("utmzone", std::to_string(cd.UTMZone)));
    out.push_back(Element("utmsouth", cd.UTMSouth ? "TRUE" : "FALSE"));
  }
  out.push_back(Element("ellipsoid", std::string(EllipsoidName(cd.Ellipsoid))));
  for (int k = 1; k <= Held(cd.NumCalLines, MaxCalLines); ++k)
    AddCalLine(out, cd.CalLines[k]);
  if (cd.NumCalQuads > 0 || form.AlwaysCalQuads) AddCalQuads(out, cd);
  out.emplace_back("</geomap>");
  return out;
}

} // namespace

void WriteRawCalDataToOpenXMLFile(fw::TTextFile& F, bool WriteDeclaration,
                                  const std::string& DataID, const TCalibData& CalData,
                                  TCalibModel Model) {
  TCalibTextForm form;
  form.Declaration = WriteDeclaration;
  for (const auto& line : CalibTextLines(form, DataID, CalData, Model))
    F.WriteLn(line);
}

void WriteRawCalDataToStream(fw::TStream& S, const std::string& DataID, const TCalibData& CalData,
                             TCalibModel Model) {
  const TCalibTextForm form{true, true, true};
  for (const auto& line : CalibTextLines(form, DataID, CalData, Model))
    quillon::WriteLnStream(S, line);
}

} // namespace kartavo
