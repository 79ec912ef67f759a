// Reading GeoJSON into features ready for the database. simdjson parses the
// text into its document form (several times faster than a tree of
// nlohmann::json values on large files); the walk over it checks every
// member it uses and names the feature and member in each error. Only for a
// text that does not parse is nlohmann's parser run once more, to say at
// which line and column and why.
#include "kartavo/geodb/detail/geojson_features.h"

#include <nlohmann/json.hpp>
#include <simdjson.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <set>
#include <stdexcept>

namespace kartavo {
namespace {

using simdjson::dom::array;
using simdjson::dom::element;
using simdjson::dom::object;

constexpr int kMaxCollectionDepth = 8;

enum class TShape { Point, Line, Area };

std::string NumberText(double v) {
  char b[32];
  return std::string(b, std::to_chars(b, b + sizeof b, v).ptr);
}

class TFeatureWalk {
public:
  TFeatureWalk(const TGeoJSONImportOptions& Options, TParsedGeoJSON& Out)
      : FOptions(Options), FOut(Out) {}

  void Document(element Root) {
    object root;
    if (Root.get_object().get(root)) Fail("the text is not a GeoJSON object");
    const std::string_view type = TypeOf(root, "the top level");
    if (type == "FeatureCollection") {
      array features;
      if (root.at_key("features").get_array().get(features))
        Fail("a FeatureCollection needs a \"features\" array");
      FOut.Features.reserve(features.size());
      for (element f : features)
        Feature(f);
    } else if (type == "Feature") {
      Feature(Root);
    } else {
      FIndex = 1;
      FWhere = "geometry";
      TParsedFeature feature;
      if (Geometry(root, type, feature, 0)) FOut.Features.push_back(std::move(feature));
    }
  }

private:
  [[noreturn]] void Fail(const std::string& What) const {
    if (FIndex == 0) throw std::runtime_error(What);
    throw std::runtime_error("feature " + std::to_string(FIndex) + ": " + FWhere + ": " + What);
  }

  std::string_view TypeOf(object o, const char* what) const {
    std::string_view type;
    if (o.at_key("type").get_string().get(type)) Fail(std::string(what) + " has no \"type\" text");
    return type;
  }

  void Feature(element F) {
    ++FIndex;
    FWhere = "feature";
    object f;
    if (F.get_object().get(f)) Fail("not an object");
    if (TypeOf(f, "the feature") != "Feature") Fail("\"type\" is not \"Feature\"");
    TParsedFeature feature;
    object props;
    element p;
    const bool hasProps = !f.at_key("properties").get(p) && !p.is_null();
    if (hasProps && p.get_object().get(props)) Fail("\"properties\" is not an object");
    ReadProperties(hasProps ? &props : nullptr, feature);
    FWhere = "geometry";
    element g;
    if (f.at_key("geometry").get(g)) Fail("the feature has no \"geometry\" member");
    bool stored = false;
    if (!g.is_null()) {
      object geometry;
      if (g.get_object().get(geometry)) Fail("not an object");
      stored = Geometry(geometry, TypeOf(geometry, "the geometry"), feature, 0);
    }
    if (!stored) {
      ++FOut.EmptyFeatures;
      return;
    }
    element id;
    const bool hasId = !f.at_key("id").get(id);
    if (FOptions.KeepProperties && (hasId || hasProps)) {
      std::string kept = "{";
      if (hasId) kept += "\"id\":" + simdjson::minify(id) + ",";
      if (FNameElement) kept += "\"name\":" + simdjson::minify(*FNameElement) + ",";
      if (hasProps) kept += "\"properties\":" + simdjson::minify(p) + ",";
      kept.back() = '}';
      feature.Kept = std::move(kept);
    }
    FOut.Features.push_back(std::move(feature));
  }

  void ReadProperties(const object* Props, TParsedFeature& Feature) {
    FKindValue = gitUndefined;
    FPopulation = 0;
    FNameElement.reset();
    if (!Props) return;
    FWhere = "properties";
    // Enough names for the 255 characters of the keywords, no more.
    for (const auto field : *Props)
      if (FKeywordChars < 255 && FPropertyNames.insert(std::string(field.key)).second) {
        FOut.PropertyNames.emplace_back(field.key);
        FKeywordChars += field.key.size() + 1;
      }
    element v;
    bool found = false;
    if (FOptions.NameProperty.empty()) {
      for (const char* key : {"name", "NAME", "Name"})
        if ((found = !Props->at_key(key).get(v))) break;
    } else {
      found = !Props->at_key(FOptions.NameProperty).get(v);
    }
    std::string_view text;
    if (found && !v.get_string().get(text)) {
      Feature.Name = std::string(text);
      FNameElement = v;
    } else if (found && v.is_number()) {
      Feature.Name = simdjson::minify(v);
      FNameElement = v;
    }
    if (!FOptions.KindProperty.empty() && !Props->at_key(FOptions.KindProperty).get(v) &&
        !v.is_null()) {
      const std::string word = v.get_string().get(text) ? simdjson::minify(v) : std::string(text);
      FKindValue = GeoJSONKindOfValue(word);
      if (FKindValue == gitUndefined) ++FOut.UnknownKinds[word];
    }
    double number = 0;
    if (!FOptions.PopulationProperty.empty() && Number(*Props, FOptions.PopulationProperty, number))
      FPopulation = number;
    if (!FOptions.AltitudeProperty.empty() && Number(*Props, FOptions.AltitudeProperty, number)) {
      if (!std::isfinite(number) || std::fabs(number) > 3.4e38) Fail("altitude out of range");
      Feature.Altitude = static_cast<float>(number);
    }
    if (!FOptions.ClassProperty.empty() && Number(*Props, FOptions.ClassProperty, number)) {
      if (number < 0 || number > 255 || number != std::floor(number))
        Fail("\"" + FOptions.ClassProperty + "\" is not a whole number from 0 to 255");
      Feature.ClassNumber = static_cast<uint8_t>(number);
    }
  }

