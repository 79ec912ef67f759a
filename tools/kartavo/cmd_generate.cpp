// kartavo generate: a map made from a latitude/longitude box, with a
// labelled grid and the entries of a geographic database, written as a BMP
// picture and a calibration XML file that load into the map control.
#include "cli.h"
#include "db_open.h"
#include "generate_map.h"

#include <iostream>
#include <memory>

namespace kcli {
namespace {

void AddGenerateCommand(CLI::App& root) {
  auto q = std::make_shared<GenerateRequest>();
  auto box = std::make_shared<std::vector<double>>();
  auto grid = std::make_shared<std::vector<double>>();
  auto size = std::make_shared<std::string>();
  auto kinds = std::make_shared<std::string>();
  auto landmarks = std::make_shared<std::vector<std::string>>();
  auto* sub = root.add_subcommand(
      "generate", "Make a calibrated map of a latitude/longitude box: NAME.bmp and NAME.xml");
  sub->add_option("--box", *box, "South, west, north and east edges in degrees")
      ->expected(4)
      ->required();
  sub->add_option("--grid", *grid, "Grid spacing DLAT DLON in degrees (default: by the box)")
      ->expected(2);
  sub->add_option("--size", *size, "Picture size WxH (default: 1600 wide, height by the box)");
  auto* db = sub->add_option("--db", q->Database, "Geographic database to draw from")
                 ->transform(CLI::Validator(CheckDatabaseName, "DB"));
  sub->add_option("--kinds", *kinds,
                  "Kinds to draw, comma-separated: borders, towns, cities, lakes, rivers, roads, "
                  "routes (default: all)")
      ->needs(db);
  auto* png = sub->add_option("--png", q->Png, "Also write a rendering of the map as PNG");
  sub->add_option("--landmarks", *landmarks,
                  "Landmark XML file and optional data identifier, drawn on the --png rendering")
      ->expected(1, 2)
      ->needs(png);
  sub->add_option("-o,--output", q->Name, "NAME of the map: NAME.bmp and NAME.xml are written")
      ->required();
  sub->callback([=] {
    GenerateRequest r = *q;
    r.South = (*box)[0], r.West = (*box)[1], r.North = (*box)[2], r.East = (*box)[3];
    if (grid->size() == 2) {
      r.DLat = (*grid)[0], r.DLon = (*grid)[1];
      if (!(r.DLat > 0) || !(r.DLon > 0))
        throw CLI::ValidationError("--grid", "spacings must be positive");
    }
    if (!size->empty()) {
      char x = 0, rest = 0;
      if (std::sscanf(size->c_str(), "%d%c%d%c", &r.Width, &x, &r.Height, &rest) != 3 ||
          (x != 'x' && x != 'X') || r.Width < 100 || r.Height < 100)
        throw CLI::ValidationError("--size", "expected WxH, each at least 100: " + *size);
    }
    if (!kinds->empty()) r.Kinds = ParseFeatureKinds(*kinds);
    if (!landmarks->empty()) r.Landmarks = (*landmarks)[0];
    if (landmarks->size() == 2) r.LandmarksId = (*landmarks)[1];
    const GenerateReport rep = GenerateMapFiles(r);
    std::cout << "wrote " << rep.Bmp << " (" << rep.Width << " x " << rep.Height << " pixels, grid "
              << rep.DLat << " x " << rep.DLon << " degrees) and " << rep.Xml << '\n';
    if (!r.Database.empty()) {
      std::cout << "drew";
      for (size_t k = 0; k < rep.Drawn.size(); ++k)
        if (rep.Drawn[k] > 0) {
          const std::string kind(kartavo::GDB_ITEMNAMES[k]);
          std::cout << ' ' << rep.Drawn[k] << ' '
                    << (rep.Drawn[k] == 1 ? kind
                        : kind == "City"  ? "Cities"
                                          : kind + "s");
        }
      std::cout << '\n';
    }
    if (!r.Png.empty()) std::cout << "wrote " << r.Png << '\n';
  });
}

const CommandRegistrar registrar(62, AddGenerateCommand);

} // namespace
} // namespace kcli
