#include "landmark_geojson.h"

#include "kartavo/companion/tessaro.h"
#include "kartavo/geomap/landmarks/element_names.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace kcli {
namespace {
using namespace kartavo;
using Json = nlohmann::json;

std::string ColorText(fw::TColor c) {
  char buf[16];
  if (c >> 24) return tessaro::Hex(c, 8);
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  return buf;
}

std::string StylesText(fw::TFontStyles s) {
  std::string out;
  for (int i = 0; i < 4; ++i)
    out.push_back(s.Contains(static_cast<fw::TFontStyle>(i)) ? '1' : '0');
  return out;
}

std::string IsoDate(fw::TDateTime t) {
  fw::TDateTime first = 0, last = 0;
  fw::TryEncodeDateTime(1, 1, 1, 0, 0, 0, 0, first);
  fw::TryEncodeDateTime(9999, 12, 31, 23, 59, 59, 999, last);
  if (!std::isfinite(t) || t < first || t > last) return {};
  int y, mo, d, h, mi, s, ms;
  fw::DecodeDate(t, y, mo, d);
  fw::DecodeTime(t, h, mi, s, ms);
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02d", y, mo, d, h, mi, s);
  return buf;
}

// Reads the properties of one feature, naming it in every error.
class TFeatureReader {
public:
  TFeatureReader(const Json& props, int index) : FProps(props), FIndex(index) {}

  [[noreturn]] void Fail(const std::string& key, const std::string& what) const {
    throw std::runtime_error("feature " + std::to_string(FIndex) + ": property \"" + key +
                             "\": " + what);
  }
  const Json* Find(const std::string& key) const {
    if (!FProps.is_object()) return nullptr;
    auto it = FProps.find(key);
    return it == FProps.end() || it->is_null() ? nullptr : &*it;
  }
  void Int(const std::string& key, int32_t& v, int64_t lo = INT32_MIN, int64_t hi = INT32_MAX) {
    const Json* j = Find(key);
    if (!j) return;
    double d = 0;
    if (j->is_number_integer()) {
      if (j->is_number_unsigned() && j->get<uint64_t>() > uint64_t(INT64_MAX))
        Fail(key, "out of range");
      d = double(j->get<int64_t>());
    } else if (j->is_number_float()) {
      d = j->get<double>();
      if (d != std::floor(d)) Fail(key, "expected a whole number");
    } else {
      Fail(key, "expected a number");
    }
    if (d < double(lo) || d > double(hi)) Fail(key, "out of range");
    v = static_cast<int32_t>(d);
  }
  template <typename T> void Small(const std::string& key, T& v, int hi) {
    int32_t i = v;
    Int(key, i, 0, hi);
    v = static_cast<T>(i);
  }
  void Real(const std::string& key, double& v) {
    if (const Json* j = Find(key)) {
      if (!j->is_number()) Fail(key, "expected a number");
      v = j->get<double>();
    }
  }
  void Bool(const std::string& key, bool& v) {
    if (const Json* j = Find(key)) {
      if (!j->is_boolean()) Fail(key, "expected true or false");
      v = j->get<bool>();
    }
  }
  std::string Text(const std::string& key, bool* present = nullptr) {
    const Json* j = Find(key);
    if (present) *present = j != nullptr;
    if (!j) return {};
    if (j->is_string()) return j->get<std::string>();
    if (j->is_number()) return j->dump();
    Fail(key, "expected a text");
  }
  void Color(const std::string& key, fw::TColor& v) {
    bool present = false;
    const std::string t = Text(key, &present);
    if (!present) return;
    unsigned r, g, b;
    char end;
    if (t.size() == 7 && std::sscanf(t.c_str(), "#%2x%2x%2x%c", &r, &g, &b, &end) == 3) {
      v = r | (g << 8) | (b << 16);
      return;
    }
    int pos = 1;
    const int64_t value = tessaro::ScanHex(t, pos);
    if (pos == 1 || pos != int(t.size()) + 1 || value < 0 || value > 0xFFFFFFFF)
      Fail(key, "expected a colour \"#RRGGBB\" or eight hexadecimal digits");
    v = static_cast<fw::TColor>(value);
  }

private:
  const Json& FProps;
  int FIndex;
};

void ReadProperties(TFeatureReader& r, const GeoJsonFieldMap& fields, TLandMark& lm) {
  r.Real("alti", lm.Altitude);
  r.Small("class", lm.ClassFlag, 255);
  r.Int("usertag", lm.Tag);
  TSymbolProperties& s = lm.SymbolProps;
  bool present = false;
  const std::string word = r.Text("element", &present);
  if (present) s.Kind = SymbolElementFromWord(word);
  r.Color("colorfg", s.FGColor);
  r.Color("colorbg", s.BGColor);
  r.Int("size", s.Size);
  r.Bool("transp", s.Transparent);
  r.Int("dir", s.Direction);
  r.Int("leng", s.Length);
  const std::string id = r.Text(fields.Identifier, &present);
  if (present) lm.Identifier = id;
  if (const Json* t = r.Find("time")) {
    if (!t->is_number() || !std::isfinite(t->get<double>())) r.Fail("time", "expected a number");
    lm.Time = t->get<double>();
  } else if (const std::string d = r.Text("date"); !d.empty()) {
    int pos = 1;
    lm.Time = tessaro::ScanDateTime(d, "yyyy-mm-ddTHH:MM:SS", quillon::lanEnglish, pos);
  }
  TLMTextProperties& c = lm.Caption;
  const std::string caption = r.Text(fields.Caption, &present);
  if (present) c.Text = caption;
  r.Int("capsize", c.Size);
  const std::string font = r.Text("capfnm", &present);
  if (present) c.FontName = font;
  r.Color("capfgcol", c.FGColor);
  r.Color("capbgcol", c.BGColor);
  r.Bool("captransp", c.Transparent);
  r.Int("capdir", c.Direction);
  r.Int("capdx", c.dx);
  r.Int("capdy", c.dy);
  r.Small("caphal", c.HAlignment, 255);
  r.Small("capval", c.VAlignment, 255);
  const std::string styles = r.Text("capfst", &present);
  if (present) {
    c.FontStyles = {};
    for (size_t i = 0; i < 4 && i < styles.size(); ++i)
      if (styles[i] == '1') c.FontStyles.Include(static_cast<fw::TFontStyle>(i));
  }
}

// The position of a Point geometry; false for other geometries.
bool PointOf(const Json& feature, int index, TLandMark& lm) {
  auto fail = [index](const std::string& what) {
    throw std::runtime_error("feature " + std::to_string(index) + ": " + what);
  };
  if (!feature.is_object() || feature.value("type", "") != "Feature") fail("not a Feature");
  auto g = feature.find("geometry");
  if (g == feature.end() || !g->is_object() || g->value("type", "") != "Point") return false;
  auto c = g->find("coordinates");
  if (c == g->end() || !c->is_array() || c->size() < 2 || c->size() > 3)
    fail("a Point needs two or three coordinates");
  for (const Json& v : *c)
    if (!v.is_number() || !std::isfinite(v.get<double>())) fail("coordinates must be numbers");
  lm.Longitude = (*c)[0].get<double>();
  lm.Latitude = (*c)[1].get<double>();
  if (c->size() == 3) lm.Altitude = (*c)[2].get<double>();
  return true;
}

} // namespace

