// Reading the text of a ".points" file: the coordinate system line, the
// header naming the columns, and one control point a line.
#include "kartavo/geomap/georef/detail/field_text.h"
#include "kartavo/geomap/georef/qgis_points.h"
#include "kartavo/package/exceptions.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <istream>

namespace kartavo {
namespace {
using namespace georef;

// No georeferencing needs more; a larger file is damaged or not ours.
constexpr size_t MaxPointLines = 100000;
constexpr size_t MaxLineLength = 1 << 20;

enum TColumn : size_t { colMapX, colMapY, colPixelX, colPixelY, colEnable, colCount };

// Where each column stands in a line; the file's header may reorder them.
struct TColumns {
  std::array<int, colCount> At = {0, 1, 2, 3, 4};
  size_t Needed = 4; // fields a point line must have
};

[[noreturn]] void Fail(const std::string& name, int line, const std::string& reason) {
  throw EORVGeoMapError(name + " line " + std::to_string(line) + ": " + reason);
}

int ColumnOf(const std::string& upperName) {
  static const std::array<std::pair<const char*, TColumn>, 8> names = {{{"MAPX", colMapX},
                                                                        {"MAPY", colMapY},
                                                                        {"SOURCEX", colPixelX},
                                                                        {"PIXELX", colPixelX},
                                                                        {"SOURCEY", colPixelY},
                                                                        {"PIXELY", colPixelY},
                                                                        {"ENABLE", colEnable},
                                                                        {"ENABLED", colEnable}}};
  for (const auto& [text, column] : names)
    if (upperName == text) return column;
  return -1;
}

TColumns ReadHeader(std::string_view line, const std::string& name, int no) {
  TColumns c;
  c.At.fill(-1);
  const auto fields = SplitFields(line, ',');
  for (size_t i = 0; i < fields.size(); ++i) {
    const int column = ColumnOf(Upper(fields[i]));
    if (column >= 0 && c.At[static_cast<size_t>(column)] < 0)
      c.At[static_cast<size_t>(column)] = static_cast<int>(i);
  }
  static const std::array<const char*, 4> required = {"mapX", "mapY", "sourceX (or pixelX)",
                                                      "sourceY (or pixelY)"};
  c.Needed = 0;
  for (size_t k = 0; k < colCount; ++k) {
    if (c.At[k] < 0 && k < required.size())
      Fail(name, no,
           std::string("the header names no column ") + required[k] + ": " + Quoted(line));
    if (c.At[k] >= 0) c.Needed = std::max(c.Needed, static_cast<size_t>(c.At[k]) + 1);
  }
  return c;
}

bool ReadEnable(std::string_view text, bool& enabled) {
  const std::string upper = Upper(Trim(text));
  const bool on = upper == "1" || upper == "TRUE";
  if (!on && upper != "0" && upper != "FALSE") return false;
  enabled = on;
  return true;
}

TGeorefPoint ReadPoint(std::string_view line, const TColumns& c, const std::string& name, int no) {
  const auto fields = SplitFields(line, ',');
  if (fields.size() < c.Needed)
    Fail(name, no,
         "expected " + std::to_string(c.Needed) + " comma-separated fields, got " +
             std::to_string(fields.size()) + ": " + Quoted(line));
  TGeorefPoint p;
  p.Line = no;
  static const std::array<const char*, 4> what = {"mapX", "mapY", "sourceX", "sourceY"};
  std::array<double, 4> v{};
  for (size_t k = 0; k < v.size(); ++k)
    if (!ParseFiniteNumber(fields[static_cast<size_t>(c.At[k])], v[k]))
      Fail(name, no,
           std::string(what[k]) +
               " is no finite number: " + Quoted(fields[static_cast<size_t>(c.At[k])]));
  p.MapX = v[0];
  p.MapY = v[1];
  p.PixelX = v[2];
  p.PixelY = v[3] == 0 ? 0.0 : -v[3]; // rows count upwards in the file
  // Files without a header may leave the enable column out.
  const bool hasEnable =
      c.At[colEnable] >= 0 && static_cast<size_t>(c.At[colEnable]) < fields.size();
  if (hasEnable && !ReadEnable(fields[static_cast<size_t>(c.At[colEnable])], p.Enabled))
    Fail(name, no,
         "enable must be 0 or 1, got " + Quoted(fields[static_cast<size_t>(c.At[colEnable])]));
  return p;
}

bool StartsWithLetter(std::string_view line) {
  const char c = line.empty() ? '\0' : line.front();
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

TGeorefPointsFile ReadGeorefPoints(std::istream& In, const std::string& Name) {
  TGeorefPointsFile file;
  TColumns columns;
  bool started = false; // header or first point seen
  std::string raw;
  for (int no = 1; std::getline(In, raw); ++no) {
    if (raw.size() > MaxLineLength) Fail(Name, no, "line longer than 1 MiB");
    const std::string_view line = Trim(raw);
    if (line.empty()) continue;
    if (line.front() == '#') {
      if (Upper(line.substr(0, 5)) == "#CRS:") {
        if (started) Fail(Name, no, "the #CRS: line must come before the points");
        file.Crs = RecognizePointsCrs(std::string(line.substr(5)));
      }
      continue;
    }
    if (!started && StartsWithLetter(line)) {
      columns = ReadHeader(line, Name, no);
      started = true;
      continue;
    }
    started = true;
    if (file.Points.size() == MaxPointLines)
      Fail(Name, no, "more than " + std::to_string(MaxPointLines) + " points");
    file.Points.push_back(ReadPoint(line, columns, Name, no));
  }
  if (In.bad()) throw EORVGeoMapError(Name + ": read error");
  return file;
}

TGeorefPointsFile ReadGeorefPointsFile(const std::string& Path) {
  std::ifstream in(Path, std::ios::binary);
  if (!in) throw EORVGeoMapError("cannot open " + Path);
  return ReadGeorefPoints(in, Path);
}

} // namespace kartavo
