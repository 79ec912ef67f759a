// kartavo calib export: a calibration file for other georeferencing tools, as
// a world file beside the map image or as a GDAL virtual raster with the
// calibration points as ground control points.
#include "calib_commands.h"
#include "calib_load.h"
#include "cli.h"

#include "kartavo/geomap/georef/gdal_vrt.h"
#include "kartavo/geomap/georef/georef_crs.h"
#include "kartavo/geomap/georef/world_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>

namespace kcli {
using namespace kartavo;

namespace {

std::string Fixed(double v, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  return buf;
}

// The map image the calibration names, beside the calibration file.
std::string MapImagePath(const CalibFileArgs& file, const LoadedCalibration& c) {
  if (c.Data.MapFName.empty()) return {};
  return (std::filesystem::path(file.File).parent_path() / c.Data.MapFName).string();
}

void PrintCrs(const TGeorefCrs& crs) {
  std::cout << "crs          " << crs.Label
            << (crs.Utm ? " (X easting, Y northing)" : " (X longitude, Y latitude)") << '\n';
}

void ExportWorldFile(const CalibExportArgs& args, const LoadedCalibration& c) {
  if (c.Width < 1)
    throw std::runtime_error(args.File.File +
                             ": the world file needs the map image's size: give --size W H");
  std::string out = args.WorldFile;
  if (out.empty()) {
    const std::string image = MapImagePath(args.File, c);
    if (image.empty())
      throw std::runtime_error(args.File.File +
                               ": the calibration names no map image: give --worldfile OUT");
    out = WorldFileName(image);
  }
  const TAffineGeoref g = CalcAffineGeoref(c.Ref(), c.Width, c.Height);
  const TGeorefCrs crs = CalibrationCrs(c.Model, c.Data);
  std::ofstream f(out, std::ios::binary);
  f << WorldFileText(g);
  f.close();
  if (!f) throw std::runtime_error("cannot write " + out);
  std::cout << "world file   " << out << '\n';
  PrintCrs(crs);
  if (g.Exact)
    std::cout << "affine       exact: the model is affine\n";
  else
    std::cout << "affine       best fit to the model: rms " << Fixed(g.RmsPixels, 3) << " pixels ("
              << Fixed(g.RmsMetres, 1) << " m), largest " << Fixed(g.MaxPixels, 3) << " pixels\n";
}

void ExportVrt(const CalibExportArgs& args, const LoadedCalibration& c) {
  const std::string image = MapImagePath(args.File, c);
  if (image.empty() || !std::filesystem::is_regular_file(image))
    throw std::runtime_error(
        args.File.File + ": the VRT shows the map image, and " +
        (image.empty() ? std::string("the calibration names none") : image + " is not there"));
  const int gcps = WriteGdalVrt(args.Vrt, image, c.Ref());
  std::cout << "vrt          " << args.Vrt << " (" << gcps << " ground control points on " << image
            << ")\n";
  PrintCrs(CalibrationCrs(c.Model, c.Data));
}

} // namespace

void RunCalibExport(const CalibExportArgs& args) {
  if (args.WantWorldFile == !args.Vrt.empty())
    throw CLI::ValidationError("export", "give one of --worldfile and --vrt OUT");
  const LoadedCalibration c = LoadCalibration(args.File);
  if (c.Model == cmUndefined)
    throw std::runtime_error(args.File.File + ": the calibration has no model (undefined)");
  if (args.WantWorldFile)
    ExportWorldFile(args, c);
  else
    ExportVrt(args, c);
}

} // namespace kcli
