// kartavo calib import-points: the control points of a QGIS georeferencer
// ".points" file fitted like `calib fit` fits its points, and written as a
// calibration file.
#include "calib_commands.h"
#include "cli.h"

#include "kartavo/geomap/georef/qgis_points.h"

#include <cstdio>
#include <filesystem>
#include <iostream>

namespace kcli {
using namespace kartavo;

namespace {

// The georeferencer names its file after the image: "alps.jpg.points".
std::string ImageNameOfPointsFile(const std::string& path) {
  const std::filesystem::path p(path);
  if (p.extension() != ".points") return {};
  const std::filesystem::path image = p.stem();
  return image.has_extension() ? image.string() : std::string();
}

} // namespace

void RunCalibImportPoints(const CalibFitArgs& args) {
  const TCalibModel model = FitModel(args.Model);
  TPointsImport options;
  options.Model = model;
  options.Width = args.Size.first;
  options.Height = args.Size.second;
  if (!args.Utm.empty()) ParseZone(args.Utm, options.UTMZone, options.UTMSouth);

  const TGeorefPointsFile file = ReadGeorefPointsFile(args.Points);
  TCalibData cd;
  cd.UTMZone = -1;
  cd.MapFName = args.Map.empty() ? ImageNameOfPointsFile(args.Points) : args.Map;
  cd.Caption = args.Caption;
  const TPointsImportResult r = GeorefPointsToCalibration(file, args.Points, options, cd);
  std::cout << "imported     " << r.Used << " points";
  if (r.Disabled > 0) std::cout << " (" << r.Disabled << " switched off in the file left out)";
  if (r.Converted) std::cout << ", UTM coordinates converted to latitude and longitude";
  char moved[32];
  std::snprintf(moved, sizeof moved, "%.3f", r.MaxRounding);
  std::cout << "\nrounding     to whole pixels moved points by up to " << moved << " pixels\n";
  FitAndWrite("calib import-points", args, model, cd);
}

} // namespace kcli
