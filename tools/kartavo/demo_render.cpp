// Demo section: the maps of the demo rendered as the map control shows them
// (graticule and calibration points, a UTM grid, landmarks with captions, a
// trace), written as PNG pictures beside the other files.
#include "cli.h"
#include "render_map.h"

#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/jpeg_codec.h"
#include "kartavo/framework/png_codec.h"
#include "kartavo/framework/text_file.h"
#include "kartavo/geomap/calib_fits.h"
#include "kartavo/geomap/calib_xml.h"
#include "kartavo/geomap/geo_conversion.h"
#include "kartavo/geomap/landmarks/landmark_xml.h"

#include <cmath>
#include <fstream>
#include <ostream>

namespace kcli {
namespace {
using namespace kartavo;
namespace fs = std::filesystem;

struct Town {
  const char* Name;
  double Lat, Lon;
};
constexpr Town kTowns[] = {
    {"Geneva", 46.2044, 6.1432},   {"Bern", 46.9480, 7.4474},     {"Zurich", 47.3769, 8.5417},
    {"Lugano", 46.0037, 8.9511},   {"Turin", 45.0703, 7.6869},    {"Milan", 45.4642, 9.1900},
    {"Verona", 45.4384, 10.9916},  {"Bolzano", 46.4983, 11.3548}, {"Innsbruck", 47.2692, 11.4041},
    {"Chamonix", 45.9237, 6.8694}, {"Lucerne", 47.0502, 8.3093},  {"Zug", 47.1662, 8.5155}};

void WriteLandmarks(const std::string& file) {
  std::vector<TLandMark> lms;
  for (size_t i = 0; i < std::size(kTowns); ++i) {
    TLandMark lm = DefaultLandMark();
    lm.Latitude = kTowns[i].Lat;
    lm.Longitude = kTowns[i].Lon;
    lm.Identifier = kTowns[i].Name;
    lm.Caption.Text = kTowns[i].Name;
    lm.Caption.FontName = "DejaVu Sans";
    lm.Caption.Size = 9;
    lm.Caption.Transparent = false;
    lm.SymbolProps.Kind = i % 3 == 0 ? lmCircle : (i % 3 == 1 ? lmSquare : lmCross);
    lm.SymbolProps.Size = 5;
    lm.SymbolProps.FGColor = 0x0000C0;
    lms.push_back(lm);
  }
  SaveLandMarkFile(file, "towns", lms);
}

// A journey Geneva - Bern - Zurich, then a second stroke Milan - Verona.
void WriteTrace(const std::string& file) {
  std::ofstream f(file);
  f << "# lat lon, an empty line ends a stroke\n";
  f << "46.2044 6.1432\n46.5197 6.6323\n46.9480 7.4474\n47.3769 8.5417\n\n";
  f << "45.4642 9.1900\n45.5 10.0\n45.4384 10.9916\n";
}

// A 600 x 600 picture around Zurich, 100 m a pixel, calibrated in UTM zone
// 32 north by its four corners (eastings 430 to 490 km, northings 5200 to
// 5260 km). Dark lines every 5 km are drawn into the picture: the rendered
// UTM grid must lie on them.
void WriteUTMMap(const fs::path& dir) {
  fw::TPixelImage img;
  img.Width = img.Height = 600;
  img.Format = fw::pf24bit;
  img.Bits.assign(static_cast<size_t>(img.Stride() * 600), 0);
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 600; ++x) {
      uint8_t* p = img.Row(y) + 3 * x;
      const bool line = x % 50 == 0 || y % 50 == 0;
      const double lake = std::hypot((x - 380) / 60.0, (y - 330) / 25.0);
      p[0] = line ? 60 : (lake < 1 ? 210 : uint8_t(150 + y / 12));
      p[1] = line ? 60 : (lake < 1 ? 150 : uint8_t(190 + x / 20));
      p[2] = line ? 60 : (lake < 1 ? 90 : uint8_t(140 + (x + y) / 30));
    }
  fw::WritePngFile((dir / "utm_demo.png").string(), img);
  TCalibData cd;
  cd.MapFName = "utm_demo.png";
  cd.Caption = "Around Zurich, UTM 32N (demo)";
  cd.UTMZone = 32;
  cd.NumCalQuads = 4;
  cd.CalQuads[1] = {5260000, 430000, 0, 0};
  cd.CalQuads[2] = {5260000, 490000, 600, 0};
  cd.CalQuads[3] = {5200000, 430000, 0, 600};
  cd.CalQuads[4] = {5200000, 490000, 600, 600};
  TModelParams pars;
  tessaro::TMatrix grat(5, 1);
  CalcEquiRectCalibration(cd, pars);
  CalcExtentsAndResolution({cmUTM, cd, pars, grat}, 600, 600, cd.Corners, cd.Resolution);
  fw::TTextFile f;
  f.Rewrite((dir / "utm_demo.xml").string());
  WriteRawCalDataToOpenXMLFile(f, true, "utm", cd, cmUTM);
  f.Close();
}

// A 1000 x 750 picture of a conic projection (parallels are circles about an
// apex above the map, meridians rays from it) with its whole-degree lines
// drawn in, calibrated as a conic map from 20 points read off the picture:
// the rendered graticule must lie on the drawn lines.
constexpr double ConicApexX = 450, ConicApexY = -3000;
double ConicLat(double x, double y) {
  return 70 - 0.004 * std::hypot(x - ConicApexX, y - ConicApexY);
}
double ConicLong(double x, double y) {
  return 12 + 25 * std::atan((x - ConicApexX) / (y - ConicApexY));
}

void WriteConicMap(const fs::path& dir) {
  fw::TBitmap pic;
  pic.SetSize(1000, 750);
  for (int y = 0; y < 750; ++y)
    for (int x = 0; x < 1000; ++x) {
      const double la = ConicLat(x, y), lo = ConicLong(x, y);
      const double fla = la - std::floor(la), flo = lo - std::floor(lo);
      const bool line = fla < 0.008 || fla > 0.992 || flo < 0.012 || flo > 0.988;
      pic.Canvas()->SetPixels(x, y, line ? 0x303030 : 0xD8E8F0);
    }
  fw::WritePngFile((dir / "conic_demo.png").string(), pic.PixelImage());
  TCalibData cd;
  cd.MapFName = "conic_demo.png";
  cd.Caption = "Conic projection (demo)";
  cd.UTMZone = -1;
  for (int i = 0; i < 5; ++i)
    for (int j = 0; j < 4; ++j) {
      const int x = 50 + i * 225, y = 40 + j * 220;
      cd.CalQuads[++cd.NumCalQuads] = {ConicLat(x, y), ConicLong(x, y), x, y};
    }
  TModelParams pars;
  tessaro::TMatrix grat(5, 1);
  CalcConicCalibration(cd, 1000, 750, pars);
  CalcExtentsAndResolution({cmConicConformal, cd, pars, grat}, 1000, 750, cd.Corners,
                           cd.Resolution);
  fw::TTextFile f;
  f.Rewrite((dir / "conic_demo.xml").string());
  WriteRawCalDataToOpenXMLFile(f, true, "conic", cd, cmConicConformal);
  f.Close();
}

void RenderDemo(std::ostream& out, const fs::path& dir) {
  const std::string towns = (dir / "towns.xml").string(), trace = (dir / "journey.txt").string();
  WriteLandmarks(towns);
  WriteTrace(trace);
  WriteUTMMap(dir);
  WriteConicMap(dir);
  struct Picture {
    const char* File;
    const char* What;
    RenderRequest Request;
  };
  RenderRequest alps;
  alps.Calibration = (dir / "alps_demo.xml").string();
  alps.Graticule = "both";
  alps.GratDist = 0.5;
  alps.Landmarks = towns;
  alps.Trace = trace;
  alps.AntiAlias = true;
  alps.Frame = 5;
  RenderRequest zoomed = alps;
  zoomed.Width = 600;
  zoomed.Height = 400;
  zoomed.Zoom = 2.5;
  zoomed.Center = std::pair(46.95, 7.45);
  zoomed.GratDist = 0.1;
  zoomed.Graticule = "lines";
  RenderRequest utm;
  utm.Calibration = (dir / "utm_demo.xml").string();
  utm.Graticule = "points+utm";
  utm.UTMDist = 5000;
  utm.Landmarks = towns;
  RenderRequest conic;
  conic.Calibration = (dir / "conic_demo.xml").string();
  conic.Graticule = "both";
  conic.GratDist = 1;
  const Picture pictures[] = {
      {"alps_render.png", "graticule every 0.5 degree, calibration points, towns, a journey", alps},
      {"alps_bern.png", "zoomed in 2.5 times on Bern, graticule every 0.1 degree", zoomed},
      {"utm_render.png", "UTM grid every 5 km, calibration points, towns", utm},
      {"conic_render.png", "a conic map's graticule over the lines drawn in its picture", conic}};
  for (const Picture& p : pictures) {
    RenderRequest q = p.Request;
    q.Output = (dir / p.File).string();
    RenderMapToFile(q);
    out << "wrote " << q.Output << ": " << p.What << '\n';
  }
}

const DemoRegistrar demo(55, "Rendering: the demo maps as the map control shows them", RenderDemo);

} // namespace
} // namespace kcli
