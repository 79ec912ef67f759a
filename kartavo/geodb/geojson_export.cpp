// The database as a GeoJSON FeatureCollection, written as a stream: the
// entries of one imported feature are joined again (by their Tag, see
// geo_json.h), kept ids and properties come back from the properties BLOBs,
// and numbers are written in the shortest form that reads back as the same
// single-precision value.
#include "kartavo/geodb/geo_json.h"

#include "kartavo/framework/stream.h"
#include "kartavo/geodb/detail/gdb_progress.h"
#include "kartavo/geodb/detail/geojson_features.h"
#include "kartavo/geodb/gdb_box_query.h"
#include "kartavo/geodb/geo_db.h"

#include <simdjson.h>

#include <algorithm>
#include <charconv>
#include <map>
#include <tuple>
#include <unordered_map>

namespace kartavo {
namespace {

enum class TShape { Point, Line, Area };

TShape ShapeOf(const TgdbData& D) {
  if (D.ItemKind == gitTown || (D.ItemKind == gitCity && D.NumPoints == 1)) return TShape::Point;
  return D.Closed ? TShape::Area : TShape::Line;
}

// What import kept of one feature.
struct TKept {
  std::string Id;   // raw JSON, empty when none
  std::string Name; // the name before it was cut to the entry's 59 characters
  std::vector<std::pair<std::string, std::string>> Properties; // key, raw JSON value
};

void ReadKeptBlob(const std::string& Json, std::unordered_map<int32_t, TKept>& Out) {
  simdjson::dom::parser parser;
  simdjson::dom::object groups;
  if (parser.parse(Json).get_object().get(groups)) return; // not ours after all
  for (const auto group : groups) {
    int32_t id = 0;
    const std::string key(group.key);
    if (std::from_chars(key.data(), key.data() + key.size(), id).ec != std::errc()) continue;
    simdjson::dom::object o;
    if (group.value.get_object().get(o)) continue;
    TKept kept;
    simdjson::dom::element e;
    if (!o.at_key("id").get(e)) kept.Id = simdjson::minify(e);
    std::string_view name;
    if (!o.at_key("name").get_string().get(name)) kept.Name = std::string(name);
    simdjson::dom::object props;
    if (!o.at_key("properties").get_object().get(props))
      for (const auto p : props)
        kept.Properties.emplace_back(std::string(p.key), simdjson::minify(p.value));
    Out[id] = std::move(kept);
  }
}

std::unordered_map<int32_t, TKept> KeptProperties(TGeoDB& DB) {
  std::unordered_map<int32_t, TKept> kept;
  for (int n = 1; n <= DB.NumEntries(); ++n) {
    if (DB.Data(n).ItemKind != gitBLOB) continue;
    TMetaInfo meta;
    if (!DB.GetMetaInfo(n, meta) || meta.Descriptor.Bytes() != kGeoJSONPropertiesDescriptor)
      continue;
    fw::TMemoryStream content;
    if (DB.RetrieveBLOB(n, meta, content))
      ReadKeptBlob(std::string(reinterpret_cast<const char*>(content.Memory()),
                               static_cast<size_t>(content.Size())),
                   kept);
  }
  return kept;
}

// A buffered text sink: a file, or a string.
class TJsonOut {
public:
  explicit TJsonOut(fw::TStream* File) : FFile(File) {}
  ~TJsonOut() = default;

  void Raw(std::string_view s) {
    FBuf.append(s);
    if (FFile && FBuf.size() >= (1u << 20)) Flush();
  }
  void Char(char c) { FBuf.push_back(c); }
  void Number(double v) {
    char b[32];
    const auto r = std::to_chars(b, b + sizeof b, v);
    FBuf.append(b, r.ptr);
  }
  void Coord(float v) {
    char b[32];
    const auto r = std::to_chars(b, b + sizeof b, v);
    FBuf.append(b, r.ptr);
  }
  void String(std::string_view s) {
    FBuf.push_back('"');
    for (const char ch : s) {
      const auto c = static_cast<unsigned char>(ch);
      if (c == '"' || c == '\\') {
        FBuf.push_back('\\');
        FBuf.push_back(ch);
      } else if (c < 0x20) {
        static const char hex[] = "0123456789abcdef";
        FBuf.append("\\u00");
        FBuf.push_back(hex[c >> 4]);
        FBuf.push_back(hex[c & 15]);
      } else {
        FBuf.push_back(ch);
      }
    }
    FBuf.push_back('"');
  }
  void Flush() {
    if (FFile && !FBuf.empty()) FFile->WriteBuffer(FBuf.data(), static_cast<int64_t>(FBuf.size()));
    if (FFile) FBuf.clear();
  }
  std::string& Text() { return FBuf; }

private:
  fw::TStream* FFile;
  std::string FBuf;
};

struct TFeatureOut {
  std::vector<int> Entries; // entry numbers, ascending ItemId
};

class TExporter {
public:
  TExporter(TGeoDB& DB, TJsonOut& Out) : FDB(DB), FOut(Out) {}

