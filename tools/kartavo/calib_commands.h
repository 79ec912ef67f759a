// The subcommands of `kartavo calib`: reading calibration files (info,
// pix2geo, geo2pix) and fitting a calibration to control points (fit).
#pragma once

#include "kartavo/geomap/calib_records.h"

#include <string>
#include <utility>
#include <vector>

namespace kcli {

struct CalibFileArgs {
  std::string File;
  std::string Id;
  std::pair<int, int> Size{0, 0}; // of the map image; 0 x 0: from the image named in the file
  bool Utm = false;
  bool Residuals = false;         // info: every point's residual
  std::vector<std::string> Words; // coordinates given on the command line
};

struct CalibFitArgs {
  std::string Model;
  std::pair<int, int> Size{0, 0}; // width, height
  std::string Points;             // file of control points; "-" or empty: standard input
  std::string Output;
  std::string Utm; // zone and hemisphere letter, e.g. "32N"
  std::string Id = "map";
  std::string Map;
  std::string Caption;
  bool Force = false;   // write a fit the points cannot determine or do not match
  bool Compare = false; // fit every model the points allow and print their residuals
};

struct CalibExportArgs {
  CalibFileArgs File;
  bool WantWorldFile = false;
  std::string WorldFile; // empty: beside the map image
  std::string Vrt;
};

// The point-based model of this name; a usage error for any other.
kartavo::TCalibModel FitModel(const std::string& name);
// "32N" or "33s": the zone 1..60 and whether it lies south (a usage error
// naming --utm otherwise).
void ParseZone(const std::string& text, int& zone, bool& south);
// A doubt about a fit: refused (raised), or with force reported on standard
// error and passed.
void Doubt(const std::string& command, const std::string& reason, bool force);
// Checks that the points of cd determine the model, fits it for the image
// size of args, prints the report, checks the fit and writes the XML file
// args.Output (when given) with args.Id.
void FitAndWrite(const std::string& command, const CalibFitArgs& args, kartavo::TCalibModel model,
                 kartavo::TCalibData& cd);

void RunCalibInfo(const CalibFileArgs& args);
void RunCalibPix2Geo(const CalibFileArgs& args);
void RunCalibGeo2Pix(const CalibFileArgs& args);
void RunCalibFit(const CalibFitArgs& args);
void RunCalibImportPoints(const CalibFitArgs& args);
void RunCalibExport(const CalibExportArgs& args);

} // namespace kcli
