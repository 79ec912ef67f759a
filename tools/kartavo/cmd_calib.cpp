// kartavo calib: calibration files of raster maps, in the manner of GDAL's
// gdaltransform.
#include "calib_commands.h"
#include "cli.h"

#include <memory>

namespace kcli {
namespace {

// "--size 600 400" or "--size 600,400".
CLI::Option* AddSize(CLI::App* sub, std::pair<int, int>& size, const char* help) {
  return sub->add_option("--size", size, help)->delimiter(',')->check(CLI::Range(1, 1000000));
}

void AddFileArgs(CLI::App* sub, CalibFileArgs& a, const char* coords) {
  sub->add_option("FILE", a.File, "Calibration XML file")->required();
  sub->add_option("ID", a.Id, "Data identifier of the calibration (default: the first one)");
  AddSize(sub, a.Size,
          "Width and height of the map image (W H or W,H); without it the image the "
          "calibration names is looked for beside the file. The conic fit depends on it");
  if (coords) sub->add_option("--at", a.Words, coords)->expected(0, -1);
}

void AddCalibCommand(CLI::App& root) {
  auto* calib = root.add_subcommand("calib", "Calibration files of raster maps");
  calib->require_subcommand(1);

  auto info = std::make_shared<CalibFileArgs>();
  auto* sub = calib->add_subcommand(
      "info", "Model, map, caption, corners, resolution, UTM zone, points and quality");
  AddFileArgs(sub, *info, nullptr);
  sub->add_flag("--residuals", info->Residuals,
                "Every calibration point's residual in pixels and metres, the RMS over the "
                "degrees of freedom, the largest residual and contradicting points");
  sub->callback([info] { RunCalibInfo(*info); });

  auto p2g = std::make_shared<CalibFileArgs>();
  sub = calib->add_subcommand(
      "pix2geo",
      "Map-image pixels \"x y\" (fractions allowed; standard input) to \"lat lon\" lines");
  AddFileArgs(sub, *p2g, "One pixel \"x y\" instead of standard input");
  sub->add_flag("--utm", p2g->Utm, "Write \"northing easting\" in the map's zone (UTM maps)");
  sub->callback([p2g] { RunCalibPix2Geo(*p2g); });

  auto g2p = std::make_shared<CalibFileArgs>();
  sub = calib->add_subcommand(
      "geo2pix", "Positions \"lat lon\" (standard input) to fractional map-image pixels \"x y\"");
  AddFileArgs(sub, *g2p, "One position instead of standard input");
  sub->add_flag("--utm", g2p->Utm, "Read \"northing easting\" in the map's zone (UTM maps)");
  sub->callback([g2p] { RunCalibGeo2Pix(*g2p); });

  auto fit = std::make_shared<CalibFitArgs>();
  sub = calib->add_subcommand(
      "fit", "Fit a calibration to control points \"lat lon x y\" and write its XML file");
  auto* model = sub->add_option(
      "--model", fit->Model, "biquadraticpn, conicconformal, millercylindrical, equirect or utm");
  AddSize(sub, fit->Size, "Width and height of the map image in pixels (W H or W,H)")->required();
  sub->add_option("POINTS", fit->Points, "File of control points (default: standard input)");
  auto* output =
      sub->add_option("-o,--output", fit->Output, "Write the calibration to this XML file");
  auto* compare = sub->add_flag("--compare", fit->Compare,
                                "Fit every model the points allow and print a table of their RMS "
                                "residuals instead of writing a calibration");
  compare->excludes(model)->excludes(output);
  sub->callback([fit, model, compare] {
    if (compare->count() == 0 && model->count() == 0)
      throw CLI::RequiredError("--model (or --compare)");
    RunCalibFit(*fit);
  });
  sub->add_option("--utm", fit->Utm,
                  "Points are \"northing easting x y\" in this zone, e.g. 32N or 33S");
  sub->add_option("--id", fit->Id, "Data identifier written to the file")->capture_default_str();
  sub->add_option("--map", fit->Map, "Map image file name written to the file");
  sub->add_option("--caption", fit->Caption, "Caption written to the file");
  sub->add_flag("--force", fit->Force,
                "Write the calibration even when the points cannot determine the model or the "
                "fit misses them by more than a twentieth of the image (a warning instead of "
                "exit status 1)");

  auto imp = std::make_shared<CalibFitArgs>();
  sub = calib->add_subcommand(
      "import-points",
      "Fit a calibration to the control points of a QGIS georeferencer .points file");
  sub->add_option("FILE", imp->Points, "The .points file")->required();
  sub->add_option("--model", imp->Model,
                  "biquadraticpn, conicconformal, millercylindrical, equirect or utm")
      ->required();
  AddSize(sub, imp->Size, "Width and height of the map image in pixels (W H or W,H)")->required();
  sub->add_option("-o,--output", imp->Output, "Write the calibration to this XML file");
  sub->add_option("--utm", imp->Utm,
                  "The file's coordinates are UTM easting/northing in this zone, e.g. 32N (when "
                  "the file does not state its coordinate system)");
  sub->add_option("--id", imp->Id, "Data identifier written to the file")->capture_default_str();
  sub->add_option("--map", imp->Map,
                  "Map image file name written to the file (default: FILE without .points when "
                  "that names an image, as the georeferencer names it)");
  sub->add_option("--caption", imp->Caption, "Caption written to the file");
  sub->add_flag("--force", imp->Force,
                "Write the calibration even when the points cannot determine the model or the "
                "fit misses them by more than a twentieth of the image");
  sub->callback([imp] { RunCalibImportPoints(*imp); });

  auto exp = std::make_shared<CalibExportArgs>();
  sub = calib->add_subcommand(
      "export", "A world file or a GDAL VRT with ground control points for a calibration");
  AddFileArgs(sub, exp->File, nullptr);
  auto* world = sub->add_option("--worldfile", exp->WorldFile,
                                "Write a world file: OUT, or beside the map image (.jgw, .pgw, "
                                ".bpw, ... by its extension, .wld for others)")
                    ->expected(0, 1);
  sub->add_option("--vrt", exp->Vrt,
                  "Write a GDAL VRT of the map image with the calibration points as GCPs");
  sub->callback([exp, world] {
    exp->WantWorldFile = world->count() > 0;
    RunCalibExport(*exp);
  });
}

const CommandRegistrar registrar(50, AddCalibCommand);

} // namespace
} // namespace kcli
