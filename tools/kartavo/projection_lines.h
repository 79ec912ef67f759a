// What `kartavo utm` and `kartavo ups` share: their options, the reading of
// "lat lon" lines, of hemisphere designators and of grid coordinates.
#pragma once

#include "line_stream.h"

#include "kartavo/geobasics/ellipsoid_types.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <string>
#include <vector>

namespace kcli {

struct ProjectionOptions {
  std::string ellipsoidText = "WGS84";
  kartavo::TGeoEllipsoid ellipsoid = kartavo::gelWGS84;
  int decimals = 3; // of metres; degrees get 5 more
  bool reverse = false;
  bool band = false; // utm: the latitude band letter in a column of its own
  std::vector<std::string> values;
};

// Adds -e, -p, --reverse and the positional values to a subcommand.
std::shared_ptr<ProjectionOptions> AddProjectionOptions(CLI::App* sub,
                                                        const std::string& reverseHelp);

// "lat lon": two numbers, the latitude within -90 ... 90. Returns the error text.
std::string ReadLatLong(const LineFields& fields, double& lat, double& lon);

// "easting northing" from two fields, each within its range. Returns the error text.
struct GridRange {
  double MinEasting, MaxEasting, MinNorthing, MaxNorthing;
};
std::string ReadGrid(std::string_view e, std::string_view n, const GridRange& range,
                     double& easting, double& northing);

// A result of the inverse projections is only written when it is a position.
std::string CheckPosition(double lat, double lon);

// Writes "lat lon" with decimals + 5 decimals.
void WriteLatLong(OutputBuffer& out, double lat, double lon, int decimals);

// The hemisphere designator written after a zone: 'n' or 's'.
inline char Designator(bool south) { return south ? 's' : 'n'; }

} // namespace kcli