  int Run(const TGeoJSONExportOptions& Options) {
    const TProgressReporter progress(&FDB, FDB.OnPercentDone, FDB.OnPercDoneEnabled());
    progress.Report(0);
    // The retrievals below would report their own progress, 0 to 100 each.
    const bool enabled = FDB.OnPercDoneEnabled();
    FDB.SetOnPercDoneEnabled(false);
    struct TRestore {
      TGeoDB& DB;
      bool Enabled;
      ~TRestore() { DB.SetOnPercDoneEnabled(Enabled); }
    } restore{FDB, enabled};
    FKept = KeptProperties(FDB);
    const std::vector<std::vector<int>> features = Group(Select(Options));
    FOut.Raw("{\"type\":\"FeatureCollection\",\"features\":[");
    int last = 0;
    for (size_t i = 0; i < features.size(); ++i) {
      FOut.Raw(i == 0 ? "\n" : ",\n");
      Feature(features[i]);
      const int percent = PercentOf(int64_t(i + 1), int64_t(features.size()));
      if (percent != last && percent < 100) progress.Report(last = percent);
    }
    FOut.Raw("\n]}\n");
    FOut.Flush();
    progress.Report(100);
    return static_cast<int>(features.size());
  }

private:
  std::vector<int> Select(const TGeoJSONExportOptions& O) {
    std::vector<int> entries;
    if (O.UseBox) {
      entries = EntriesInBox(FDB, O.South, O.West, O.North, O.East);
    } else {
      for (int n = 1; n <= FDB.NumEntries(); ++n)
        entries.push_back(n);
    }
    std::erase_if(entries, [&](int n) {
      const TgdbData d = FDB.Data(n);
      if (d.ItemKind == gitBLOB || d.ItemKind == gitUndefined) return true;
      return O.Kind != gitUndefined && d.ItemKind != O.Kind;
    });
    return entries;
  }

  // The group of an entry: the feature's first entry when its Tag names an
  // entry of the same kind and name, else the entry alone.
  int32_t GroupOf(const TgdbData& D) {
    if (D.Tag == D.ItemId || D.Tag <= 0) return D.ItemId;
    const int leader = FDB.SearchForItemID(D.Tag);
    if (leader == 0) return D.ItemId;
    const TgdbData l = FDB.Data(leader);
    return l.ItemKind == D.ItemKind && l.Name == D.Name && l.Tag == l.ItemId ? D.Tag : D.ItemId;
  }

  std::vector<std::vector<int>> Group(const std::vector<int>& Entries) {
    std::map<std::tuple<int32_t, int, int>, size_t> slot;
    std::vector<std::vector<int>> features;
    for (int n : Entries) {
      const TgdbData d = FDB.Data(n);
      const auto key = std::make_tuple(GroupOf(d), int(d.ItemKind), int(ShapeOf(d)));
      auto [it, fresh] = slot.try_emplace(key, features.size());
      if (fresh) features.emplace_back();
      features[it->second].push_back(n);
    }
    for (auto& f : features)
      std::sort(f.begin(), f.end(),
                [&](int a, int b) { return FDB.Data(a).ItemId < FDB.Data(b).ItemId; });
    return features;
  }

  void Positions(const TgdbPolygon& P, bool Close) {
    FOut.Char('[');
    for (size_t i = 0; i < P.size(); ++i) {
      if (i) FOut.Char(',');
      Position(P[i]);
    }
    if (Close && !P.empty()) {
      FOut.Char(',');
      Position(P.front());
    }
    FOut.Char(']');
  }
  void Position(const TSCoords& C) {
    FOut.Char('[');
    FOut.Coord(C.Longit);
    FOut.Char(',');
    FOut.Coord(C.Latit);
    FOut.Char(']');
  }

