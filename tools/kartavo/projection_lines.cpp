#include "projection_lines.h"

#include "cli.h"
#include "geo_args.h"

#include <iostream>

namespace kcli {

std::shared_ptr<ProjectionOptions> AddProjectionOptions(CLI::App* sub,
                                                        const std::string& reverseHelp) {
  auto o = std::make_shared<ProjectionOptions>();
  sub->add_option("-e,--ellipsoid", o->ellipsoidText,
                  "Ellipsoid: identifier (gelWGS84 or WGS84, any case), name or ordinal 0..60 "
                  "(see `kartavo ellipsoids`)")
      ->check(EllipsoidValidator())
      ->capture_default_str();
  sub->add_option("-p,--precision", o->decimals,
                  "Decimals of metres; degrees are written with 5 more")
      ->check(CLI::Range(0, 10))
      ->capture_default_str();
  sub->add_flag("-r,--reverse", o->reverse, reverseHelp);
  sub->add_option("values", o->values,
                  "One input line given as arguments; "
                  "without them every line of standard input is read");
  sub->preparse_callback([o](std::size_t) { o->values.clear(); });
  return o;
}

void ForEachProjectionLine(
    const std::string& command, const ProjectionOptions& o,
    const std::function<std::string(const std::vector<std::string>& fields)>& fn) {
  ForEachInputLine(o.values, [&](const std::string& line, int lineNo) {
    const std::vector<std::string> fields = SplitFields(line);
    if (fields.empty()) {
      std::cout << '\n'; // keeps the output lines in step with the input lines
      return;
    }
    const std::string error = fn(fields);
    if (error.empty()) return;
    std::cout.flush();
    std::cerr << "kartavo " << command << ": line " << lineNo << ": " << error << " in \"" << line
              << "\"\n";
    SetExitCode(exitBadInput);
  });
}

std::string ReadLatLong(const std::vector<std::string>& fields, double& lat, double& lon) {
  if (fields.size() != 2) return "expected \"lat lon\"";
  if (!ParseDouble(fields[0], lat)) return "latitude \"" + fields[0] + "\" is not a number";
  if (!ParseDouble(fields[1], lon)) return "longitude \"" + fields[1] + "\" is not a number";
  if (lat < -90.0 || lat > 90.0) return "latitude " + fields[0] + " is outside -90..90";
  return {};
}

std::string ReadHemisphere(const std::string& field, bool& south) {
  if (field == "N" || field == "n") {
    south = false;
    return {};
  }
  if (field == "S" || field == "s") {
    south = true;
    return {};
  }
  return "hemisphere \"" + field + "\" is not N or S";
}

std::string ReadGrid(const std::string& e, const std::string& n, double& easting,
                     double& northing) {
  if (!ParseDouble(e, easting)) return "easting \"" + e + "\" is not a number";
  if (!ParseDouble(n, northing)) return "northing \"" + n + "\" is not a number";
  return {};
}

void WriteLatLong(double lat, double lon, int decimals) {
  std::cout << Fixed(lat, decimals + 5) << ' ' << Fixed(lon, decimals + 5) << '\n';
}

} // namespace kcli
