// kartavo helmert: shifts positions from one built-in datum to another, and
// the datum-shift section of the demo.
#include "cli.h"
#include "geo_args.h"

#include "kartavo/geobasics/detail/datum_table.h"
#include "kartavo/geobasics/helmert.h"

#include <iostream>
#include <memory>

namespace kcli {
namespace {

struct HelmertOptions {
  int src = 0, dst = 0;
  std::vector<std::string> values;
};

// What made HelmertTransform report a failure, for the message.
std::string Problems(double lat, double lon) {
  std::string text;
  if (!(lat >= -90 && lat <= 90)) text = "latitude " + Shortest(lat) + " outside -90 ... 90";
  if (!(lon >= -180 && lon <= 180))
    text += (text.empty() ? "" : "; ") + ("longitude " + Shortest(lon) + " outside -180 ... 180");
  return text;
}

// "lat lon [height]" -> "lat lon height status". An out-of-range position is
// still shifted and written, with its status, but counts as bad input.
bool ShiftLine(const HelmertOptions& o, const std::string& line, int lineNo) {
  double lat, lon, h;
  if (!ParseTriple(line, lat, lon, h)) {
    std::cerr << "kartavo helmert: line " << lineNo << ": \"" << line
              << "\": expected latitude longitude [height]\n";
    return false;
  }
  double latOut, lonOut, hOut;
  const int status = kartavo::HelmertTransform(o.src, lat, lon, h, o.dst, latOut, lonOut, hOut);
  std::cout << Fixed(latOut, 9) << ' ' << Fixed(lonOut, 9) << ' ' << Fixed(hOut, 4) << ' ' << status
            << '\n';
  if (status == kartavo::htOk) return true;
  std::cerr << "kartavo helmert: line " << lineNo << ": \"" << line << "\": " << Problems(lat, lon)
            << '\n';
  return false;
}

const CommandRegistrar registrar(31, [](CLI::App& root) {
  auto o = std::make_shared<HelmertOptions>();
  auto* sub = root.add_subcommand(
      "helmert", "Shift \"lat lon [height]\" from datum SRC to datum DST (numbers from "
                 "`kartavo datums`); writes \"lat lon height status\"");
  sub->add_option("SRC", o->src, "Source datum number")->required()->check(CLI::Range(1, 271));
  sub->add_option("DST", o->dst, "Destination datum number")->required()->check(CLI::Range(1, 271));
  sub->add_option("VALUES", o->values, "One position; without it, one per line of input");
  sub->callback([o] {
    ForEachInputLine(o->values, [&](const std::string& line, int lineNo) {
      if (SplitFields(line).empty()) {
        std::cout << '\n';
        return;
      }
      if (!ShiftLine(*o, line, lineNo)) SetExitCode(exitBadInput);
    });
  });
});

void ShowShift(std::ostream& out, int src, double lat, double lon, double h, int dst) {
  const auto& from = *kartavo::FindDatum(src);
  const auto& to = *kartavo::FindDatum(dst);
  double latOut, lonOut, hOut;
  kartavo::HelmertTransform(src, lat, lon, h, dst, latOut, lonOut, hOut);
  out << "  " << from.DatumName.ToString() << " (" << from.Area.ToString() << ") " << Fixed(lat, 6)
      << ' ' << Fixed(lon, 6) << ' ' << Fixed(h, 2) << " m\n"
      << "    -> " << to.DatumName.ToString() << ": " << Fixed(latOut, 6) << ' ' << Fixed(lonOut, 6)
      << ' ' << Fixed(hOut, 2) << " m\n";
}

const DemoRegistrar demo(20, "Datum shifts", [](std::ostream& out, const std::filesystem::path&) {
  out << "Seven-parameter Helmert shifts through WGS 84 (datum numbers 183, 59, 217, 269):\n";
  ShowShift(out, 183, 51.5, -0.1, 0, 269);        // London on the British grid datum
  ShowShift(out, 183, 55.95, -3.19, 80, 269);     // Edinburgh
  ShowShift(out, 59, 48.8584, 2.2945, 35, 269);   // Paris on European Datum 1950
  ShowShift(out, 217, 52.5163, 13.3777, 34, 269); // Berlin on DHDN
  ShowShift(out, 269, 52.5163, 13.3777, 34, 217); // and back
});

} // namespace
} // namespace kcli
