// kartavo calib info, pix2geo, geo2pix: a calibration file read as the map
// control reads it, then its conversions line by line.
#include "calib_commands.h"
#include "calib_report.h"
#include "cli.h"

#include "kartavo/framework/text_file.h"
#include "kartavo/geomap/calib_xml_reader.h"
#include "kartavo/geomap/detail/map_image_file.h"
#include "kartavo/geomap/detail/pixel_round.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <stdexcept>

namespace kcli {
namespace {
using namespace kartavo;

struct LoadedCalibration {
  TCalibModel Model = cmUndefined;
  TCalibData Data;
  TModelParams Pars;
  tessaro::TMatrix GratMat{5, 1};
  TGeoRef Ref() const { return {Model, Data, Pars, GratMat}; }
};

// The size of the map image named in the calibration, looked for beside the
// calibration file; 0 x 0 when it is not there.
void MapImageSize(const std::string& calibFile, const std::string& mapName, int& w, int& h) {
  w = h = 0;
  if (mapName.empty()) return;
  const auto path = std::filesystem::path(calibFile).parent_path() / mapName;
  if (!std::filesystem::is_regular_file(path)) return;
  if (auto img = ReadMapImageFile(path.string(), {})) {
    w = img->Width;
    h = img->Height;
  }
}

LoadedCalibration Load(const CalibFileArgs& args) {
  LoadedCalibration c;
  c.Data.UTMZone = -1;
  fw::TTextFile f;
  f.Reset(args.File);
  const bool found = ReadControlCalibration(
      TextFileLines(f), TextFileTags(f), args.Id, c.Data, c.Model,
      [&c] { ClearCalibRecord(c.Data); },
      [&args](const std::string& text) { return args.File + ": " + text; });
  if (!found)
    throw std::runtime_error(
        args.File + ": no calibration" +
        (args.Id.empty() ? std::string() : " with identifier \"" + args.Id + "\""));
  RecalcGratMat(c.Data, c.GratMat);
  int w = 0, h = 0;
  if (c.Model == cmConicConformal) MapImageSize(args.File, c.Data.MapFName, w, h);
  FitCalibration(c.Model, c.Data, w, h, c.Pars);
  return c;
}

// Two numbers of an input line, or an error naming the line.
void TwoNumbers(const std::string& line, int no, const char* what, double& a, double& b) {
  const auto f = SplitFields(line);
  if (f.size() != 2 || !ParseDouble(f[0], a) || !ParseDouble(f[1], b))
    throw std::runtime_error("line " + std::to_string(no) + ": expected \"" + what + "\", got \"" +
                             line + "\"");
}

std::string Pair(double a, double b, int decimals) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "%.*f %.*f", decimals, a, decimals, b);
  return buf;
}

void RequireUtmMap(const LoadedCalibration& c, const std::string& file) {
  if (c.Model != cmUTM) throw std::runtime_error(file + ": --utm needs a map calibrated by utm");
}

} // namespace

void RunCalibInfo(const CalibFileArgs& args) {
  const LoadedCalibration c = Load(args);
  PrintCalibReport(std::cout, c.Model, c.Data, CalibResiduals(c.Ref()));
}

void RunCalibPix2Geo(const CalibFileArgs& args) {
  const LoadedCalibration c = Load(args);
  if (args.Utm) RequireUtmMap(c, args.File);
  const TGeoRef ref = c.Ref();
  ForEachInputLine(args.Words, [&](const std::string& line, int no) {
    if (SplitFields(line).empty()) return;
    double x = 0, y = 0;
    TwoNumbers(line, no, "x y", x, y);
    const int px = RoundPixel(x), py = RoundPixel(y);
    if (args.Utm) {
      const TAffineParams& e = c.Pars.EquRectPLSP;
      std::cout << Pair(e(1, 1) + e(1, 2) * px + e(1, 3) * py,
                        e(2, 1) + e(2, 2) * px + e(2, 3) * py, 3)
                << '\n';
      return;
    }
    bool validLat = false, validLon = false;
    const double lat = CalcLatitude(ref, px, py, validLat);
    const double lon = CalcLongitude(ref, px, py, validLon);
    if (!validLat || !validLon)
      throw std::runtime_error("line " + std::to_string(no) +
                               ": the calibration gives no position for \"" + line + "\"");
    std::cout << Pair(lat, lon, 7) << '\n';
  });
}

void RunCalibGeo2Pix(const CalibFileArgs& args) {
  const LoadedCalibration c = Load(args);
  if (args.Utm) RequireUtmMap(c, args.File);
  const TGeoRef ref = c.Ref();
  ForEachInputLine(args.Words, [&](const std::string& line, int no) {
    if (SplitFields(line).empty()) return;
    double a = 0, b = 0;
    TwoNumbers(line, no, args.Utm ? "northing easting" : "lat lon", a, b);
    int x = 0, y = 0;
    const bool valid =
        args.Utm ? CalcPixelCoordsUTM(ref, a, b, x, y) : CalcPixelCoords(ref, a, b, x, y);
    if (!valid)
      throw std::runtime_error("line " + std::to_string(no) +
                               ": the calibration gives no pixel for \"" + line + "\"");
    std::cout << x << ' ' << y << '\n';
  });
}

} // namespace kcli
