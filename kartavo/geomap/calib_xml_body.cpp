#include "kartavo/framework/codepage.h"
#include "kartavo/geobasics/ellipsoids.h"
#include "kartavo/geomap/calib_xml.h"
#include "kartavo/geomap/calib_xml_numbers.h"
#include "kartavo/geomap/calib_xml_reader.h"
#include "kartavo/geomap/calib_xml_text.h"
#include "kartavo/package/exceptions.h"

#include <vector>

namespace kartavo {
namespace {

constexpr int kCornerCount = 4;
const std::string kMismatch =
    "specified number of calibration points and actual number does not match";

[[noreturn]] void Fail(const TCalibBodyRules& rules, const std::string& text) {
  throw EORVGeoMapError(rules.Message(text));
}

[[noreturn]] void FailLimit(const TCalibBodyRules& rules, const std::string& what, int limit) {
  Fail(rules, what + " exceeds the limit of " + std::to_string(limit));
}

// Calls visit with the text inside each bracketed group in turn, as long as
// an opening bracket comes before the next closing one. Stops early when
// visit returns false.
template <typename Visit> void ForEachGroup(std::string_view text, Visit visit) {
  size_t pos = 0;
  for (;;) {
    size_t open = text.find('[', pos);
    size_t close = text.find(']', pos);
    if (open == std::string_view::npos || close == std::string_view::npos || open > close) return;
    if (!visit(text.substr(open + 1, close - open - 1))) return;
    pos = close + 1;
  }
}

// The integer after Key and its double quote ("npoints=" then '"'); 0 when absent.
int32_t IntegerAttribute(std::string_view lowerAttrs, std::string_view key) {
  size_t start = 0, length = 0;
  if (!FindQuotedValue(lowerAttrs, key, true, start, length)) return 0;
  return ScanXmlInteger(lowerAttrs.substr(start));
}

// Splits "a,b" at its first comma; b is empty without a comma.
std::pair<std::string_view, std::string_view> SplitAtComma(std::string_view group) {
  size_t comma = group.find(',');
  if (comma == std::string_view::npos) return {group, {}};
  return {group.substr(0, comma), group.substr(comma + 1)};
}

TGratLineKind LineKind(std::string_view lowerAttrs, const TCalibBodyRules& rules) {
  size_t start = 0, length = 0;
  std::string_view type;
  if (FindQuotedValue(lowerAttrs, "type=", false, start, length))
    type = lowerAttrs.substr(start, length);
  if (type == "parallel") return gtlParallel;
  if (type == "meridian") return gtlMeridian;
  Fail(rules, "invalid type of graticule line: type=\"" + fw::Cp1252ToUtf8(type) + "\"");
}

void ReadCalLine(const std::string& attrs, const std::string& contents, TCalibData& cd,
                 const TCalibBodyRules& rules) {
  const std::string lower = fw::LowerAscii(attrs);
  TCalibLine line;
  line.LineType = LineKind(lower, rules);
  size_t start = 0, length = 0;
  if (FindQuotedValue(lower, "value=", true, start, length))
    line.LineValue = ScanXmlDecimal(std::string_view(lower).substr(start), XmlNumberLenient);
  const int32_t declared = IntegerAttribute(lower, "npoints=");
  ForEachGroup(contents, [&](std::string_view group) {
    if (line.NumPoints == MaxLinePoints)
      FailLimit(rules, "number of points on a graticule line", MaxLinePoints);
    auto [x, y] = SplitAtComma(group);
    line.CalPoints[++line.NumPoints] = {ScanXmlInteger(x), ScanXmlInteger(y)};
    return true;
  });
  if (line.NumPoints != declared) Fail(rules, kMismatch);
  if (line.NumPoints < 3 && !rules.KeepShortLines) return;
  if (cd.NumCalLines >= MaxCalLines) FailLimit(rules, "number of graticule lines", MaxCalLines);
  cd.CalLines[++cd.NumCalLines] = line;
}

void ReadCorners(const std::string& contents, TCalibData& cd, const TCalibBodyRules& rules) {
  TCornerArray corners = cd.Corners;
  int n = 0;
  ForEachGroup(contents, [&](std::string_view group) {
    if (n == kCornerCount) FailLimit(rules, "number of corners", kCornerCount);
    auto [lat, lon] = SplitAtComma(group);
    corners[static_cast<size_t>(n++)] = {ScanXmlDecimal(lat, XmlNumberLenient),
                                         ScanXmlDecimal(lon, XmlNumberLenient)};
    return true;
  });
  cd.Corners = corners;
}

// One calibration point: latitude and longitude (point only, no exponent),
// each followed by one separator, then the pixel column and row.
TCalQuad ParseCalQuad(std::string_view group) {
  auto skipSeparator = [&group](size_t& pos) { pos = std::min(pos + 1, group.size()); };
  TCalQuad q;
  size_t pos = 0;
  q.Latitude = ScanXmlDecimal(group, pos, XmlNumberStrict);
  skipSeparator(pos);
  q.Longitude = ScanXmlDecimal(group, pos, XmlNumberStrict);
  skipSeparator(pos);
  q.MapX = ScanXmlInteger(group, pos);
  skipSeparator(pos);
  q.MapY = ScanXmlInteger(group, pos);
  return q;
}

void ReadCalQuads(const std::string& attrs, const std::string& contents, TCalibData& cd,
                  const TCalibBodyRules& rules) {
  const int32_t declared = IntegerAttribute(fw::LowerAscii(attrs), "npoints=");
  std::vector<TCalQuad> quads;
  ForEachGroup(contents, [&](std::string_view group) {
    if (quads.size() == MaxCalQuads) FailLimit(rules, "number of calibration points", MaxCalQuads);
    quads.push_back(ParseCalQuad(group));
    return true;
  });
  if (static_cast<int64_t>(quads.size()) != declared) Fail(rules, kMismatch);
  cd.NumCalQuads = static_cast<int32_t>(quads.size());
  for (size_t i = 0; i < quads.size(); ++i)
    cd.CalQuads[static_cast<int>(i) + 1] = quads[i];
}

void ReadEllipsoid(const std::string& contents, TCalibData& cd, const TCalibBodyRules& rules) {
  std::string_view id = TrimBlanks(contents);
  int ix = quillon::StringIx(id, GeoEllipsoidId, static_cast<int>(GeoEllipsoidId.size()) - 1);
  if (ix < 1) Fail(rules, "unknown ellipsoid: \"" + fw::Cp1252ToUtf8(id) + "\"");
  cd.Ellipsoid = static_cast<TGeoEllipsoid>(ix - 1);
}

} // namespace

void ReadCalibBody(const TXmlTagSource& Tags, TCalibData& CalData, const TCalibBodyRules& Rules) {
  std::string attrs, contents;
  for (;;) {
    switch (Tags(attrs, contents)) {
    case xtCalLine:
      ReadCalLine(attrs, contents, CalData, Rules);
      break;
    case xtCorners:
      ReadCorners(contents, CalData, Rules);
      break;
    case xtResolution:
      CalData.Resolution = ScanXmlDecimal(contents, XmlNumberLenient);
      break;
    case xtCalQuads:
      ReadCalQuads(attrs, contents, CalData, Rules);
      break;
    case xtUTMZone:
      CalData.UTMZone = ScanXmlInteger(contents);
      break;
    case xtUTMSouth:
      CalData.UTMSouth = TrimBlanks(fw::LowerAscii(contents)) == "true";
      break;
    case xtEllipsoid:
      ReadEllipsoid(contents, CalData, Rules);
      break;
    case xtGeoMap:
    case xtGmLandmarks:
    case xtGmLandmarksEnd:
    case xtLandmark:
    case xtLmSymbols:
    case xtLmSymbolsEnd:
    case xtSymbol:
      break;
    default:
      return; // "/geomap", the end, or anything the reader cannot name
    }
  }
}

} // namespace kartavo
