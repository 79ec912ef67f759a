#include "kartavo/framework/codepage.h"
#include "kartavo/geobasics/ellipsoids.h"
#include "kartavo/geomap/calib_xml.h"
#include "kartavo/geomap/calib_xml_reader.h"
#include "kartavo/geomap/detail/calib_xml_numbers.h"
#include "kartavo/geomap/detail/calib_xml_text.h"
#include "kartavo/package/exceptions.h"

#include <cctype>
#include <vector>

namespace kartavo {
namespace {

constexpr int kCornerCount = 4;
const std::string kMismatch =
    "specified number of calibration points and actual number does not match";

[[noreturn]] void Fail(const TCalibBodyRules& rules, const std::string& text) {
  throw EORVGeoMapError(rules.Message(text));
}

[[noreturn]] void NotANumber(const TCalibBodyRules& rules, std::string_view what,
                             std::string_view text) {
  Fail(rules,
       std::string(what) + " \"" + fw::Cp1252ToUtf8(TrimBlanks(text)) + "\" is not a number");
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

// The quoted text of an attribute as a whole number; 0 when absent.
int32_t IntegerAttribute(std::string_view lowerAttrs, std::string_view key,
                         const TCalibBodyRules& rules) {
  size_t start = 0, length = 0;
  if (!FindQuotedValue(lowerAttrs, key, true, start, length)) return 0;
  int32_t value = 0;
  const std::string_view text = lowerAttrs.substr(start, length);
  if (!XmlIntegerField(text, value)) NotANumber(rules, key.substr(0, key.size() - 1), text);
  return value;
}

int32_t IntegerField(std::string_view text, std::string_view what, const TCalibBodyRules& rules) {
  int32_t value = 0;
  if (!XmlIntegerField(text, value)) NotANumber(rules, what, text);
  return value;
}

double DecimalField(std::string_view text, std::string_view what, const TCalibBodyRules& rules) {
  double value = 0;
  if (!XmlDecimalField(text, XmlNumberLenient, value)) NotANumber(rules, what, text);
  return value;
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
    line.LineValue =
        DecimalField(std::string_view(lower).substr(start, length), "line value", rules);
  const int32_t declared = IntegerAttribute(lower, "npoints=", rules);
  ForEachGroup(contents, [&](std::string_view group) {
    if (line.NumPoints == MaxLinePoints)
      FailLimit(rules, "number of points on a graticule line", MaxLinePoints);
    auto [x, y] = SplitAtComma(group);
    line.CalPoints[++line.NumPoints] = {IntegerField(x, "graticule point x", rules),
                                        IntegerField(y, "graticule point y", rules)};
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
    corners[static_cast<size_t>(n++)] = {DecimalField(lat, "corner latitude", rules),
                                         DecimalField(lon, "corner longitude", rules)};
    return true;
  });
  cd.Corners = corners;
}

// One calibration point: latitude and longitude (point only, no exponent),
// each followed by one separator character, then the pixel column and row.
// Each must be a number, a separator no character that could be part of
// one, and nothing but blanks may follow the row.
class TCalQuadScanner {
public:
  TCalQuadScanner(std::string_view group, int index, const TCalibBodyRules& rules)
      : FGroup(group), FIndex(index), FRules(rules) {}

  TCalQuad Scan() {
    TCalQuad q;
    q.Latitude = Decimal("latitude");
    q.Longitude = Decimal("longitude");
    q.MapX = Integer("x", true);
    q.MapY = Integer("y", false);
    return q;
  }

private:
  double Decimal(const char* what) {
    const size_t start = FPos;
    double v = 0;
    if (!ScanXmlDecimalChecked(FGroup, FPos, XmlNumberStrict, v)) Bad(what, start);
    Separator(what, start, true);
    return v;
  }

  int32_t Integer(const char* what, bool separated) {
    const size_t start = FPos;
    int32_t v = 0;
    if (!ScanXmlIntegerChecked(FGroup, FPos, v)) Bad(what, start);
    Separator(what, start, separated);
    return v;
  }

  void Separator(const char* what, size_t start, bool expected) {
    if (!expected) {
      if (FGroup.find_first_not_of(" \t", FPos) != std::string_view::npos) Bad(what, start);
      return;
    }
    if (FPos >= FGroup.size()) Bad(what, start);
    const unsigned char c = static_cast<unsigned char>(FGroup[FPos]);
    if (std::isalnum(c) || c == '.' || c == '+' || c == '-') Bad(what, start);
    ++FPos;
  }

  [[noreturn]] void Bad(const char* what, size_t start) {
    const std::string_view rest = FGroup.substr(std::min(start, FGroup.size()));
    Fail(FRules, "calibration point " + std::to_string(FIndex) + ": " + what + " \"" +
                     fw::Cp1252ToUtf8(TrimBlanks(rest.substr(0, rest.find(',')))) +
                     "\" is not a number");
  }

  std::string_view FGroup;
  size_t FPos = 0;
  int FIndex;
  const TCalibBodyRules& FRules;
};

void ReadCalQuads(const std::string& attrs, const std::string& contents, TCalibData& cd,
                  const TCalibBodyRules& rules) {
  const int32_t declared = IntegerAttribute(fw::LowerAscii(attrs), "npoints=", rules);
  std::vector<TCalQuad> quads;
  ForEachGroup(contents, [&](std::string_view group) {
    if (quads.size() == MaxCalQuads) FailLimit(rules, "number of calibration points", MaxCalQuads);
    quads.push_back(TCalQuadScanner(group, static_cast<int>(quads.size()) + 1, rules).Scan());
    return true;
  });
  if (static_cast<int64_t>(quads.size()) != declared) Fail(rules, kMismatch);
  cd.NumCalQuads = static_cast<int32_t>(quads.size());
  for (size_t i = 0; i < quads.size(); ++i)
    cd.CalQuads[static_cast<int>(i) + 1] = quads[i];
}

// A zone 1 ... 60; -1 (no zone) as a cleared calibration has it.
int32_t UTMZoneField(const std::string& contents, const TCalibBodyRules& rules) {
  const int32_t zone = IntegerField(contents, "UTM zone", rules);
  if (zone != -1 && (zone < 1 || zone > 60))
    Fail(rules, "UTM zone " + std::to_string(zone) + " is outside 1 ... 60");
  return zone;
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
      CalData.Resolution = DecimalField(contents, "resolution", Rules);
      break;
    case xtCalQuads:
      ReadCalQuads(attrs, contents, CalData, Rules);
      break;
    case xtUTMZone:
      CalData.UTMZone = UTMZoneField(contents, Rules);
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
    case xtGeoMapEnd:
      return;
    default:
      // The text ended (or broke off) before the calibration did: what was
      // read is not the whole calibration.
      Fail(Rules, "the calibration ends before its closing tag </geomap>");
    }
  }
}

} // namespace kartavo
