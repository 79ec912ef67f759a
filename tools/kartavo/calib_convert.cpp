// kartavo calib info, pix2geo, geo2pix: a calibration file read as the map
// control reads it, then its conversions line by line, in fractional pixels.
#include "calib_commands.h"
#include "calib_diagnostics_report.h"
#include "calib_load.h"
#include "calib_report.h"
#include "cli.h"
#include "line_stream.h"

#include "kartavo/geomap/geo_conversion.h"

#include <cmath>
#include <iostream>
#include <stdexcept>

namespace kcli {
namespace {
using namespace kartavo;

// Pixels the integer interface of the map control can hold; anything
// beyond lies on no map and is refused rather than clamped.
constexpr double PixelLimit = 2147483647.0;

std::string ReadTwo(const LineFields& f, const char* what, double& a, double& b) {
  if (f.size() != 2 || !ParseNumber(f[0], a) || !ParseNumber(f[1], b))
    return std::string("expected \"") + what + "\"";
  return {};
}

bool PixelInRange(double x, double y) {
  return std::fabs(x) <= PixelLimit && std::fabs(y) <= PixelLimit;
}

void WritePair(OutputBuffer& out, double a, double b, int decimals) {
  out.Fixed(a, decimals);
  out.Put(' ');
  out.Fixed(b, decimals);
}

void RequireUtmMap(const LoadedCalibration& c, const std::string& file) {
  if (c.Model != cmUTM) throw std::runtime_error(file + ": --utm needs a map calibrated by utm");
}

std::string PixelToGeoLine(const CalibFileArgs& args, const TGeoRef& ref, const LineFields& f,
                           OutputBuffer& out) {
  double x = 0, y = 0;
  if (std::string error = ReadTwo(f, "x y", x, y); !error.empty()) return error;
  if (!PixelInRange(x, y)) return "pixel outside -2147483647 ... 2147483647";
  double a = 0, b = 0;
  const bool valid =
      args.Utm ? CalcUTMOfPixel(ref, x, y, a, b) : CalcPositionOfPixel(ref, x, y, a, b);
  if (!valid) return "the calibration gives no position for this pixel";
  WritePair(out, a, b, args.Utm ? 3 : 7);
  return {};
}

std::string GeoToPixelLine(const CalibFileArgs& args, const TGeoRef& ref, const LineFields& f,
                           OutputBuffer& out) {
  double a = 0, b = 0;
  if (std::string error = ReadTwo(f, args.Utm ? "northing easting" : "lat lon", a, b);
      !error.empty())
    return error;
  double x = 0, y = 0;
  const bool valid =
      args.Utm ? CalcPixelOfUTM(ref, a, b, x, y) : CalcPixelOfPosition(ref, a, b, x, y);
  if (!valid) return "the calibration gives no pixel for this position";
  if (!PixelInRange(x, y)) return "the pixel lies beyond -2147483647 ... 2147483647";
  WritePair(out, x, y, 3);
  return {};
}

using TLineConversion = std::string (*)(const CalibFileArgs&, const TGeoRef&, const LineFields&,
                                        OutputBuffer&);

// Converts every line of the input (or the one given as words) through the
// calibration the arguments name.
void ConvertWithCalibration(const CalibFileArgs& args, const char* command,
                            TLineConversion convert) {
  const LoadedCalibration c = LoadCalibration(args);
  if (args.Utm) RequireUtmMap(c, args.File);
  const TGeoRef ref = c.Ref();
  ConvertLines({command, "* *"}, args.Words,
               [&](const LineFields& f, OutputBuffer& out) { return convert(args, ref, f, out); });
}

} // namespace

void RunCalibInfo(const CalibFileArgs& args) {
  const LoadedCalibration c = LoadCalibration(args);
  PrintCalibReport(std::cout, c.Model, c.Data, CalibResiduals(c.Ref()));
  if (args.Residuals) PrintResiduals(std::cout, c.Ref(), DiagnoseCalibration(c.Ref()));
}

void RunCalibPix2Geo(const CalibFileArgs& args) {
  ConvertWithCalibration(args, "calib pix2geo", PixelToGeoLine);
}

void RunCalibGeo2Pix(const CalibFileArgs& args) {
  ConvertWithCalibration(args, "calib geo2pix", GeoToPixelLine);
}

} // namespace kcli
