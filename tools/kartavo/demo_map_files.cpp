// Demo section: a calibrated sample map written as a JPEG image with its
// calibration XML file, then read back as a map program would.
#include "calib_report.h"
#include "cli.h"

#include "kartavo/framework/jpeg_codec.h"
#include "kartavo/framework/text_file.h"
#include "kartavo/geomap/calib_fits.h"
#include "kartavo/geomap/calib_xml.h"
#include "kartavo/geomap/detail/map_image_file.h"

#include <cstdio>
#include <ostream>

namespace kcli {
namespace {
using namespace kartavo;

constexpr int kWidth = 600;
constexpr int kHeight = 400;

// A picture with the look of a scan: a soft colour gradient and a dark grid
// every 100 pixels.
fw::TPixelImage SamplePicture() {
  fw::TPixelImage img;
  img.Width = kWidth;
  img.Height = kHeight;
  img.Format = fw::pf24bit;
  img.Bits.assign(static_cast<size_t>(img.Stride() * kHeight), 0);
  for (int y = 0; y < kHeight; ++y) {
    uint8_t* row = img.Row(y);
    for (int x = 0; x < kWidth; ++x) {
      const bool grid = x % 100 == 0 || y % 100 == 0;
      row[3 * x + 0] = grid ? 40 : static_cast<uint8_t>(150 + y / 4);  // blue
      row[3 * x + 1] = grid ? 40 : static_cast<uint8_t>(180 + x / 10); // green
      row[3 * x + 2] = grid ? 40 : static_cast<uint8_t>(120 + x / 8);  // red
    }
  }
  return img;
}

// Four control points at the image corners of a map from 48N 6E to 44N 12E.
TCalibData SampleCalibration() {
  TCalibData cd;
  cd.UTMZone = -1;
  cd.MapFName = "alps_demo.jpg";
  cd.Caption = "Western Alps (demo)";
  cd.NumCalQuads = 4;
  cd.CalQuads[1] = {48, 6, 0, 0};
  cd.CalQuads[2] = {48, 12, kWidth, 0};
  cd.CalQuads[3] = {44, 6, 0, kHeight};
  cd.CalQuads[4] = {44, 12, kWidth, kHeight};
  return cd;
}

void MapFilesDemo(std::ostream& out, const std::filesystem::path& dir) {
  const std::string image = (dir / "alps_demo.jpg").string();
  const std::string xml = (dir / "alps_demo.xml").string();

  TCalibData cd = SampleCalibration();
  TModelParams pars;
  tessaro::TMatrix grat(5, 1);
  FitCalibModel(cmEquiRect, cd, kWidth, kHeight, pars);
  CalcExtentsAndResolution({cmEquiRect, cd, pars, grat}, kWidth, kHeight, cd.Corners,
                           cd.Resolution);
  fw::WriteJpegFile(image, SamplePicture());
  fw::TTextFile f;
  f.Rewrite(xml);
  WriteRawCalDataToOpenXMLFile(f, true, "alps", cd, cmEquiRect);
  f.Close();
  out << "wrote " << image << " (" << kWidth << " x " << kHeight << ") and " << xml << "\n\n";

  TCalibData back;
  TCalibModel model = cmUndefined;
  if (!ParseCalibData(xml, "alps", back, model)) {
    out << "reading " << xml << " back failed\n";
    return;
  }
  auto picture = ReadMapImageFile((dir / back.MapFName).string(), {});
  out << "read back: image " << back.MapFName << " " << picture->Width << " x " << picture->Height
      << ", calibration \"alps\":\n";
  TModelParams backPars;
  FitCalibModel(model, back, picture->Width, picture->Height, backPars);
  const TGeoRef ref{model, back, backPars, grat};
  PrintCalibReport(out, model, back, CalibResiduals(ref));
  bool vLat = false, vLon = false;
  const double lat = CalcLatitude(ref, kWidth / 2, kHeight / 2, vLat);
  const double lon = CalcLongitude(ref, kWidth / 2, kHeight / 2, vLon);
  char buf[96];
  std::snprintf(buf, sizeof buf, "%.5f %.5f", lat, lon);
  out << "centre pixel (" << kWidth / 2 << ", " << kHeight / 2 << ") lies at " << buf << '\n';
}

const DemoRegistrar demo(50, "Map files: a calibrated JPEG map and its XML calibration",
                         MapFilesDemo);

} // namespace
} // namespace kcli
