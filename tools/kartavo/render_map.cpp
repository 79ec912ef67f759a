#include "render_map.h"
#include "cli.h"
#include "line_stream.h"

#include "kartavo/framework/jpeg_codec.h"
#include "kartavo/framework/png_codec.h"
#include "kartavo/framework/text_file.h"
#include "kartavo/geomap/geomap_control.h"

#include <filesystem>
#include <stdexcept>

namespace kcli {
namespace {
using namespace kartavo;
namespace fs = std::filesystem;

TShowGrat ShowGratOf(const std::string& g) {
  if (g == "lines") return sgLines;
  if (g == "points") return sgPoints;
  if (g == "both") return sgPointsAndLines;
  if (g == "utm") return sgUTMGrid;
  if (g == "points+utm") return sgPointsAndUTMGrid;
  return sgNone;
}

std::string LowerExtension(const std::string& path) {
  std::string ext = fs::path(path).extension().string();
  for (char& ch : ext)
    ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return ext;
}

// The calibration and its map image; a map image named relative to the
// calibration file is looked for beside it.
void LoadCalibration(TGeoMap& map, const RenderRequest& q) {
  const fs::path folder = fs::path(q.Calibration).parent_path();
  map.OnMapImageRequest = [&folder](fw::TObject*, std::string& name) {
    if (!name.empty() && fs::path(name).is_relative() && !folder.empty()) {
      std::error_code ec;
      if (fs::is_regular_file(folder / name, ec)) name = (folder / name).string();
    }
  };
  if (!map.LoadCalDataFromXML(q.Calibration, q.Id))
    throw std::runtime_error(q.Calibration + ": no calibration" +
                             (q.Id.empty() ? std::string() : " with identifier \"" + q.Id + "\""));
  map.OnMapImageRequest = nullptr;
  if (map.MapImgFile().empty())
    throw std::runtime_error(q.Calibration + ": map image \"" + map.CalibData().MapFName +
                             "\" not found");
}

void ApplyView(TGeoMap& map, const RenderRequest& q) {
  const int w = q.Width > 0 ? q.Width : map.MapImgWidth();
  const int h = q.Height > 0 ? q.Height : map.MapImgHeight();
  map.SetBounds(0, 0, w, h);
  if (q.Fit) map.ZoomFitPage();
  if (q.Zoom > 0) map.SetMagnification(q.Zoom);
  if (q.TopLeft) map.SetTopLeft({q.TopLeft->first, q.TopLeft->second});
  if (q.Center) {
    int x = 0, y = 0;
    if (!map.CalcPixelCoords(q.Center->first, q.Center->second, x, y))
      throw std::runtime_error("--center: the position does not convert to a map pixel");
    map.BringLocationToCenter(q.Center->first, q.Center->second);
  }
}

// "lat lon" lines; an empty line ends the stroke, '#' starts a comment.
void LoadTrace(TGeoMap& map, const std::string& file) {
  fw::TTextFile f;
  f.Reset(file);
  std::string line;
  for (int lineNo = 1; f.ReadLn(line); ++lineNo) {
    if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    const LineFields fields = SplitLine(line);
    if (fields.empty()) {
      map.EndMouseTraceStroke();
      continue;
    }
    double lat = 0, lon = 0;
    int x = 0, y = 0;
    if (fields.size() != 2 || !ParseNumber(fields[0], lat) || !ParseNumber(fields[1], lon))
      throw std::runtime_error(file + " line " + std::to_string(lineNo) +
                               ": expected \"lat lon\": " + QuoteLine(line));
    if (!map.CalcPixelCoords(lat, lon, x, y))
      throw std::runtime_error(file + " line " + std::to_string(lineNo) +
                               ": position outside the calibration: " + QuoteLine(line));
    if (!map.AddMouseTracePoint({x, y}))
      throw std::runtime_error(file + ": more trace points than the trace holds");
  }
  map.EndMouseTraceStroke();
}

void LoadLandmarks(TGeoMap& map, const RenderRequest& q) {
  if (!map.LoadLandMarks(q.Landmarks, q.LandmarksId))
    throw std::runtime_error(
        q.Landmarks + ": no landmarks" +
        (q.LandmarksId.empty() ? std::string() : " with identifier \"" + q.LandmarksId + "\""));
}

} // namespace

void CheckPictureName(const std::string& Output) {
  const std::string ext = LowerExtension(Output);
  if (ext != ".png" && ext != ".jpg" && ext != ".jpeg")
    throw std::runtime_error(Output + ": the picture must end in .png, .jpg or .jpeg");
}

void WritePictureFile(const std::string& Output, const fw::TPixelImage& Picture) {
  CheckPictureName(Output);
  if (LowerExtension(Output) == ".png")
    fw::WritePngFile(Output, Picture);
  else
    fw::WriteJpegFile(Output, Picture);
}

void PrepareMap(TGeoMap& map, const RenderRequest& q) {
  map.SetSuppressPaint(true);
  LoadCalibration(map, q);
  map.SetAntiAlias(q.AntiAlias);
  map.SetFrameStyle(static_cast<quillon::TFrameStyle>(q.Frame));
  map.SetShowGraticule(ShowGratOf(q.Graticule));
  map.SetGratLineDist(q.GratDist);
  map.SetUTMGridDist(q.UTMDist);
  ApplyView(map, q);
  if (!q.Landmarks.empty()) LoadLandmarks(map, q);
  if (!q.Trace.empty()) LoadTrace(map, q.Trace);
  map.SetSuppressPaint(false);
}

void RenderMapToFile(const RenderRequest& q) {
  CheckPictureName(q.Output);
  TGeoMap map(nullptr);
  PrepareMap(map, q);
  map.Paint();
  // The control's surface holds the picture in 24 bits, at the control's size.
  WritePictureFile(q.Output, map.Surface()->PixelImage());
}

} // namespace kcli
