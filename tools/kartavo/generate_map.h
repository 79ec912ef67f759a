// A map generated from a latitude/longitude box: a BMP picture with a
// labelled grid and the entries of a geographic database drawn on it, and a
// calibration XML file beside it; optionally a PNG rendering of the map with
// landmarks. What `kartavo generate` does, and the demo's world map.
#pragma once

#include "db_features.h"

#include <string>

namespace kcli {

struct GenerateRequest {
  double South = 0, West = 0, North = 0, East = 0;
  double DLat = 0, DLon = 0;          // grid spacing in degrees; 0: chosen by the box
  int Width = 0, Height = 0;          // picture size; 0: 1600 wide, height by the box
  std::string Database;               // empty: no entries drawn
  FeatureKinds Kinds;                 // empty: every kind
  std::string Name;                   // NAME.bmp and NAME.xml are written
  std::string Png;                    // a rendering of the map, empty for none
  std::string Landmarks, LandmarksId; // drawn on the rendering
};

struct GenerateReport {
  std::string Bmp, Xml;
  int Width = 0, Height = 0;
  double DLat = 0, DLon = 0;
  FeatureCounts Drawn{};
};

// A spacing of round numbers of degrees that gives a handful of grid lines
// over Extent degrees.
double DefaultGridSpacing(double Extent);

// Writes the files. Bad input (an empty box, a picture beyond the map image
// limit, a database that does not exist, a file that cannot be written)
// raises an exception naming it.
GenerateReport GenerateMapFiles(const GenerateRequest& Request);

} // namespace kcli
