// GeoJSON into the database and back: the Natural Earth sample, kinds by
// geometry and property, holes and multi-part features, refused input, and
// the export as GDAL reads it.
#include "../cli_run.h"
#include "geodb_fixture.h"

#include "kartavo/package/exceptions.h"

#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>

using namespace geodb_test;
using kartavo::TGeoDB;
using Json = nlohmann::json;

namespace {

const std::string kCountries =
    std::string(KARTAVO_TEST_DATA) + "/../../data/ne_110m_countries.geojson";

Json ReadJson(const std::string& path) {
  std::ifstream f(path);
  return Json::parse(f);
}

// Every position of a geometry, in order, as the database stores them
// (single precision), with the repeated closing position of rings left out.
std::vector<std::pair<float, float>> Positions(const Json& g) {
  std::vector<std::pair<float, float>> out;
  auto ring = [&](const Json& r, bool closed) {
    const size_t n = closed ? r.size() - 1 : r.size();
    for (size_t i = 0; i < n; ++i)
      out.emplace_back(float(r[i][0].get<double>()), float(r[i][1].get<double>()));
  };
  const std::string t = g["type"];
  const Json& c = g["coordinates"];
  if (t == "Polygon")
    for (const Json& r : c)
      ring(r, true);
  if (t == "MultiPolygon")
    for (const Json& p : c)
      for (const Json& r : p)
        ring(r, true);
  if (t == "LineString") ring(c, false);
  if (t == "MultiLineString")
    for (const Json& l : c)
      ring(l, false);
  if (t == "Point") out.emplace_back(float(c[0].get<double>()), float(c[1].get<double>()));
  return out;
}

class GeoJSON : public GeoDBTest {
protected:
  void SetUp() override {
    GeoDBTest::SetUp();
    db.SetName("GeoDB1");
    db.SetDBName(base);
  }
  kartavo::TGeoJSONImportReport Import(const std::string& text,
                                       const kartavo::TGeoJSONImportOptions& o = {}) {
    return kartavo::ImportGeoJSONText(db, text, "test.geojson", o);
  }
  Json Export(const kartavo::TGeoJSONExportOptions& o = {}) {
    return Json::parse(kartavo::ExportGeoJSONText(db, o));
  }
  // The message of the import's refusal; the database must be left as it was.
  std::string Refusal(const std::string& text, const kartavo::TGeoJSONImportOptions& o = {}) {
    const int before = db.NumEntries();
    try {
      Import(text, o);
    } catch (const kartavo::EORVGeoDBError& e) {
      EXPECT_EQ(db.NumEntries(), before) << "a refused import added entries";
      return e.what();
    }
    ADD_FAILURE() << "accepted: " << text;
    return {};
  }
  TGeoDB db{nullptr};
};

TEST_F(GeoJSON, NaturalEarthCountriesComeBackWithNamesIdsAndGeometry) {
  const Json source = ReadJson(kCountries);
  const kartavo::TGeoJSONImportReport r = kartavo::ImportGeoJSON(db, kCountries);
  EXPECT_EQ(r.Features, 177);
  EXPECT_EQ(r.Kinds[kartavo::gitBorder], r.Entries);
  EXPECT_GT(r.Entries, 177);                 // multi-part countries take one entry a ring
  EXPECT_EQ(db.NumEntries(), r.Entries + 1); // and the properties BLOB

  const std::string out = (dir / "back.geojson").string();
  EXPECT_EQ(kartavo::ExportGeoJSON(db, out), 177);
  const Json back = ReadJson(out);
  ASSERT_EQ(back["features"].size(), source["features"].size());
  for (size_t i = 0; i < source["features"].size(); ++i) {
    const Json& a = source["features"][i];
    const Json& b = back["features"][i];
    SCOPED_TRACE(a["properties"]["name"].get<std::string>());
    EXPECT_EQ(b.contains("id"), a.contains("id")); // no id is made up for a feature without one
    if (a.contains("id")) {
      EXPECT_EQ(b["id"], a["id"]);
    }
    EXPECT_EQ(b["properties"]["name"], a["properties"]["name"]);
    EXPECT_EQ(b["properties"]["kind"], "Border");
    EXPECT_EQ(b["geometry"]["type"], a["geometry"]["type"]);
    EXPECT_EQ(Positions(b["geometry"]), Positions(a["geometry"]));
  }
  // Exporting what was exported gives the same text: nothing drifts.
  TGeoDB again(nullptr);
  again.SetDBName((dir / "again").string());
  kartavo::ImportGeoJSON(again, out);
  std::ifstream f(out);
  std::stringstream first;
  first << f.rdbuf();
  EXPECT_EQ(kartavo::ExportGeoJSONText(again), first.str());
}

TEST_F(GeoJSON, NaturalEarthCoastlineBecomesOpenBordersByItsFeatureClass) {
  kartavo::TGeoJSONImportOptions o;
  o.KindProperty = "featurecla";
  const auto r = kartavo::ImportGeoJSON(
      db, std::string(KARTAVO_TEST_DATA) + "/../../data/ne_110m_coastline.geojson", o);
  EXPECT_EQ(r.Features, 1);
  EXPECT_GT(r.Entries, 100); // one entry an outline
  EXPECT_EQ(r.Kinds[kartavo::gitBorder], r.Entries);
  EXPECT_TRUE(r.UnknownKinds.empty());
  for (int n = 1; n <= r.Entries; ++n)
    EXPECT_FALSE(db.Data(n).Closed) << n;
  const Json back = Export();
  ASSERT_EQ(back["features"].size(), 1u);
  EXPECT_EQ(back["features"][0]["geometry"]["type"], "MultiLineString");
  EXPECT_EQ(back["features"][0]["geometry"]["coordinates"].size(), size_t(r.Entries));
}

TEST_F(GeoJSON, KindsFollowGeometryPopulationAndTheKindProperty) {
  kartavo::TGeoJSONImportOptions o;
  o.KindProperty = "type_of";
  const auto r = Import(R"({"type":"FeatureCollection","features":[
    {"type":"Feature","properties":{"name":"Hamlet","population":80},
     "geometry":{"type":"Point","coordinates":[11.4,47.26,574]}},
    {"type":"Feature","properties":{"name":"Vienna","population":1900000,"altitude":151,"class":3},
     "geometry":{"type":"Point","coordinates":[16.37,48.21]}},
    {"type":"Feature","properties":{"name":"A1","type_of":"Motorway"},
     "geometry":{"type":"LineString","coordinates":[[16,48],[14,48.3]]}},
    {"type":"Feature","properties":{"name":"Westbahn","type_of":"railway"},
     "geometry":{"type":"MultiLineString","coordinates":[[[16,48],[15,48.1]],[[15,48.1],[14,48.3]]]}},
    {"type":"Feature","properties":{"name":"Danube","type_of":"Waterway"},
     "geometry":{"type":"LineString","coordinates":[[16,48],[17,48.1]]}},
    {"type":"Feature","properties":{"name":"Attersee","type_of":"reservoir"},
     "geometry":{"type":"Polygon","coordinates":[[[13.5,47.8],[13.6,47.8],[13.6,47.9],[13.5,47.8]]]}},
    {"type":"Feature","properties":{"name":"Nowhere"},"geometry":null}]})",
                        o);
  using namespace kartavo;
  EXPECT_EQ(r.Features, 7);
  EXPECT_EQ(r.EmptyFeatures, 1);
  EXPECT_EQ(r.UnknownKinds.at("Waterway"), 1);
  const std::vector<std::pair<TgdbItem, bool>> expected = {
      {gitTown, false},  {gitCity, true},   {gitRoad, false}, {gitRoute, false},
      {gitRoute, false}, {gitRiver, false}, {gitLake, true}};
  ASSERT_EQ(db.NumEntries(), int(expected.size()) + 1);
  for (size_t i = 0; i < expected.size(); ++i) {
    const TgdbData d = db.Data(int(i) + 1);
    EXPECT_EQ(d.ItemKind, expected[i].first) << i;
    if (d.ItemKind != gitTown) {
      EXPECT_EQ(d.Closed, expected[i].second) << i;
    }
  }
  EXPECT_EQ(db.Data(1).LatLow, 47.26f); // a town's box is its place
  EXPECT_EQ(db.Data(2).Altitude, 151.0f);
  EXPECT_EQ(db.Data(2).ClassFlag, 3);
  EXPECT_EQ(db.Data(4).Tag, db.Data(3 + 1).ItemId); // the railway's two lines: one feature
  EXPECT_EQ(db.Data(5).Tag, db.Data(4).ItemId);
  // The properties BLOB says what it holds and where it came from.
  ASSERT_EQ(r.PropertiesEntry, db.NumEntries());
  TMetaInfo meta;
  ASSERT_TRUE(db.GetMetaInfo(r.PropertiesEntry, meta));
  EXPECT_EQ(meta.Descriptor.ToString(), "GeoJSON feature properties");
  EXPECT_EQ(meta.FilePath.ToString(), "test.geojson");
  EXPECT_EQ(meta.Keywords.ToString(), "geojson name population altitude class type_of");

  const Json back = Export();
  ASSERT_EQ(back["features"].size(), 6u);
  EXPECT_EQ(back["features"][0]["geometry"]["type"], "Point");
  EXPECT_EQ(back["features"][1]["properties"]["kind"], "City");
  EXPECT_EQ(back["features"][1]["properties"]["population"], 1900000);
  EXPECT_EQ(back["features"][1]["geometry"]["type"], "Point");
  EXPECT_EQ(back["features"][3]["geometry"]["type"], "MultiLineString");
  EXPECT_EQ(back["features"][3]["properties"]["type_of"], "railway");
  EXPECT_EQ(back["features"][5]["geometry"]["coordinates"][0].size(), 4u); // closed again

  kartavo::TGeoJSONExportOptions lakes;
  lakes.Kind = gitLake;
  EXPECT_EQ(Export(lakes)["features"].size(), 1u);
  kartavo::TGeoJSONExportOptions box;
  box.UseBox = true;
  box.South = 48, box.West = 16.3, box.North = 48.3, box.East = 16.4;
  const Json inBox = Export(box);
  ASSERT_EQ(inBox["features"].size(), 2u); // the lines west of 16 E stay out
  EXPECT_EQ(inBox["features"][0]["properties"]["name"], "Vienna");
  EXPECT_EQ(inBox["features"][1]["properties"]["name"], "Danube");
}

