// kartavo countries: lists the country table with codes, centre and capital.
#include "cli.h"
#include "geo_args.h"

#include "kartavo/geobasics/country_table.h"

#include <iostream>
#include <memory>

namespace kcli {
namespace {

// The text is part of the name or the capital, or is one of the codes.
bool Matches(const kartavo::TCountryData& c, const std::string& text) {
  return ContainsText(c.Name.ToString(), text) || ContainsText(c.Capital.ToString(), text) ||
         SameText(c.Fips10.Bytes(), text) || SameText(c.ISO3166_2.Bytes(), text) ||
         SameText(c.ISO3166_3.Bytes(), text);
}

void WriteCountry(const kartavo::TCountryData& c) {
  std::cout << c.Name.ToString() << '\t' << c.Fips10.ToString() << '\t' << c.ISO3166_2.ToString()
            << '\t' << c.ISO3166_3.ToString() << '\t' << Shortest(c.CLat) << '\t'
            << Shortest(c.CLong) << '\t' << c.Capital.ToString() << '\t' << Shortest(c.CapLat)
            << '\t' << Shortest(c.CapLong) << '\t' << c.CapAlt << '\n';
}

const CommandRegistrar registrar(33, [](CLI::App& root) {
  auto text = std::make_shared<std::string>();
  auto* sub = root.add_subcommand(
      "countries", "List countries: name, FIPS 10-4, ISO 3166 alpha-2 and alpha-3 codes, "
                   "centre lat lon, capital, its lat lon and altitude (m); tab separated");
  sub->add_option("TEXT", *text,
                  "Show only countries whose name or capital contains this text, or with "
                  "this code (case-insensitive)");
  sub->callback([text] {
    int shown = 0;
    for (const auto& c : kartavo::CountryData) {
      if (!Matches(c, *text)) continue;
      WriteCountry(c);
      ++shown;
    }
    if (shown == 0) {
      std::cerr << "kartavo countries: no country matches \"" << *text << "\"\n";
      SetExitCode(exitBadInput);
    }
  });
});

} // namespace
} // namespace kcli
