// kartavo render: a calibrated map as the map control shows it, with
// graticule or UTM grid, calibration points, landmarks and a trace, written
// as a PNG or JPEG picture, or printed on a page of a PDF file.
#include "cli.h"
#include "print_map.h"
#include "render_map.h"

#include <memory>

namespace kcli {
namespace {

void AddRenderCommand(CLI::App& root) {
  auto r = std::make_shared<RenderRequest>();
  auto size = std::make_shared<std::string>();
  auto center = std::make_shared<std::vector<double>>();
  auto topLeft = std::make_shared<std::vector<int>>();
  auto landmarks = std::make_shared<std::vector<std::string>>();
  auto* sub = root.add_subcommand("render", "Render a calibrated map as the map control shows it");
  sub->add_option("FILE", r->Calibration, "Calibration XML file")
      ->required()
      ->check(CLI::ExistingFile);
  sub->add_option("ID", r->Id, "Data identifier of the calibration (default: the first one)");
  sub->add_option("-o,--output", r->Output, "Picture to write: .png, .jpg or .jpeg");
  auto pr = std::make_shared<PrintRequest>();
  auto paper = std::make_shared<std::string>("a4");
  auto* print = sub->add_option("--print", pr->Pdf,
                                "Print the view on one page of this PDF file (send it to a "
                                "printer with lp)");
  sub->add_option("--scale", pr->Scale,
                  "Print at the map scale 1 : SCALE, the page filled around the view's centre "
                  "(default: the view fitted to the page)")
      ->check(CLI::Range(1, 2000000000))
      ->needs(print);
  sub->add_option("--dpi", pr->Ppi, "Printer resolution in pixels per inch")
      ->check(CLI::Range(fw::TPrinter::MinPixelsPerInch, fw::TPrinter::MaxPixelsPerInch))
      ->capture_default_str()
      ->needs(print);
  sub->add_option("--paper", *paper,
                  "Paper: a4, a4-landscape, a3, a3-landscape, letter, letter-landscape or WxH "
                  "in mm")
      ->capture_default_str()
      ->needs(print);
  sub->add_option("--margin", pr->MarginMM, "Margin around the print in mm")
      ->check(CLI::Range(0.0, 100.0))
      ->capture_default_str()
      ->needs(print);
  sub->add_option("--size", *size, "Control size WxH in pixels (default: the map image's size)");
  sub->add_option("--zoom", r->Zoom, "Magnification: control pixels per map-image pixel")
      ->check(CLI::Range(1e-3, 1e3));
  auto* c =
      sub->add_option("--center", *center, "Centre the view on LAT LON (degrees)")->expected(2);
  auto* t = sub->add_option("--topleft", *topLeft, "Map-image pixel X Y at the top-left corner")
                ->expected(2);
  auto* f = sub->add_flag("--fit", r->Fit, "Fit the whole map image into the control");
  c->excludes(t);
  f->excludes(c)->excludes(t);
  sub->add_option("--graticule", r->Graticule, "What to draw over the map")
      ->check(CLI::IsMember({"none", "lines", "points", "both", "utm", "points+utm"}))
      ->capture_default_str();
  sub->add_option("--grat-dist", r->GratDist, "Graticule spacing in degrees (0: automatic)")
      ->check(CLI::Range(0.0, 60.0));
  sub->add_option("--utm-dist", r->UTMDist, "UTM grid spacing in metres (0: automatic)")
      ->check(CLI::Range(0, 10000000));
  sub->add_option("--landmarks", *landmarks, "Landmark XML file and optional data identifier")
      ->expected(1, 2);
  sub->add_option("--trace", r->Trace,
                  "Trace file of \"lat lon\" lines; an empty line ends a stroke")
      ->check(CLI::ExistingFile);
  sub->add_flag("--antialias", r->AntiAlias, "Smooth (average) when scaling the map image");
  sub->add_option("--frame", r->Frame,
                  "Frame style: 0 none, 1 single, 2 lowered, 3 raised, "
                  "4 double lowered, 5 double raised")
      ->check(CLI::Range(0, 5))
      ->capture_default_str();
  sub->callback([=] {
    RenderRequest q = *r;
    if (!size->empty()) {
      char x = 0;
      char rest = 0;
      if (std::sscanf(size->c_str(), "%d%c%d%c", &q.Width, &x, &q.Height, &rest) != 3 ||
          (x != 'x' && x != 'X') || q.Width < 1 || q.Height < 1 || q.Width > 16384 ||
          q.Height > 16384)
        throw CLI::ValidationError("--size", "expected WxH, 1 to 16384 each: " + *size);
    }
    if (center->size() == 2) q.Center = std::pair((*center)[0], (*center)[1]);
    if (topLeft->size() == 2) q.TopLeft = std::pair((*topLeft)[0], (*topLeft)[1]);
    if (!landmarks->empty()) q.Landmarks = (*landmarks)[0];
    if (landmarks->size() == 2) q.LandmarksId = (*landmarks)[1];
    if (q.Output.empty() && pr->Pdf.empty())
      throw CLI::ValidationError("-o", "give a picture to write (-o) or a PDF to print (--print)");
    if (!q.Output.empty()) RenderMapToFile(q);
    if (!pr->Pdf.empty()) {
      PrintRequest p = *pr;
      p.Paper = ParsePaper(*paper);
      PrintMapToPdf(q, p);
    }
  });
}

const CommandRegistrar registrar(60, AddRenderCommand);

} // namespace
} // namespace kcli