TEST_F(GeoJSON, HolesAndMultiPolygonsKeepTheirStructure) {
  const std::string polygon = R"({"type":"Feature","id":7,"properties":{"name":"Ring"},
    "geometry":{"type":"MultiPolygon","coordinates":[
      [[[0,0],[10,0],[10,10],[0,10],[0,0]],[[2,2],[2,4],[4,4],[4,2],[2,2]],[[6,6],[6,8],[8,8],[6,6]]],
      [[[20,0],[30,0],[30,10],[20,0]]]]}})";
  const auto r = Import(polygon);
  EXPECT_EQ(r.Entries, 4);
  EXPECT_EQ(db.Data(2).StateFlag, 1); // holes follow their outer ring
  EXPECT_EQ(db.Data(3).StateFlag, 1);
  EXPECT_EQ(db.Data(4).StateFlag, 0);
  const Json back = Export();
  ASSERT_EQ(back["features"].size(), 1u);
  EXPECT_EQ(back["features"][0]["id"], 7);
  EXPECT_EQ(back["features"][0]["geometry"], Json::parse(polygon)["geometry"]);
}

TEST_F(GeoJSON, NamesAreCutForTheEntryButComeBackWhole) {
  const std::string longName(70, 'x');
  kartavo::TGeoJSONImportOptions o;
  o.NameProperty = "label";
  Import(R"({"type":"Feature","properties":{"label":")" + longName + R"(","name":"other"},
      "geometry":{"type":"Point","coordinates":[1,2]}})",
         o);
  EXPECT_EQ(db.Data(1).Name.ToString(), longName.substr(0, 59));
  const Json back = Export();
  EXPECT_EQ(back["features"][0]["properties"]["name"], longName);
  // A renamed entry is exported under its new name.
  kartavo::TgdbData d = db.Data(1);
  d.Name = "Renamed";
  db.UpdateBasicData(1, d);
  EXPECT_EQ(Export()["features"][0]["properties"]["name"], "Renamed");
}

