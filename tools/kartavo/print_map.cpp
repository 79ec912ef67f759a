#include "print_map.h"

#include "kartavo/framework/brush.h"
#include "kartavo/framework/canvas.h"
#include "kartavo/framework/pdf_printer.h"
#include "kartavo/geomap/geomap_control.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace kcli {
namespace {
using namespace kartavo;

// The PDF printer for one print; the default printer again afterwards.
struct PrinterForThisPrint {
  PrinterForThisPrint(const PrintRequest& p) {
    fw::SetPrinter(std::make_unique<fw::TPdfPrinter>(p.Pdf, p.Paper, p.Ppi));
  }
  ~PrinterForThisPrint() { fw::SetPrinter(nullptr); }
};

std::string ScaleText(int scale) {
  std::string digits = std::to_string(scale), out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ' ';
    out += digits[i];
  }
  return "1 : " + out;
}

// The caption line in the top margin, 10 points high on paper.
int DrawCaption(fw::TCanvas& c, int ppi, int margin, const std::string& text) {
  c.Font()->SetName("DejaVu Sans");
  c.Font()->SetHeight(-static_cast<int>(std::lround(10.0 / 72 * ppi)));
  c.Font()->SetColor(fw::clBlack);
  c.Brush()->SetStyle(fw::bsClear);
  const int h = c.TextHeight(text);
  c.TextOut(margin, margin, text);
  return h + h / 2;
}

} // namespace

fw::TPaperSize ParsePaper(const std::string& text) {
  struct Named {
    const char* Name;
    fw::TPaperSize Size;
  };
  static constexpr Named kPapers[] = {
      {"a4", {210, 297}},         {"a4-landscape", {297, 210}},
      {"a3", {297, 420}},         {"a3-landscape", {420, 297}},
      {"letter", {215.9, 279.4}}, {"letter-landscape", {279.4, 215.9}}};
  for (const Named& p : kPapers)
    if (text == p.Name) return p.Size;
  double w = 0, h = 0;
  char x = 0, rest = 0;
  if (std::sscanf(text.c_str(), "%lf%c%lf%c", &w, &x, &h, &rest) == 3 && (x == 'x' || x == 'X') &&
      w >= 10 && h >= 10 && w <= 2000 && h <= 2000)
    return {w, h};
  throw std::runtime_error("--paper: \"" + text +
                           "\" is not a4, a4-landscape, a3, a3-landscape, letter, "
                           "letter-landscape or WxH in millimetres (10 to 2000)");
}

void PrintMapToPdf(const RenderRequest& View, const PrintRequest& Print) {
  TGeoMap map(nullptr);
  PrepareMap(map, View);
  const PrinterForThisPrint installed(Print);
  fw::TPrinter& printer = fw::Printer();
  printer.SetTitle(map.Caption());
  const int ppi = printer.PixelsPerInch();
  const int margin = static_cast<int>(std::lround(Print.MarginMM / 25.4 * ppi));
  const std::string title = map.Caption().empty() ? View.Calibration : map.Caption();
  printer.BeginDoc();
  try {
    fw::TCanvas& page = *printer.Canvas();
    const int top = margin + DrawCaption(page, ppi, margin,
                                         title + (Print.Scale > 0 ? ", " + ScaleText(Print.Scale)
                                                                  : ", fitted to the page"));
    const int w = printer.PageWidth() - 2 * margin, h = printer.PageHeight() - margin - top;
    if (w <= 0 || h <= 0) throw std::runtime_error("--margin: no room left on the page");
    if (Print.Scale > 0) {
      // The view's centre in the middle of the page, the page filled.
      const double m = map.PrintMagnification(Print.Scale);
      const double cx = map.TopLeft().X + map.Width() / 2.0 / map.Magnification();
      const double cy = map.TopLeft().Y + map.Height() / 2.0 / map.Magnification();
      const quillon::TPoint tl{static_cast<int>(std::lround(cx - w / 2.0 / m)),
                               static_cast<int>(std::lround(cy - h / 2.0 / m))};
      map.CopyToOpenPrinter(tl, Print.Scale, margin, top, w, h);
    } else {
      const double factor = std::min(double(w) / map.Width(), double(h) / map.Height());
      int x = margin + static_cast<int>((w - map.Width() * factor) / 2);
      int y = top;
      map.CopyToOpenPrinter(x, y, factor * fw::kScreenPixelsPerInch / ppi);
    }
  } catch (...) {
    printer.Abort();
    throw;
  }
  printer.EndDoc();
}

} // namespace kcli
