// The subcommands of `kartavo calib`: reading calibration files (info,
// pix2geo, geo2pix) and fitting a calibration to control points (fit).
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace kcli {

struct CalibFileArgs {
  std::string File;
  std::string Id;
  std::pair<int, int> Size{0, 0}; // of the map image; 0 x 0: from the image named in the file
  bool Utm = false;
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
  bool Force = false; // write a fit the points cannot determine or do not match
};

void RunCalibInfo(const CalibFileArgs& args);
void RunCalibPix2Geo(const CalibFileArgs& args);
void RunCalibGeo2Pix(const CalibFileArgs& args);
void RunCalibFit(const CalibFitArgs& args);

} // namespace kcli
