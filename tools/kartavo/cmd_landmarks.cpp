// kartavo landmarks: landmark files (the landmark XML and GeoJSON), their
// contents at a glance and the conversion between the two.
#include "cli.h"
#include "landmark_files.h"

#include "kartavo/geomap/landmarks/element_names.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <map>
#include <memory>

namespace kcli {
namespace {
using namespace kartavo;

struct LandmarkArgs {
  std::string In, Out, Id;
  GeoJsonFieldMap Fields;
};

std::string Fixed(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.5f", v);
  return buf;
}

void PrintInfo(const std::vector<TLandMark>& lms) {
  std::cout << "landmarks: " << lms.size() << '\n';
  if (lms.empty()) return;
  std::map<int, int> classes;
  std::map<std::string_view, int> kinds;
  int captions = 0;
  double latLo = lms[0].Latitude, latHi = latLo, lonLo = lms[0].Longitude, lonHi = lonLo;
  for (const TLandMark& lm : lms) {
    ++classes[lm.ClassFlag];
    ++kinds[ElementWord(lm.SymbolProps.Kind)];
    captions += !lm.Caption.Text.Empty();
    latLo = std::min(latLo, lm.Latitude);
    latHi = std::max(latHi, lm.Latitude);
    lonLo = std::min(lonLo, lm.Longitude);
    lonHi = std::max(lonHi, lm.Longitude);
  }
  std::cout << "classes:";
  for (auto [c, n] : classes)
    std::cout << ' ' << c << " (" << n << ')';
  std::cout << "\nkinds:";
  for (auto [k, n] : kinds)
    std::cout << ' ' << k << " (" << n << ')';
  std::cout << "\ncaptions: " << captions << '\n';
  std::cout << "extent: latitude " << Fixed(latLo) << " to " << Fixed(latHi) << ", longitude "
            << Fixed(lonLo) << " to " << Fixed(lonHi) << '\n';
}

void AddLandmarksCommand(CLI::App& root) {
  auto* cmd = root.add_subcommand("landmarks", "Landmark files: landmark XML and GeoJSON");
  cmd->require_subcommand(1);

  auto info = std::make_shared<LandmarkArgs>();
  auto* sub = cmd->add_subcommand("info", "Count, classes, kinds, captions and extent of a file");
  sub->add_option("FILE", info->In, "Landmark XML file, or GeoJSON (.json, .geojson)")
      ->required()
      ->check(CLI::ExistingFile);
  sub->add_option("ID", info->Id, "Data identifier of the section (default: the first one)");
  sub->callback([info] { PrintInfo(ReadLandMarkSet(info->In, info->Id)); });

  auto conv = std::make_shared<LandmarkArgs>();
  sub = cmd->add_subcommand("convert",
                            "Convert between landmark XML and GeoJSON (by the extension of OUT)");
  sub->add_option("IN", conv->In, "Input: landmark XML, or GeoJSON (.json, .geojson)")
      ->required()
      ->check(CLI::ExistingFile);
  sub->add_option("OUT", conv->Out, "Output: landmark XML, or GeoJSON (.json, .geojson)")
      ->required();
  sub->add_option("--id", conv->Id, "Section read from an XML input, or written to an XML output");
  sub->add_option("--caption-field", conv->Fields.Caption,
                  "GeoJSON property that holds the caption")
      ->capture_default_str();
  sub->add_option("--id-field", conv->Fields.Identifier,
                  "GeoJSON property that holds the identifier")
      ->capture_default_str();
  sub->callback([conv] {
    const auto lms =
        ReadLandMarkSet(conv->In, IsGeoJsonName(conv->In) ? "" : conv->Id, conv->Fields);
    WriteLandMarkSet(conv->Out, conv->Id, lms);
    std::cout << "wrote " << lms.size() << " landmarks to " << conv->Out << '\n';
  });
}

const CommandRegistrar registrar(60, AddLandmarksCommand);

} // namespace
} // namespace kcli
