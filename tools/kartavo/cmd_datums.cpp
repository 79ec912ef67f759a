// kartavo datums: lists the built-in datums with their numbers, the numbers
// `kartavo helmert` takes.
#include "cli.h"
#include "geo_args.h"

#include "kartavo/geobasics/detail/datum_table.h"

#include <iostream>
#include <memory>

namespace kcli {
namespace {

struct DatumsOptions {
  std::string text;
  bool parameters = false;
};

void WriteDatum(int no, const kartavo::TDatumParams& d, bool parameters) {
  std::cout << no << '\t' << d.DatumName.ToString() << '\t' << d.Area.ToString() << '\t'
            << kartavo::GeoEllipsoidId[d.Ellipsoid];
  if (parameters)
    for (double v : {d.DX, d.DY, d.DZ, d.Scale, d.RotX, d.RotY, d.RotZ})
      std::cout << '\t' << Shortest(v);
  std::cout << '\n';
}

// A datum number selects that datum; any other text must be part of the
// datum's name, area or ellipsoid.
bool Matches(int no, const kartavo::TDatumParams& d, const std::string& text) {
  int wanted = 0;
  if (ParseInt(text, wanted) && kartavo::ValidDatumNumber(wanted)) return no == wanted;
  return ContainsText(d.DatumName.ToString(), text) || ContainsText(d.Area.ToString(), text) ||
         ContainsText(kartavo::GeoEllipsoidId[d.Ellipsoid], text);
}

void RunDatums(const DatumsOptions& o) {
  int shown = 0;
  for (int no = 1; no <= kartavo::DatumCount; ++no) {
    const kartavo::TDatumParams& d = *kartavo::FindDatum(no);
    if (!Matches(no, d, o.text)) continue;
    WriteDatum(no, d, o.parameters);
    ++shown;
  }
  if (shown == 0) {
    std::cerr << "kartavo datums: no datum matches \"" << o.text << "\"\n";
    SetExitCode(exitBadInput);
  }
}

const CommandRegistrar registrar(32, [](CLI::App& root) {
  auto o = std::make_shared<DatumsOptions>();
  auto* sub = root.add_subcommand(
      "datums", "List the built-in datums: number, name, area, ellipsoid (tab separated)");
  sub->add_option("TEXT", o->text,
                  "A datum number (1 ... 271) shows that datum; other text shows the datums "
                  "whose name, area or ellipsoid contains it (case-insensitive)");
  sub->add_flag("-p,--parameters", o->parameters,
                "Add the shift to WGS 84: DX DY DZ (m), scale (ppm), RotX RotY RotZ (\")");
  sub->callback([o] { RunDatums(*o); });
});

} // namespace
} // namespace kcli
