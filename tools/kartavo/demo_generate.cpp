// Demo section: maps generated from the demo's world database (country
// borders of Natural Earth, built by the database section, and the
// capitals of the country table added here): a world map with a 30-degree
// grid rendered with landmarks, and a map of Europe printed on one page of
// a PDF file at a map scale.
#include "cli.h"
#include "db_open.h"
#include "generate_map.h"
#include "print_map.h"

#include "kartavo/framework/date_time.h"
#include "kartavo/geobasics/country_table.h"
#include "kartavo/geodb/geo_db.h"
#include "kartavo/geomap/landmarks/landmark_xml.h"

#include <ostream>

namespace kcli {
namespace {
using namespace kartavo;
namespace fs = std::filesystem;

// The capitals become towns of the world database, so that generated maps
// draw them with the borders.
int AddCapitals(const std::string& world) {
  auto db = OpenDB(world, Access::Change);
  const fw::TDateTime now = fw::Now();
  int added = 0;
  for (const TCountryData& c : CountryData) {
    if (c.Capital.ToString().empty()) continue;
    db->AddTown(c.Capital.ToString(), now, 0,
                {static_cast<float>(c.CapLat), static_cast<float>(c.CapLong)},
                static_cast<float>(c.CapAlt), 1, 0);
    ++added;
  }
  return added;
}

struct City {
  const char* Name;
  double Lat, Lon;
};
// Large cities that are not capitals (the capitals are on the map already).
constexpr City kCities[] = {{"Shanghai", 31.23, 121.47},       {"Mumbai", 19.08, 72.88},
                            {"Karachi", 24.86, 67.01},         {"Istanbul", 41.01, 28.98},
                            {"São Paulo", -23.55, -46.63},     {"Lagos", 6.52, 3.38},
                            {"New York", 40.71, -74.01},       {"Los Angeles", 34.05, -118.24},
                            {"Sydney", -33.87, 151.21},        {"Osaka", 34.69, 135.50},
                            {"Johannesburg", -26.20, 28.05},   {"Milan", 45.46, 9.19},
                            {"Hamburg", 53.55, 9.99},          {"Barcelona", 41.39, 2.17},
                            {"Saint Petersburg", 59.93, 30.34}};

// The cities as landmarks: blue circles with captions.
void WriteCityLandmarks(const std::string& file) {
  std::vector<TLandMark> lms;
  for (const City& c : kCities) {
    TLandMark lm = DefaultLandMark();
    lm.Latitude = c.Lat;
    lm.Longitude = c.Lon;
    lm.Identifier = c.Name;
    lm.Caption.Text = c.Name;
    lm.Caption.FontName = "DejaVu Sans";
    lm.Caption.Size = 9;
    lm.Caption.FGColor = 0x800000;
    lm.Caption.Transparent = true;
    lm.SymbolProps.Kind = lmCircle;
    lm.SymbolProps.Size = 7;
    lm.SymbolProps.FGColor = 0xC00000;
    lms.push_back(lm);
  }
  SaveLandMarkFile(file, "cities", lms);
}

void GenerateDemo(std::ostream& out, const fs::path& dir) {
  const std::string world = (dir / "world").string() + ".orvgds";
  out << "added " << AddCapitals(world) << " capitals of the country table to " << world << '\n';
  const std::string cities = (dir / "world_cities.xml").string();
  WriteCityLandmarks(cities);

  GenerateRequest w;
  w.South = -90, w.West = -180, w.North = 90, w.East = 180;
  w.DLat = w.DLon = 30;
  w.Database = world;
  w.Kinds = {gitBorder, gitTown};
  w.Name = (dir / "world_map").string();
  w.Png = (dir / "world_map.png").string();
  w.Landmarks = cities;
  const GenerateReport wr = GenerateMapFiles(w);
  out << "generated " << wr.Bmp << " and " << wr.Xml << " (" << wr.Width << " x " << wr.Height
      << ", 30-degree grid): " << wr.Drawn[gitBorder] << " borders, " << wr.Drawn[gitTown]
      << " capitals; rendered with " << std::size(kCities) << " city landmarks to " << w.Png
      << '\n';

  GenerateRequest e = w;
  e.South = 34, e.West = -12, e.North = 62, e.East = 36;
  e.DLat = e.DLon = 5;
  e.Width = 1500, e.Height = 1000;
  e.Name = (dir / "europe_map").string();
  e.Png.clear();
  const GenerateReport er = GenerateMapFiles(e);
  RenderRequest view;
  view.Calibration = er.Xml;
  view.Landmarks = cities;
  view.Center = std::pair(48.0, 12.0);
  PrintRequest print;
  print.Pdf = (dir / "europe_print.pdf").string();
  print.Scale = 12500000;
  print.Ppi = 200;
  print.Paper = fw::PaperA4Landscape;
  PrintMapToPdf(view, print);
  out << "generated " << er.Bmp << " (" << er.Drawn[gitBorder] << " borders, " << er.Drawn[gitTown]
      << " capitals) and printed it at 1 : 12 500 000 on one A4 page: " << print.Pdf << '\n';
}

const DemoRegistrar demo(58, "Generated maps: a world map, and a region printed to PDF",
                         GenerateDemo);

} // namespace
} // namespace kcli
