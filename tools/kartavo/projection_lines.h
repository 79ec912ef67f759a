// What `kartavo utm` and `kartavo ups` share: their options, the reading of
// "lat lon" lines and of a hemisphere letter, the writing of coordinates.
#pragma once

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
  std::vector<std::string> values;
};

// Adds -e, -p, --reverse and the positional values to a subcommand.
std::shared_ptr<ProjectionOptions> AddProjectionOptions(CLI::App* sub,
                                                        const std::string& reverseHelp);

// Runs fn for every input line; a line fn rejects (returning a message) is
// reported on standard error with its number and makes the exit status 1.
void ForEachProjectionLine(
    const std::string& command, const ProjectionOptions& o,
    const std::function<std::string(const std::vector<std::string>& fields)>& fn);

// "lat lon": two numbers, the latitude within -90..90. Returns the error text.
std::string ReadLatLong(const std::vector<std::string>& fields, double& lat, double& lon);

// 'N' or 'S' (any case) as a hemisphere. Returns the error text.
std::string ReadHemisphere(const std::string& field, bool& south);

// "easting northing" from two fields. Returns the error text.
std::string ReadGrid(const std::string& e, const std::string& n, double& easting, double& northing);

// Writes "lat lon" with decimals + 5 decimals.
void WriteLatLong(double lat, double lon, int decimals);

} // namespace kcli
