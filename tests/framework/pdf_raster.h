// Printed PDF files looked at as a printer would put them on paper:
// rasterised with poppler's tools at a chosen resolution.
#pragma once

#include "kartavo/framework/pixel_image.h"
#include "kartavo/framework/png_codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace pdftest {

inline bool HavePdfToPpm() {
  return std::system(
             "command -v pdftoppm >/dev/null 2>&1 && command -v pdftocairo >/dev/null 2>&1") == 0;
}

#define KARTAVO_REQUIRE_PDFTOPPM()                                                                 \
  if (!pdftest::HavePdfToPpm())                                                                    \
  GTEST_SKIP() << "pdftoppm and pdftocairo (Debian poppler-utils) are not installed"

// Which of poppler's rasterisers: its own (pdftoppm), which softens the
// edges of pictures and may place them up to about a pixel off, or the
// cairo one (pdftocairo), which meets a picture's pixels one to one at the
// picture's resolution. Measurements to a pixel use the latter.
enum TRasteriser { rPoppler, rCairo };

// Page Page (from 1) of Pdf at Ppi pixels per inch, without smoothing of
// text and lines; nothing when the rasteriser fails.
inline std::optional<fw::TPixelImage> RasterisePage(const std::string& Pdf, int Page, int Ppi,
                                                    TRasteriser With = rCairo) {
  const std::string prefix = Pdf + ".page" + std::to_string(Page);
  const std::string tool =
      With == rCairo ? "pdftocairo -png -antialias none" : "pdftoppm -png -aa no -aaVector no";
  const std::string cmd = tool + " -singlefile -r " + std::to_string(Ppi) + " -f " +
                          std::to_string(Page) + " -l " + std::to_string(Page) + " '" + Pdf +
                          "' '" + prefix + "' 2>/dev/null";
  if (std::system(cmd.c_str()) != 0) return std::nullopt;
  fw::TPixelImage img = fw::ReadPngFile(prefix + ".png");
  std::filesystem::remove(prefix + ".png");
  return img;
}

// The number of pages pdfinfo reports, -1 when it cannot tell.
inline int PageCount(const std::string& Pdf) {
  const std::string out = Pdf + ".info";
  if (std::system(("pdfinfo '" + Pdf + "' > '" + out + "' 2>/dev/null").c_str()) != 0) return -1;
  FILE* f = std::fopen(out.c_str(), "r");
  int pages = -1;
  char line[512];
  while (f && std::fgets(line, sizeof line, f))
    if (std::sscanf(line, "Pages: %d", &pages) == 1) break;
  if (f) std::fclose(f);
  std::filesystem::remove(out);
  return pages;
}

// Red, green, blue of a pixel of a 24-bit picture as 0x00BBGGRR.
inline fw::TColor At(const fw::TPixelImage& img, int x, int y) {
  const uint8_t* p = img.Row(y) + (img.Format == fw::pf32bit ? 4 : 3) * x;
  return fw::TColor(p[2]) | fw::TColor(p[1]) << 8 | fw::TColor(p[0]) << 16;
}

struct TBox {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};
inline bool Near(fw::TColor a, fw::TColor b, int tol = 24) {
  for (int s = 0; s < 24; s += 8)
    if (std::abs(int((a >> s) & 0xFF) - int((b >> s) & 0xFF)) > tol) return false;
  return true;
}
// The smallest rectangle (right and bottom exclusive) holding every pixel
// within Tol of Color in each channel; empty when there is none. A Tol of
// half the contrast to the surroundings finds edges that a rasteriser has
// softened where they are.
inline TBox BoxOf(const fw::TPixelImage& img, fw::TColor Color, int Tol = 24) {
  TBox b{img.Width, img.Height, 0, 0};
  for (int y = 0; y < img.Height; ++y)
    for (int x = 0; x < img.Width; ++x)
      if (Near(At(img, x, y), Color, Tol)) {
        b.Left = std::min(b.Left, x);
        b.Top = std::min(b.Top, y);
        b.Right = std::max(b.Right, x + 1);
        b.Bottom = std::max(b.Bottom, y + 1);
      }
  if (b.Right == 0) return {};
  return b;
}

// Where a dark bar crosses a row (Horizontal) or column of the picture,
// between Light and Dark grey levels (green channel), to a fraction of a
// pixel: the darkness summed over the line is the bar's length and its
// centroid the bar's middle, both of which a rasteriser's softening of the
// edges leaves as they are.
struct TSpan {
  double Start = 0, End = 0;
};
inline TSpan DarkSpan(const fw::TPixelImage& img, bool Horizontal, int Line, int From, int To,
                      int Light, int Dark) {
  double mass = 0, moment = 0;
  for (int i = From; i < To; ++i) {
    const int v = (At(img, Horizontal ? i : Line, Horizontal ? Line : i) >> 8) & 0xFF;
    const double d = std::clamp(double(Light - v) / (Light - Dark), 0.0, 1.0);
    mass += d;
    moment += d * (i + 0.5);
  }
  if (mass == 0) return {};
  const double mid = moment / mass;
  return {mid - mass / 2, mid + mass / 2};
}

} // namespace pdftest