  // A property that should be a number: absent or null gives false; a number
  // or a text holding one gives it; anything else is an error.
  bool Number(const object& Props, const std::string& Key, double& Value) const {
    element v;
    if (Props.at_key(Key).get(v) || v.is_null()) return false;
    if (!v.get_double().get(Value)) return true;
    std::string_view text;
    if (!v.get_string().get(text)) {
      const std::string s(text);
      char* end = nullptr;
      Value = std::strtod(s.c_str(), &end);
      if (!s.empty() && end == s.c_str() + s.size()) return true;
    }
    Fail("\"" + Key + "\" is not a number");
  }

  TgdbItem KindFor(TShape Shape) const {
    switch (Shape) {
    case TShape::Point:
      if (FKindValue == gitTown || FKindValue == gitCity) return FKindValue;
      if (FKindValue == gitUndefined)
        return FPopulation >= FOptions.CityPopulation && FPopulation > 0 ? gitCity : gitTown;
      break;
    case TShape::Line:
      if (FKindValue == gitRiver || FKindValue == gitRoad || FKindValue == gitRoute ||
          FKindValue == gitBorder)
        return FKindValue;
      if (FKindValue == gitUndefined) return FOptions.LineKind;
      break;
    case TShape::Area:
      if (FKindValue == gitBorder || FKindValue == gitLake || FKindValue == gitCity)
        return FKindValue;
      if (FKindValue == gitUndefined) return FOptions.AreaKind;
      break;
    }
    static const char* const shapes[] = {"a point", "a line", "an area"};
    Fail("the kind " + std::string(GDB_ITEMNAMES[FKindValue]) + " (property \"" +
         FOptions.KindProperty + "\") does not suit " + shapes[int(Shape)]);
  }

  // Adds the parts of one geometry; false for an empty one.
  bool Geometry(object G, std::string_view Type, TParsedFeature& Feature, int Depth) {
    if (Type == "GeometryCollection") {
      if (Depth >= kMaxCollectionDepth)
        Fail("GeometryCollections nested deeper than " + std::to_string(kMaxCollectionDepth));
      array members;
      if (G.at_key("geometries").get_array().get(members))
        Fail("a GeometryCollection needs a \"geometries\" array");
      bool any = false;
      for (element m : members) {
        object member;
        if (m.get_object().get(member)) Fail("a member of a GeometryCollection is not an object");
        any = Geometry(member, TypeOf(member, "a member geometry"), Feature, Depth + 1) || any;
      }
      return any;
    }
    static const std::string_view types[] = {"Point",           "MultiPoint", "LineString",
                                             "MultiLineString", "Polygon",    "MultiPolygon"};
    if (std::find(std::begin(types), std::end(types), Type) == std::end(types))
      Fail("\"" + std::string(Type) +
           "\" is not a GeoJSON geometry type (Point, MultiPoint, LineString, MultiLineString, "
           "Polygon, MultiPolygon, GeometryCollection)");
    array coords;
    if (G.at_key("coordinates").get_array().get(coords))
      Fail("a " + std::string(Type) + " needs a \"coordinates\" array");
    const size_t before = Feature.Parts.size();
    if (Type == "Point") {
      AddPoint(coords, Feature);
    } else if (Type == "MultiPoint") {
      for (element p : coords)
        AddPoint(Array(p, "a position"), Feature);
    } else if (Type == "LineString") {
      AddLine(coords, Feature);
    } else if (Type == "MultiLineString") {
      for (element l : coords)
        AddLine(Array(l, "a line"), Feature);
    } else if (Type == "Polygon") {
      AddPolygon(coords, Feature);
    } else {
      for (element p : coords)
        AddPolygon(Array(p, "a polygon"), Feature);
    }
    return Feature.Parts.size() > before;
  }

  array Array(element E, const char* What) const {
    array a;
    if (E.get_array().get(a)) Fail(std::string(What) + " is not an array");
    return a;
  }

  TSCoords Position(element E) const {
    array a;
    if (E.get_array().get(a)) Fail("a position is not an array of two or three numbers");
    return Position(a);
  }

