// Shared helpers of the calibration file tests: a scratch folder, whole-file
// reads, and the calibration of the documented example text.
#pragma once

#include "../cli_run.h"
#include "kartavo/geomap/calib_records.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kartavo::testing {

// A folder of its own per test, removed at the end.
class TScratchDir {
public:
  TScratchDir() {
    static int counter = 0;
    FPath = std::filesystem::temp_directory_path() /
            ("kartavo-geomap-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    std::filesystem::remove_all(FPath);
    std::filesystem::create_directories(FPath);
  }
  ~TScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(FPath, ec);
  }
  TScratchDir(const TScratchDir&) = delete;
  TScratchDir& operator=(const TScratchDir&) = delete;
  std::string File(const std::string& name) const { return (FPath / name).string(); }
  const std::filesystem::path& Path() const { return FPath; }

private:
  std::filesystem::path FPath;
};

inline std::string ReadBytes(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary);
  out << bytes;
}

// The kartavo program and shell lines run as a user runs them.
using TRun = clitest::CliResult;
using clitest::RunCliLine;
using clitest::RunCommand;

// Joins lines, each ended by the given line break.
inline std::string JoinLines(const std::vector<std::string>& lines, const std::string& eol) {
  std::string out;
  for (const auto& l : lines)
    out += l + eol;
  return out;
}

// A calibration record of a map of w x h pixels by its four corners,
// north-west at the top-left: latitudes and longitudes, or with a UTM zone
// northings and eastings.
inline TCalibData CornerCalibration(double north, double west, double south, double east, int w,
                                    int h, int utmZone = -1) {
  TCalibData cd;
  cd.UTMZone = utmZone;
  cd.NumCalQuads = 4;
  cd.CalQuads[1] = {north, west, 0, 0};
  cd.CalQuads[2] = {north, east, w, 0};
  cd.CalQuads[3] = {south, west, 0, h};
  cd.CalQuads[4] = {south, east, w, h};
  return cd;
}

// The cmUTM calibration of the documented example (model cmUTM, id "alps").
inline TCalibData ExampleCalibration() {
  TCalibData cd;
  cd.MapFName = "alps.bmp";
  cd.Caption = "Alps";
  cd.Corners = {TCoords{48, 6}, TCoords{44, 6}, TCoords{44, 12}, TCoords{48, 12}};
  cd.Resolution = 625.871;
  cd.UTMZone = 32;
  cd.UTMSouth = false;
  cd.Ellipsoid = gelWGS84;
  cd.NumCalLines = 1;
  cd.CalLines[1].LineType = gtlParallel;
  cd.CalLines[1].LineValue = 47.5;
  cd.CalLines[1].NumPoints = 3;
  cd.CalLines[1].CalPoints[1] = {10, 20};
  cd.CalLines[1].CalPoints[2] = {500, 25};
  cd.CalLines[1].CalPoints[3] = {990, 20};
  cd.NumCalQuads = 2;
  cd.CalQuads[1] = {5206000, 300000, 100, 200};
  cd.CalQuads[2] = {4985000, 760000, 900, 800};
  return cd;
}

inline const std::vector<std::string>& ExampleLines() {
  static const std::vector<std::string> lines = {
      "<?xml version=\"1.0\"?>",
      "",
      "<!-- TGeoMap Calibration / ORV Component Suite -->",
      "<geomap sig=\"ORVCSuite\" vers=\"1.0\" id=\"alps\" model=\"utm\" map=\"alps.bmp\" "
      "caption=\"Alps\">",
      "<corners>",
      "[48.00000,6.00000] [44.00000,6.00000] [44.00000,12.00000] [48.00000,12.00000] ",
      "</corners>",
      "<resolution>625.871</resolution>",
      "<utmzone>32</utmzone>",
      "<utmsouth>FALSE</utmsouth>",
      "<ellipsoid>gelWGS84</ellipsoid>",
      "<calline type=\"parallel\" value=\"47.5\" npoints=\"3\">",
      "[10,20] [500,25] [990,20] ",
      "</calline>",
      "<calquads npoints=\"2\">",
      "[5206000.00000,300000.00000,100,200] [4985000.00000,760000.00000,900,800] ",
      "</calquads>",
      "</geomap>"};
  return lines;
}

} // namespace kartavo::testing
