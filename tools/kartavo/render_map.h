// A calibrated map rendered as the map control shows it, written as a PNG
// or JPEG picture: what `kartavo render` does, and the demo's pictures.
#pragma once

#include "kartavo/framework/pixel_image.h"

#include <optional>
#include <string>
#include <utility>

namespace kartavo {
class TGeoMap;
}

namespace kcli {

struct RenderRequest {
  std::string Calibration;                         // calibration XML file
  std::string Id;                                  // its data identifier; empty: the first one
  std::string Output;                              // .png or .jpg / .jpeg
  int Width = 0, Height = 0;                       // control size; 0: the map image's size
  double Zoom = 0;                                 // magnification; 0: 1 (or what --fit gives)
  std::optional<std::pair<double, double>> Center; // latitude, longitude
  std::optional<std::pair<int, int>> TopLeft;      // map-image pixel at the top-left corner
  bool Fit = false;
  std::string Graticule = "none"; // none, lines, points, both, utm, points+utm
  double GratDist = 0;            // degrees; 0: by the map's extent
  int UTMDist = 0;                // metres; 0: by the map's extent
  std::string Landmarks, LandmarksId;
  std::string Trace; // "lat lon" lines; an empty line ends a stroke
  bool AntiAlias = false;
  int Frame = 1; // frame style 0 ... 5
};

// Loads the calibration, map image, landmarks and trace into the control
// and sets up its view as the request asks, without painting; raises as
// RenderMapToFile.
void PrepareMap(kartavo::TGeoMap& map, const RenderRequest& request);
// Refuses (std::runtime_error naming it) an output name that is neither
// .png nor .jpg / .jpeg, before any work is done.
void CheckPictureName(const std::string& Output);
// Writes the picture as PNG or JPEG by the name's extension.
void WritePictureFile(const std::string& Output, const fw::TPixelImage& Picture);

// Renders and writes the picture. Bad input (a file that cannot be read, a
// calibration or landmark set that is not there, a map image that is
// missing, an unknown output type) raises std::runtime_error naming it.
void RenderMapToFile(const RenderRequest& request);

} // namespace kcli