  TSCoords Position(array a) const {
    if (a.size() < 2) Fail("a position is not an array of two or three numbers");
    double lon = 0, lat = 0;
    if (a.at(0).get_double().get(lon) || a.at(1).get_double().get(lat))
      Fail("a position holds something other than numbers");
    if (!(lat >= -90 && lat <= 90 && lon >= -180 && lon <= 180))
      Fail("position [" + NumberText(lon) + "," + NumberText(lat) +
           "] lies outside longitude -180..180, latitude -90..90");
    return {static_cast<float>(lat), static_cast<float>(lon)};
  }

  TgdbPolygon Positions(array A) {
    TgdbPolygon points;
    points.reserve(A.size());
    for (element p : A)
      points.push_back(Position(p));
    return points;
  }

  void AddPoint(array Coords, TParsedFeature& Feature) {
    TFeaturePart part;
    part.Kind = KindFor(TShape::Point);
    part.Points.push_back(Position(Coords));
    part.Closed = part.Kind == gitCity;
    Push(std::move(part), Feature);
  }

  void AddLine(array Coords, TParsedFeature& Feature) {
    if (Coords.size() < 2) Fail("a line needs at least two positions");
    TFeaturePart part;
    part.Kind = KindFor(TShape::Line);
    part.Points = Positions(Coords);
    Push(std::move(part), Feature);
  }

  void AddPolygon(array Rings, TParsedFeature& Feature) {
    bool outer = true;
    const TgdbItem kind = KindFor(TShape::Area);
    for (element r : Rings) {
      TFeaturePart part;
      part.Kind = kind;
      part.Points = Positions(Array(r, "a ring"));
      // The database closes a closed entry by itself; a ring's repeated
      // first position is dropped here and written again on export.
      const bool repeated = part.Points.size() > 1 && part.Points.front() == part.Points.back();
      if (repeated) part.Points.pop_back();
      if (part.Points.size() < 3) Fail("a ring needs at least four positions, the last the first");
      part.Closed = true;
      part.Hole = !outer;
      outer = false;
      Push(std::move(part), Feature);
    }
  }

  void Push(TFeaturePart&& Part, TParsedFeature& Feature) {
    FOut.Points += static_cast<int64_t>(Part.Points.size());
    Feature.Parts.push_back(std::move(Part));
  }

  const TGeoJSONImportOptions& FOptions;
  TParsedGeoJSON& FOut;
  int FIndex = 0;
  const char* FWhere = "";
  TgdbItem FKindValue = gitUndefined;
  double FPopulation = 0;
  std::optional<element> FNameElement;
  std::set<std::string> FPropertyNames;
  size_t FKeywordChars = 0;
};

// Where and why a text is not JSON, as nlohmann's parser sees it.
class TErrorLocator : public nlohmann::json::json_sax_t {
public:
  bool null() override { return true; }
  bool boolean(bool) override { return true; }
  bool number_integer(number_integer_t) override { return true; }
  bool number_unsigned(number_unsigned_t) override { return true; }
  bool number_float(number_float_t, const string_t&) override { return true; }
  bool string(string_t&) override { return true; }
  bool binary(binary_t&) override { return true; }
  bool start_object(std::size_t) override { return true; }
  bool key(string_t&) override { return true; }
  bool end_object() override { return true; }
  bool start_array(std::size_t) override { return true; }
  bool end_array() override { return true; }
  bool parse_error(std::size_t Position, const std::string&,
                   const nlohmann::detail::exception& Error) override {
    FPosition = Position;
    FMessage = Error.what();
    return false;
  }
  size_t FPosition = 0;
  std::string FMessage;
};

std::string SyntaxError(std::string_view Text, simdjson::error_code Code) {
  TErrorLocator locator;
  if (Code != simdjson::DEPTH_ERROR && Code != simdjson::CAPACITY &&
      !nlohmann::json::sax_parse(Text.begin(), Text.end(), &locator)) {
    // nlohmann's text starts "[json.exception.parse_error.101] parse error at line ..., ":
    // keep what follows the position.
    std::string why = locator.FMessage;
    if (const size_t colon = why.find(": "); colon != std::string::npos) why.erase(0, colon + 2);
    const size_t at = locator.FPosition > 0 ? locator.FPosition - 1 : 0;
    return "malformed JSON at " + TextPosition(Text, at) + ": " + why;
  }
  return std::string("malformed JSON: ") + simdjson::error_message(Code);
}

} // namespace

std::string TextPosition(std::string_view Text, size_t Offset) {
  Offset = std::min(Offset, Text.size());
  size_t line = 1, column = 1;
  for (size_t i = 0; i < Offset; ++i) {
    if (Text[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

TParsedGeoJSON ParseGeoJSON(std::string_view Text, const TGeoJSONImportOptions& Options) {
  simdjson::dom::parser parser;
  const simdjson::padded_string padded(Text);
  element root;
  if (const simdjson::error_code code = parser.parse(padded).get(root))
    throw std::runtime_error(SyntaxError(Text, code));
  TParsedGeoJSON out;
  TFeatureWalk(Options, out).Document(root);
  return out;
}

} // namespace kartavo