TEST_F(GeoJSON, BadInputIsRefusedWithWhatAndWhereAndNothingIsAdded) {
  Import(R"({"type":"Feature","properties":{},"geometry":{"type":"Point","coordinates":[1,2]}})");
  auto has = [](const std::string& message, const std::string& part) {
    return message.find(part) != std::string::npos;
  };
  const std::string feature = R"({"type":"Feature","properties":{"name":"x"},"geometry":)";
  std::string m = Refusal("{\"type\":\"FeatureCollection\",\n\"features\":[tru]}");
  EXPECT_TRUE(has(m, "Component \"GeoDB1\": ImportGeoJSON: test.geojson: malformed JSON at line 2"))
      << m;
  m = Refusal(feature + R"({"type":"Circle","coordinates":[1,2]}})");
  EXPECT_TRUE(has(m, "feature 1: geometry: \"Circle\" is not a GeoJSON geometry type")) << m;
  m = Refusal(feature + R"({"type":"Point","coordinates":[10,95]}})");
  EXPECT_TRUE(has(m, "position [10,95] lies outside")) << m;
  m = Refusal(feature + R"({"type":"LineString","coordinates":[[1,2],[181,2]]}})");
  EXPECT_TRUE(has(m, "lies outside")) << m;
  m = Refusal(feature + R"({"type":"Polygon","coordinates":[[[1,2],[3,4],[1,2]]]}})");
  EXPECT_TRUE(has(m, "a ring needs at least four positions")) << m;
  m = Refusal(feature + R"({"type":"LineString","coordinates":[[1,"2"],[3,4]]}})");
  EXPECT_TRUE(has(m, "something other than numbers")) << m;
  m = Refusal(feature + R"({"type":"LineString","coordinates":[[1,2]]}})");
  EXPECT_TRUE(has(m, "a line needs at least two positions")) << m;
  m = Refusal(R"({"type":"FeatureCollection","features":[)" + feature +
              R"(null},{"type":"Feature","geometry":{"type":"Point"}}]})");
  EXPECT_TRUE(has(m, "feature 2: geometry: a Point needs a \"coordinates\" array")) << m;
  kartavo::TGeoJSONImportOptions kind;
  kind.KindProperty = "k";
  m = Refusal(R"({"type":"Feature","properties":{"k":"lake"},
      "geometry":{"type":"LineString","coordinates":[[1,2],[3,4]]}})",
              kind);
  EXPECT_TRUE(has(m, "the kind Lake (property \"k\") does not suit a line")) << m;
  m = Refusal(R"({"type":"Topology","objects":{}})");
  EXPECT_TRUE(has(m, "\"Topology\" is not a GeoJSON geometry type")) << m;
  m = Refusal("[1,2]");
  EXPECT_TRUE(has(m, "not a GeoJSON object")) << m;
  std::string deep;
  for (int i = 0; i < 11; ++i)
    deep += R"({"type":"GeometryCollection","geometries":[)";
  for (int i = 0; i < 11; ++i)
    deep += "]}";
  m = Refusal(deep);
  EXPECT_TRUE(has(m, "nested deeper")) << m;
  EXPECT_EQ(db.NumEntries(), 2);
}

