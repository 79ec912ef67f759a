// kartavo atlas: several calibration files as one atlas. Lists the maps,
// tells which map a zoom at a position would switch to, and renders the
// chosen map centred on the position with the outlines of the others.
#include "atlas_maps.h"
#include "cli.h"
#include "render_map.h"

#include "kartavo/geoatlas/geoatlas_control.h"

#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>

namespace kcli {
namespace {
using namespace kartavo;

struct AtlasRequest {
  std::vector<std::string> Inputs;
  std::vector<double> At;
  std::optional<double> Resolution;
  bool In = false, Out = false;
  double MinResDiff = 10;
  std::string Render;
  std::string Size = "640x480";
  double Zoom = 1;
};

std::string Number(double v) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%.10g", v);
  return buf;
}

void PrintPosition(const TGeoAtlas& atlas, const AtlasRequest& q) {
  const double lat = q.At[0], lon = q.At[1];
  std::cout << "position " << Number(lat) << " " << Number(lon) << ": in";
  const std::vector<int> inside = MapsContaining(atlas, lat, lon);
  if (inside.empty()) std::cout << " no map";
  for (int i : inside)
    std::cout << " " << i;
  std::cout << "\n";
  if (!q.Resolution) return;
  for (const bool in : {true, false}) {
    if ((in && q.Out && !q.In) || (!in && q.In && !q.Out)) continue;
    std::cout << (in ? "zoom in" : "zoom out") << " from " << Number(*q.Resolution)
              << " m/px: " << AtlasMapName(atlas, ZoomChoice(atlas, lat, lon, *q.Resolution, in))
              << "\n";
  }
}

// The map to render: the zoom's choice when a resolution is given, else the
// coarsest map at the position.
int MapToRender(const TGeoAtlas& atlas, const AtlasRequest& q) {
  const double lat = q.At[0], lon = q.At[1];
  if (!q.Resolution) {
    if (const int ix = CoarsestMapAt(atlas, lat, lon)) return ix;
    throw std::runtime_error("--at: no registered map contains the position");
  }
  const bool in = !q.Out;
  if (const int ix = ZoomChoice(atlas, lat, lon, *q.Resolution, in)) return ix;
  throw std::runtime_error(std::string("--at: no ") + (in ? "finer" : "coarser") +
                           " map contains the position");
}

void RenderAtlas(TGeoAtlas& atlas, const AtlasRequest& q, int width, int height) {
  CheckPictureName(q.Render);
  const int ix = MapToRender(atlas, q);
  atlas.SetCmdPanelVisible(false);
  atlas.SetBounds(0, 0, width, height);
  TGeoMap& map = *atlas.CurrentMap();
  map.SetMagnification(q.Zoom);
  if (!atlas.SelectMap(ix)) throw std::runtime_error(atlas.LastProblem());
  map.BringLocationToCenter(q.At[0], q.At[1]);
  WritePictureFile(q.Render, map.Surface()->PixelImage());
  std::cout << "wrote " << q.Render << ": map " << AtlasMapName(atlas, ix) << " centred on "
            << Number(q.At[0]) << " " << Number(q.At[1]) << "\n";
}

void ParseSize(const std::string& text, int& w, int& h) {
  char x = 0, rest = 0;
  if (std::sscanf(text.c_str(), "%d%c%d%c", &w, &x, &h, &rest) != 3 || (x != 'x' && x != 'X') ||
      w < 1 || h < 1 || w > 16384 || h > 16384)
    throw CLI::ValidationError("--size", "expected WxH, 1 to 16384 each: " + text);
}

void RunAtlas(const AtlasRequest& q) {
  int width = 0, height = 0;
  ParseSize(q.Size, width, height);
  if ((q.In || q.Out) && !q.Resolution)
    throw CLI::ValidationError("--in/--out", "need --resolution R (the current resolution)");
  if (q.At.size() == 2 && (q.At[0] < -90 || q.At[0] > 90))
    throw CLI::ValidationError("--at", "latitude outside -90 ... 90: " + Number(q.At[0]));
  if (!q.Render.empty()) CheckPictureName(q.Render);
  TGeoAtlas atlas(nullptr);
  atlas.SetMinResDiff(q.MinResDiff);
  RegisterAtlasInputs(atlas, q.Inputs, std::cerr);
  PrintAtlasMaps(std::cout, atlas);
  if (q.At.size() == 2) PrintPosition(atlas, q);
  if (!q.Render.empty()) RenderAtlas(atlas, q, width, height);
}

void AddAtlasCommand(CLI::App& root) {
  auto q = std::make_shared<AtlasRequest>();
  auto* sub = root.add_subcommand(
      "atlas", "Calibration files as one atlas: the maps, the zoom choice at a position, a view");
  sub->add_option("INPUT", q->Inputs, "Calibration XML files, or folders of them")->required();
  sub->add_option("--at", q->At, "Position LAT LON (degrees)")
      ->expected(2)
      ->check(CLI::Range(-180.0, 180.0));
  auto* r = sub->add_option("--resolution", q->Resolution,
                            "Current resolution (metres per map pixel) to zoom from");
  r->check(CLI::PositiveNumber);
  auto* in = sub->add_flag("--in", q->In, "Only the map zooming in would switch to");
  auto* out = sub->add_flag("--out", q->Out, "Only the map zooming out would switch to");
  in->excludes(out);
  sub->add_option("--min-res-diff", q->MinResDiff,
                  "Least step in percent by which a map must be finer to zoom in to")
      ->check(CLI::Range(0.0, 100.0))
      ->capture_default_str();
  auto* render = sub->add_option("--render", q->Render,
                                 "Write the view to OUT.png (or .jpg): the zoom's choice, or "
                                 "without --resolution the coarsest map at the position, "
                                 "centred on it, with the other maps' outlines");
  sub->add_option("--size", q->Size, "View size WxH for --render")->capture_default_str();
  sub->add_option("--zoom", q->Zoom, "Magnification for --render")
      ->check(CLI::Range(1e-3, 1e3))
      ->capture_default_str();
  render->needs("--at");
  in->needs("--at");
  out->needs("--at");
  sub->callback([q] { RunAtlas(*q); });
}

const CommandRegistrar registrar(65, AddAtlasCommand);

} // namespace
} // namespace kcli
