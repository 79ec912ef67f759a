// GeoJSON and the database: a FeatureCollection imported into entries, and
// entries exported as a FeatureCollection that GDAL and browser map
// libraries read.
//
// How features become entries:
// - Point, MultiPoint: a town each; a city (a one-point outline) when the
//   population property reaches CityPopulation.
// - LineString, MultiLineString: one open entry a line, river by default,
//   road or route by the kind property.
// - Polygon, MultiPolygon: one closed entry a ring, border by default, lake
//   or city by the kind property. A ring's repeated closing position is
//   dropped (closed entries close themselves) and put back on export.
// - GeometryCollection: its members, as above. A null geometry: nothing.
// Every entry of one feature carries the ItemId of the feature's first entry
// as its Tag, and an inner ring (a hole) carries StateFlag 1 and follows its
// outer ring: that is how export puts multi-part features and holes back
// together. The database itself knows nothing of holes: a program that draws
// the entries one by one fills a hole as if it were an island.
// Coordinates are stored as single-precision floats (about 1e-5 degrees near
// 180°); a third coordinate (height) is not kept.
// Names are cut to 59 Windows-1252 characters. The feature's id and all of
// its properties are kept verbatim in one BLOB per import (its meta
// information names the source file and lists the property names); export
// gives them back, so nothing but height and precision is lost.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/geodb/gdb_types.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kartavo {

class TGeoDB;

struct TGeoJSONImportOptions {
  // The property that names a feature; empty: the first of "name", "NAME",
  // "Name" that the feature has.
  std::string NameProperty;
  // The property whose text chooses the kind (see GeoJSONKindOfValue);
  // empty: the kind follows from the geometry alone.
  std::string KindProperty;
  // Points whose population property is at least CityPopulation are cities.
  std::string PopulationProperty = "population";
  double CityPopulation = 100000;
  // Numeric properties stored in the entry's Altitude and ClassFlag (0..255).
  std::string AltitudeProperty = "altitude";
  std::string ClassProperty = "class";
  // Kinds for lines and areas without a usable kind property.
  TgdbItem LineKind = gitRiver;
  TgdbItem AreaKind = gitBorder;
  // Keep ids and properties in a BLOB so that export gives them back.
  bool KeepProperties = true;
};

struct TGeoJSONImportReport {
  int Features = 0;           // features read
  int Entries = 0;            // entries added (the properties BLOB not counted)
  int64_t Points = 0;         // positions stored
  int EmptyFeatures = 0;      // features without geometry: nothing stored
  int PropertiesEntry = 0;    // entry number of the properties BLOB, 0 when none
  std::array<int, 9> Kinds{}; // entries added of each kind
  // Kind-property values that name no kind, with how often they occurred;
  // their features got the geometry's default kind.
  std::map<std::string, int> UnknownKinds;
};

// The kind a kind-property value names, case-insensitively: the kind names
// (Border, Town, City, Lake, River, Road, Route) and common words of map data
// (country, boundary, coastline, reservoir, stream, canal, highway, street, railway,
// ferry, trail, village, ...); gitUndefined for anything else.
KARTAVO_API TgdbItem GeoJSONKindOfValue(std::string_view Value);

// Reads a GeoJSON FeatureCollection (or a single Feature or geometry) and adds
// its features to the open database. The whole text is checked first; on
// any error nothing is added and EORVGeoDBError names the feature (counted
// from 1), the member and what is wrong: malformed JSON (with line and
// column), a geometry type that is not GeoJSON's, a kind that does not suit
// the geometry, coordinates that are not numbers or lie outside -90..90 /
// -180..180, a ring of fewer than four positions, more points than the data
// file can take. A file error while writing (a full disk) raises the
// platform's input/output error and leaves the features added before it.
// Progress through the database's OnPercentDone.
KARTAVO_API TGeoJSONImportReport ImportGeoJSON(TGeoDB& DB, const std::string& FileName,
                                               const TGeoJSONImportOptions& Options = {});
// The same for GeoJSON text in memory; SourceName names it in the meta information.
KARTAVO_API TGeoJSONImportReport ImportGeoJSONText(TGeoDB& DB, std::string_view Text,
                                                   const std::string& SourceName,
                                                   const TGeoJSONImportOptions& Options = {});

struct TGeoJSONExportOptions {
  // Only entries whose box meets South, West, North, East.
  bool UseBox = false;
  double South = -90, West = -180, North = 90, East = 180;
  // Only entries of this kind; gitUndefined: every kind but BLOBs.
  TgdbItem Kind = gitUndefined;
};

// Writes the point entries and towns of the open database as a GeoJSON
// FeatureCollection (longitude first, WGS 84 degrees, rings closed). Entries
// that were imported as one feature become one feature again (one a kind and
// geometry class: a GeometryCollection comes back as one feature for each of
// its kinds of parts); with a box, a feature keeps those of its parts that
// meet the box. Each feature's properties hold
// "name", "kind" and the properties kept at import. Returns the number of
// features written. Progress through the database's OnPercentDone.
KARTAVO_API int ExportGeoJSON(TGeoDB& DB, const std::string& FileName,
                              const TGeoJSONExportOptions& Options = {});
// The same into a string.
KARTAVO_API std::string ExportGeoJSONText(TGeoDB& DB, const TGeoJSONExportOptions& Options = {},
                                          int* Features = nullptr);

} // namespace kartavo