  TgdbPolygon Points(int N, const TgdbData& D) {
    TgdbPolygon p;
    if (D.ItemKind == gitTown)
      p.push_back(ExtractLocation(D));
    else
      FDB.RetrievePolygon(N, p);
    return p;
  }

  void Geometry(const std::vector<int>& Entries, TShape Shape) {
    std::vector<std::pair<TgdbPolygon, bool>> parts; // points, hole
    for (int n : Entries) {
      const TgdbData d = FDB.Data(n);
      parts.emplace_back(Points(n, d), Shape == TShape::Area && d.StateFlag == 1);
    }
    const bool multi = parts.size() > 1;
    if (Shape == TShape::Point) {
      FOut.Raw(multi ? "{\"type\":\"MultiPoint\",\"coordinates\":["
                     : "{\"type\":\"Point\",\"coordinates\":");
      for (size_t i = 0; i < parts.size(); ++i) {
        if (i) FOut.Char(',');
        Position(parts[i].first.front());
      }
      FOut.Raw(multi ? "]}" : "}");
      return;
    }
    if (Shape == TShape::Line) {
      FOut.Raw(multi ? "{\"type\":\"MultiLineString\",\"coordinates\":["
                     : "{\"type\":\"LineString\",\"coordinates\":");
      for (size_t i = 0; i < parts.size(); ++i) {
        if (i) FOut.Char(',');
        Positions(parts[i].first, false);
      }
      FOut.Raw(multi ? "]}" : "}");
      return;
    }
    // Areas: an outer ring opens a polygon, the holes after it join it.
    parts.front().second = false;
    const bool multiPolygon =
        std::count_if(parts.begin(), parts.end(), [](const auto& p) { return !p.second; }) > 1;
    FOut.Raw(multiPolygon ? "{\"type\":\"MultiPolygon\",\"coordinates\":["
                          : "{\"type\":\"Polygon\",\"coordinates\":");
    for (size_t i = 0; i < parts.size(); ++i) {
      if (!parts[i].second) {
        if (i) FOut.Raw("],");
        FOut.Char('[');
      } else {
        FOut.Char(',');
      }
      Positions(parts[i].first, true);
    }
    FOut.Raw(multiPolygon ? "]]}" : "]}");
  }

  void Feature(const std::vector<int>& Entries) {
    const TgdbData first = FDB.Data(Entries.front());
    const auto kept = FKept.find(first.Tag);
    const TKept* k = kept == FKept.end() ? nullptr : &kept->second;
    // The id it had; an entry that was not imported is known by its ItemId.
    FOut.Raw("{\"type\":\"Feature\",");
    if (k && !k->Id.empty()) {
      FOut.Raw("\"id\":");
      FOut.Raw(k->Id);
      FOut.Char(',');
    } else if (!k) {
      FOut.Raw("\"id\":");
      FOut.Number(first.ItemId);
      FOut.Char(',');
    }
    FOut.Raw("\"properties\":{\"name\":");
    // The whole name as imported, unless the entry has been renamed since.
    const bool keptName = k && !k->Name.empty() && TgdbName(k->Name) == first.Name;
    FOut.String(keptName ? k->Name : first.Name.ToString());
    FOut.Raw(",\"kind\":");
    FOut.String(GDB_ITEMNAMES[first.ItemKind]);
    if (k)
      for (const auto& [key, value] : k->Properties) {
        if (key == "name" || key == "kind") continue;
        FOut.Char(',');
        FOut.String(key);
        FOut.Char(':');
        FOut.Raw(value);
      }
    FOut.Raw("},\"geometry\":");
    Geometry(Entries, ShapeOf(first));
    FOut.Char('}');
  }

  TGeoDB& FDB;
  TJsonOut& FOut;
  std::unordered_map<int32_t, TKept> FKept;
};

} // namespace

int ExportGeoJSON(TGeoDB& DB, const std::string& FileName, const TGeoJSONExportOptions& Options) {
  if (DB.DBName().empty()) return 0;
  fw::TFileStream file(FileName, fw::fmCreate);
  TJsonOut out(&file);
  return TExporter(DB, out).Run(Options);
}

std::string ExportGeoJSONText(TGeoDB& DB, const TGeoJSONExportOptions& Options, int* Features) {
  TJsonOut out(nullptr);
  const int n = DB.DBName().empty() ? 0 : TExporter(DB, out).Run(Options);
  if (Features) *Features = n;
  return std::move(out.Text());
}

} // namespace kartavo
