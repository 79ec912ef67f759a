#include "db_features.h"

#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/brush.h"
#include "kartavo/framework/canvas.h"
#include "kartavo/framework/pen.h"
#include "kartavo/geodb/gdb_box_query.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>

namespace kcli {
namespace {
using namespace kartavo;

constexpr int Margin = 30; // the generated map's frame

// Colours of the 16-colour palette the map file has.
struct KindStyle {
  const char* Word;
  TgdbItem Kind;
  fw::TColor Line, Fill;
};
constexpr KindStyle kStyles[] = {
    {"borders", gitBorder, 0x000080, fw::clWhite}, {"towns", gitTown, 0x0000FF, fw::clBlack},
    {"cities", gitCity, 0x0000FF, fw::clBlack},    {"lakes", gitLake, 0xFF0000, 0xFFFF00},
    {"rivers", gitRiver, 0xFF0000, fw::clWhite},   {"roads", gitRoad, 0x008080, fw::clWhite},
    {"routes", gitRoute, 0x800080, fw::clWhite}};

const KindStyle& StyleOf(TgdbItem kind) {
  for (const KindStyle& s : kStyles)
    if (s.Kind == kind) return s;
  return kStyles[0];
}

// Map-image pixels relative to the frame's corner.
struct Projection {
  const TGeneratedMapBox& Box;
  fw::TPoint operator()(double lat, double lon) const {
    return {GridMeridianX(Box, lon) - Margin, GridParallelY(Box, lat) - Margin};
  }
};

bool Overlaps(const fw::TRect& a, const fw::TRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

class FeaturePainter {
public:
  FeaturePainter(fw::TCanvas& c, const TGeneratedMapBox& box) : C(c), P{box} {}

  void PointList(TgdbItem kind, const TgdbPolygon& pts, bool closed) {
    if (pts.empty()) return;
    std::vector<fw::TPoint> px;
    px.reserve(pts.size() + 1);
    for (const TSCoords& s : pts)
      px.push_back(P(s.Latit, s.Longit));
    const KindStyle& st = StyleOf(kind);
    C.Pen()->SetColor(st.Line);
    C.Pen()->SetWidth(kind == gitRiver || kind == gitRoad ? 2 : 1);
    if (kind == gitLake && closed) {
      C.Brush()->SetStyle(fw::bsSolid);
      C.Brush()->SetColor(st.Fill);
      C.Polygon(px);
      return;
    }
    if (closed) px.push_back(px.front());
    C.Polyline(px);
  }

  void Place(TgdbItem kind, const TSCoords& at, const std::string& name) {
    const fw::TPoint p = P(at.Latit, at.Longit);
    const int r = kind == gitCity ? 3 : 2;
    C.Pen()->SetWidth(1);
    C.Pen()->SetColor(fw::clBlack);
    C.Brush()->SetStyle(fw::bsSolid);
    C.Brush()->SetColor(StyleOf(kind).Line);
    C.Ellipse(p.X - r, p.Y - r, p.X + r + 1, p.Y + r + 1);
    const fw::TPoint size = C.TextExtent(name);
    const fw::TRect label{p.X + r + 2, p.Y - size.Y / 2, p.X + r + 2 + size.X,
                          p.Y + size.Y / 2 + 1};
    const fw::TRect area = C.ClipRect();
    if (label.Left < area.Left || label.Right > area.Right || label.Top < area.Top ||
        label.Bottom > area.Bottom)
      return;
    for (const fw::TRect& other : FLabels)
      if (Overlaps(label, other)) return;
    FLabels.push_back(label);
    C.Brush()->SetStyle(fw::bsClear);
    C.Font()->SetColor(StyleOf(kind).Fill);
    C.TextOut(label.Left, label.Top, name);
  }

private:
  fw::TCanvas& C;
  Projection P;
  std::vector<fw::TRect> FLabels;
};

bool Wanted(const FeatureKinds& kinds, TgdbItem kind) {
  if (kinds.empty()) return kind != gitBLOB && kind != gitUndefined;
  return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

// Lines and outlines first, then the places (towns, and cities at the
// middle of their outline) over them, each in the database's order.
void DrawEntries(FeaturePainter& paint, TGeoDB& db, const std::vector<int>& entries,
                 const FeatureKinds& kinds, FeatureCounts& counts) {
  for (int n : entries) {
    const TgdbData d = db.Data(n);
    TgdbPolygon pts;
    if (!Wanted(kinds, d.ItemKind) || !IsPolygonKind(d.ItemKind) || !db.RetrievePolygon(n, pts))
      continue;
    paint.PointList(d.ItemKind, pts, d.Closed);
    ++counts[d.ItemKind];
  }
  for (int n : entries) {
    const TgdbData d = db.Data(n);
    if (!Wanted(kinds, d.ItemKind) || (d.ItemKind != gitTown && d.ItemKind != gitCity)) continue;
    const TSCoords at = d.ItemKind == gitTown
                            ? ExtractLocation(d)
                            : TSCoords{(d.LatLow + d.LatHigh) / 2, (d.LongLow + d.LongHigh) / 2};
    paint.Place(d.ItemKind, at, d.Name.ToString());
    counts[gitTown] += d.ItemKind == gitTown;
  }
}

} // namespace

FeatureKinds ParseFeatureKinds(const std::string& list) {
  FeatureKinds kinds;
  std::stringstream in(list);
  std::string word;
  while (std::getline(in, word, ',')) {
    const auto* s = std::find_if(std::begin(kStyles), std::end(kStyles),
                                 [&](const KindStyle& k) { return word == k.Word; });
    if (s == std::end(kStyles))
      throw std::runtime_error("--kinds: \"" + word +
                               "\" is not one of borders, towns, cities, lakes, rivers, roads, "
                               "routes");
    kinds.push_back(s->Kind);
  }
  return kinds;
}

FeatureCounts DrawDatabaseFeatures(fw::TCanvas& Canvas, TGeoDB& DB, const TGeneratedMapBox& Box,
                                   const FeatureKinds& Kinds) {
  FeatureCounts counts{};
  // Drawn on white inside the frame, then laid over the map: white leaves
  // the grid as it is, and nothing reaches the margin's labels.
  fw::TBitmap layer;
  layer.SetPixelFormat(fw::pf24bit);
  layer.SetSize(Box.Wid - 2 * Margin + 1, Box.Hgt - 2 * Margin + 1);
  FeaturePainter paint(*layer.Canvas(), Box);
  DrawEntries(paint, DB, EntriesInBox(DB, Box.LatLow, Box.LongLow, Box.LatHigh, Box.LongHigh),
              Kinds, counts);
  Canvas.SetCopyMode(fw::cmSrcAnd);
  Canvas.Draw(Margin, Margin, &layer);
  Canvas.SetCopyMode(fw::cmSrcCopy);
  return counts;
}

} // namespace kcli
