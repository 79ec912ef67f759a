// Printing the map on the framework's printer (fw::Printer()): the view
// the control shows, or a part of the map at a map scale. The sizes are
// those of output/print_scale.h; the pictures are rendered copies
// (geomap_copy.cpp) drawn onto the printer's page.
#include "kartavo/framework/canvas.h"
#include "kartavo/framework/printer.h"
#include "kartavo/geomap/detail/pixel_round.h"
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/geomap/output/print_scale.h"

#include <algorithm>
#include <cmath>

namespace kartavo {

double TGeoMap::MapScaleMagnification(const char* Operation, int32_t Scale,
                                      int PixelsPerInch) const {
  if (Scale <= 0)
    throw EORVGeoMapError(ComponentMessage(*this, std::string(Operation) + ": scale 1 : " +
                                                      std::to_string(Scale) + " is not a scale"));
  TCornerArray corners = FCalib.Data.Corners;
  double resolution = 0;
  kartavo::CalcExtentsAndResolution(GeoRef(), ImageWidth(), ImageHeight(), corners, resolution);
  const double m = ScalePrintMagnification(resolution, Scale, PixelsPerInch);
  if (!(m > 0))
    throw EORVGeoMapError(ComponentMessage(
        *this, std::string(Operation) +
                   ": the map has no calibrated resolution, so it cannot be printed at a scale"));
  return m;
}

void TGeoMap::PrintPicture(const char* Operation, quillon::TPoint TopLeft, double MagFact,
                           int PosHoriz, int PosVert, int Width, int Height) {
  fw::TPrinter& printer = fw::Printer();
  if (!printer.Printing())
    throw EORVGeoMapError(
        ComponentMessage(*this, std::string(Operation) + ": the printer has no open document"));
  fw::TCanvas& page = *printer.Canvas();
  // Only the part on the page is rendered: a picture reaching beyond it
  // would be cut off anyway.
  const int w =
      static_cast<int>(std::clamp<int64_t>(int64_t{printer.PageWidth()} - PosHoriz, 0, Width));
  const int h =
      static_cast<int>(std::clamp<int64_t>(int64_t{printer.PageHeight()} - PosVert, 0, Height));
  if (w == 0 || h == 0 || int64_t{PosHoriz} + w <= 0 || int64_t{PosVert} + h <= 0) return;
  // In full colour: the screen's depth would band the map's shades on paper.
  const auto picture = RenderedCopy(Operation, TopLeft, MagFact, w, h, fw::pf24bit);
  page.SetCopyMode(fw::cmSrcCopy);
  page.Draw(PosHoriz, PosVert, picture.get());
}

double TGeoMap::ViewPrintFactor(const char* Operation, double ScaleF, int RoomWidth,
                                int RoomHeight) const {
  if (!std::isfinite(ScaleF))
    throw EORVGeoMapError(
        ComponentMessage(*this, std::string(Operation) + ": the size factor is not a number"));
  return ScaleF > 0 ? ScreenPrintFactor(ScaleF, fw::Printer().PixelsPerInch())
                    : FitPrintFactor(Width(), Height(), RoomWidth, RoomHeight);
}

void TGeoMap::PrintView(const char* Operation, int& x, int& y, double Factor) {
  const int w = RoundPixel(Width() * Factor), h = RoundPixel(Height() * Factor);
  PrintPicture(Operation, FView.TopLeft(), FView.Magnification() * Factor, x, y, w, h);
  x += w;
  y += h;
}

void TGeoMap::PrintIt(double ScaleF) {
  fw::TPrinter& printer = fw::Printer();
  const int pw = printer.PageWidth(), ph = printer.PageHeight();
  const double factor = ViewPrintFactor("PrintIt", ScaleF, pw, ph);
  const int w = RoundPixel(Width() * factor), h = RoundPixel(Height() * factor);
  if (w > pw || h > ph)
    throw EORVGeoMapError(ComponentMessage(
        *this, "PrintIt: at size factor " + std::to_string(ScaleF) + " the picture (" +
                   std::to_string(w) + " x " + std::to_string(h) +
                   " printer pixels) does not fit the page (" + std::to_string(pw) + " x " +
                   std::to_string(ph) + "); 0 fits it to the page"));
  int x = (pw - w) / 2, y = (ph - h) / 2;
  printer.BeginDoc();
  try {
    PrintView("PrintIt", x, y, factor);
  } catch (...) {
    printer.Abort();
    throw;
  }
  printer.EndDoc();
}

void TGeoMap::CopyToOpenPrinter(int32_t& x, int32_t& y, double ScaleF) {
  const fw::TPrinter& printer = fw::Printer();
  const double factor = ViewPrintFactor("CopyToOpenPrinter", ScaleF, printer.PageWidth() - x,
                                        printer.PageHeight() - y);
  PrintView("CopyToOpenPrinter", x, y, factor);
}

void TGeoMap::CopyToOpenPrinter(const fw::TRect& MapWindow, int32_t Scale, int32_t PosHoriz,
                                int32_t PosVert) {
  int32_t w = 0, h = 0;
  CalcExtentsOfPrint(MapWindow, Scale, w, h);
  const double m = MapScaleMagnification("CopyToOpenPrinter", Scale, fw::Printer().PixelsPerInch());
  PrintPicture("CopyToOpenPrinter", {MapWindow.Left, MapWindow.Top}, m, PosHoriz, PosVert, w, h);
}

void TGeoMap::CopyToOpenPrinter(quillon::TPoint TopLeft, int32_t Scale, int32_t PosHoriz,
                                int32_t PosVert, int32_t Width, int32_t Height) {
  const double m = MapScaleMagnification("CopyToOpenPrinter", Scale, fw::Printer().PixelsPerInch());
  PrintPicture("CopyToOpenPrinter", TopLeft, m, PosHoriz, PosVert, Width, Height);
}

void TGeoMap::CalcExtentsOfPrint(const fw::TRect& MapWindow, int32_t Scale, int32_t& Width,
                                 int32_t& Height) const {
  const double m =
      MapScaleMagnification("CalcExtentsOfPrint", Scale, fw::Printer().PixelsPerInch());
  Width = std::max(0, RoundPixel((int64_t{MapWindow.Right} - MapWindow.Left) * m));
  Height = std::max(0, RoundPixel((int64_t{MapWindow.Bottom} - MapWindow.Top) * m));
}

} // namespace kartavo
