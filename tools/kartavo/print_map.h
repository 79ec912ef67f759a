// A calibrated map printed on one page of a PDF file: the view `kartavo
// render` would draw, at a map scale or fitted to the page, with a caption
// line naming the map and the scale. What `kartavo render --print` does.
#pragma once

#include "render_map.h"

#include "kartavo/framework/printer.h"

#include <string>

namespace kcli {

struct PrintRequest {
  std::string Pdf;
  int Scale = 0; // 1 : Scale, centred on the view's centre, filling the page; 0 fits the view
  int Ppi = 300;
  fw::TPaperSize Paper = fw::PaperA4;
  double MarginMM = 10;
};

// Parses a paper name: a4, a4-landscape, a3, a3-landscape, letter,
// letter-landscape, or WxH in millimetres; raises std::runtime_error
// naming what it does not understand.
fw::TPaperSize ParsePaper(const std::string& text);

// Prints the map of View (its calibration, view, overlay, landmarks and
// trace; its Output is not used). Raises std::runtime_error, or the
// package's errors, naming what was wrong.
void PrintMapToPdf(const RenderRequest& View, const PrintRequest& Print);

} // namespace kcli