nlohmann::ordered_json LandMarksToGeoJson(std::span<const TLandMark> LandMarks) {
  nlohmann::ordered_json features = nlohmann::ordered_json::array();
  for (const TLandMark& lm : LandMarks) {
    const TSymbolProperties& s = lm.SymbolProps;
    const TLMTextProperties& c = lm.Caption;
    nlohmann::ordered_json p;
    p["id"] = lm.Identifier.ToString();
    p["captext"] = c.Text.ToString();
    p["class"] = lm.ClassFlag;
    p["usertag"] = lm.Tag;
    p["alti"] = lm.Altitude;
    p["time"] = lm.Time;
    p["date"] = IsoDate(lm.Time);
    p["element"] = std::string(ElementWord(s.Kind));
    p["colorfg"] = ColorText(s.FGColor);
    p["colorbg"] = ColorText(s.BGColor);
    p["size"] = s.Size;
    p["transp"] = s.Transparent;
    p["dir"] = s.Direction;
    p["leng"] = s.Length;
    p["capsize"] = c.Size;
    p["capfnm"] = c.FontName;
    p["capfgcol"] = ColorText(c.FGColor);
    p["capbgcol"] = ColorText(c.BGColor);
    p["captransp"] = c.Transparent;
    p["capdir"] = c.Direction;
    p["capdx"] = c.dx;
    p["capdy"] = c.dy;
    p["caphal"] = int(c.HAlignment);
    p["capval"] = int(c.VAlignment);
    p["capfst"] = StylesText(c.FontStyles);
    nlohmann::ordered_json f;
    f["type"] = "Feature";
    f["geometry"] = {{"type", "Point"}, {"coordinates", {lm.Longitude, lm.Latitude, lm.Altitude}}};
    f["properties"] = std::move(p);
    features.push_back(std::move(f));
  }
  nlohmann::ordered_json doc;
  doc["type"] = "FeatureCollection";
  doc["features"] = std::move(features);
  return doc;
}

GeoJsonRead LandMarksFromGeoJson(const nlohmann::json& Doc, const GeoJsonFieldMap& Fields,
                                 const TLandMark& Defaults) {
  if (!Doc.is_object() || Doc.value("type", "") != "FeatureCollection" ||
      !Doc.contains("features") || !Doc["features"].is_array())
    throw std::runtime_error("not a GeoJSON FeatureCollection");
  GeoJsonRead out;
  int index = 0;
  for (const Json& feature : Doc["features"]) {
    ++index;
    TLandMark lm = Defaults;
    if (!PointOf(feature, index, lm)) {
      ++out.Skipped;
      continue;
    }
    if (auto p = feature.find("properties"); p != feature.end() && !p->is_null()) {
      if (!p->is_object())
        throw std::runtime_error("feature " + std::to_string(index) + ": properties not an object");
      TFeatureReader reader(*p, index);
      ReadProperties(reader, Fields, lm);
    }
    out.LandMarks.push_back(lm);
  }
  return out;
}

} // namespace kcli