TEST_F(GeoJSON, ProgressRunsFromZeroToHundredOnce) {
  std::vector<int> seen;
  db.OnPercentDone = [&](fw::TObject*, int p) { seen.push_back(p); };
  kartavo::ImportGeoJSON(db, kCountries);
  ASSERT_GE(seen.size(), 3u);
  EXPECT_EQ(seen.front(), 0);
  EXPECT_EQ(seen.back(), 100);
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  EXPECT_TRUE(db.OnPercDoneEnabled());
  EXPECT_FALSE(db.LazyWrite());
  seen.clear();
  kartavo::ExportGeoJSONText(db);
  EXPECT_EQ(seen.front(), 0);
  EXPECT_EQ(seen.back(), 100);
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
}

TEST_F(GeoJSON, CommandLineImportAndExportAndGdalReadsTheExport) {
  using kartavo::clitest::RunCliLine;
  using kartavo::clitest::RunCommand;
  db.SetDBName("");
  const std::string out = (dir / "out.geojson").string();
  const auto import = RunCliLine("db import " + base + " " + kCountries);
  ASSERT_EQ(import.Status, 0) << import.Out;
  EXPECT_NE(import.Out.find("imported 177 features"), std::string::npos) << import.Out;
  const auto exported =
      RunCliLine("db export " + base + " " + out + " --kind border --bbox 35 -10 60 30");
  EXPECT_EQ(exported.Status, 0) << exported.Out;
  const Json europe = ReadJson(out);
  EXPECT_GT(europe["features"].size(), 20u);
  EXPECT_LT(europe["features"].size(), 80u);
  const std::string bad = (dir / "bad.geojson").string();
  std::ofstream(bad) << R"({"type":"Feature","geometry":{"type":"Point","coordinates":[0,-91]}})";
  const auto refused = RunCliLine("db import " + base + " " + bad);
  EXPECT_EQ(refused.Status, 1);
  EXPECT_NE(refused.Out.find("lies outside"), std::string::npos) << refused.Out;

  if (RunCommand("ogrinfo --version").Status != 0)
    GTEST_SKIP() << "ogrinfo (gdal-bin) not installed";
  const auto info = RunCommand("ogrinfo -ro -al -so " + out);
  ASSERT_EQ(info.Status, 0) << info.Out;
  EXPECT_NE(info.Out.find("Feature Count: " + std::to_string(europe["features"].size())),
            std::string::npos)
      << info.Out;
  EXPECT_NE(info.Out.find("name: String"), std::string::npos) << info.Out;
}

} // namespace
