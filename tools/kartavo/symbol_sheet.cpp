#include "symbol_sheet.h"

#include "kartavo/framework/canvas.h"
#include "kartavo/geomap/landmarks/caption_drawing.h"
#include "kartavo/geomap/landmarks/symbol_drawing.h"

#include <algorithm>
#include <cstdlib>

namespace kcli {
namespace {
using namespace kartavo;

constexpr int kColumns = 6;
constexpr int kMinCellWidth = 120;
constexpr int kMaxReach = 60; // larger symbols are cut at their cell

// How far a symbol reaches from its centre, within the cell's limit.
int Reach(const TSymbolProperties& p) {
  int64_t r = std::llabs(int64_t{p.Size}) + 1;
  if (p.Kind == lmArrowFrom || p.Kind == lmArrowTo) r += std::llabs(int64_t{p.Length});
  return static_cast<int>(std::min<int64_t>(r, kMaxReach));
}

TLMTextProperties Label(const TSymbolRepository& r, int ix) {
  TLMTextProperties c = DefaultLandMark().Caption;
  c.Text = std::to_string(ix) + " " + r.Symbols(ix).Name.ToString();
  c.dy = 0;
  return c;
}

// Wide enough for the longest label and the largest symbol.
int CellWidth(const TSymbolRepository& r, int reach) {
  fw::TCanvas measure;
  int width = std::max(kMinCellWidth, 2 * reach + 20);
  for (int ix = 1; ix <= r.NumEntries(); ++ix) {
    const TLMTextProperties label = Label(r, ix);
    measure.Font()->SetName(label.FontName);
    measure.Font()->SetSize(label.Size);
    width = std::max(width, measure.TextWidth(label.Text.ToString()) + 16);
  }
  return width;
}

} // namespace

std::unique_ptr<fw::TBitmap> DrawSymbolSheet(const TSymbolRepository& Repository) {
  const int n = Repository.NumEntries();
  int reach = 8;
  for (int ix = 1; ix <= n; ++ix)
    reach = std::max(reach, Reach(Repository.Symbols(ix).Properties));
  const int cellWidth = CellWidth(Repository, reach), cellHeight = 2 * reach + 34;
  const int rows = std::max(1, (n + kColumns - 1) / kColumns);
  auto bmp = std::make_unique<fw::TBitmap>();
  bmp->SetPixelFormat(fw::pf24bit);
  bmp->SetSize(kColumns * cellWidth, rows * cellHeight);
  fw::TCanvas& c = *bmp->Canvas();
  c.Brush()->SetColor(0xF4F4F4);
  c.FillRect(fw::Rect(0, 0, bmp->Width(), bmp->Height()));
  for (int ix = 1; ix <= n; ++ix) {
    const int col = (ix - 1) % kColumns, row = (ix - 1) / kColumns;
    const int left = col * cellWidth, top = row * cellHeight;
    c.Brush()->SetColor(0xDDDDDD);
    c.Brush()->SetStyle(fw::bsSolid);
    c.FrameRect(fw::Rect(left, top, left + cellWidth, top + cellHeight));
    const TSymbol s = Repository.Symbols(ix);
    DrawLandMarkSymbolOnCanvas(&c, left + cellWidth / 2, top + 6 + reach, s.Properties);
    DrawLandMarkCaption(&c, left + cellWidth / 2, top + 2 * reach + 14, Label(Repository, ix));
  }
  return bmp;
}

} // namespace kcli
