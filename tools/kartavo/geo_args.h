// Arguments and values shared by the geodesy subcommands: ellipsoids named on
// the command line, coordinate triples read from input lines, fixed-point
// number text.
#pragma once

#include "line_stream.h"

#include "kartavo/geobasics/ellipsoids.h"

#include <CLI/CLI.hpp>

#include <string>
#include <string_view>

namespace kcli {

// An ellipsoid by its identifier with or without the "gel" prefix
// ("gelWGS84", "WGS84"), its display name ("WGS 1984"), case-insensitively,
// or its ordinal 0 ... 60.
bool ParseEllipsoid(const std::string& text, kartavo::TGeoEllipsoid& ellipsoid);

// Checks an option value with ParseEllipsoid (a failure is a usage error).
CLI::Validator EllipsoidValidator();

// Reads "a b [c]" from a line's fields; c defaults to 0.
bool ReadTriple(const LineFields& fields, double& a, double& b, double& c);

// A longitude of any turn brought into -180 ... <180.
double WrappedLongitude(double lon);

// Whether text contains part, ignoring the case of ASCII letters; an empty
// part is in every text.
bool ContainsText(std::string_view text, std::string_view part);
// Whether two texts are equal, ignoring the case of ASCII letters.
bool SameText(std::string_view a, std::string_view b);

// Three numbers separated by blanks, the first two with `decimals`, the third
// with `lastDecimals` ("lat lon height", "X Y Z").
void WriteThree(OutputBuffer& out, double a, double b, double c, int decimals, int lastDecimals);

// The number with a fixed count of decimals; never "-0".
std::string Fixed(double value, int decimals);
// The number in its shortest form up to 15 significant digits ("34.5309", "-1").
std::string Shortest(double value);

} // namespace kcli
