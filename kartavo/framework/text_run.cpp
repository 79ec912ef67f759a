#include "kartavo/framework/detail/text_run.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <unordered_map>

namespace fw {
namespace {

constexpr size_t kMaxRunBytes = 256;              // longer texts are measured and drawn afresh
constexpr int64_t kMaxRunPixels = 1 << 16;        // a larger line is drawn glyph by glyph
constexpr size_t kBudgetBytes = size_t{16} << 20; // the cache of one thread
constexpr size_t kMaxCachedFaces = 8;

// A glyph of the line at its place from the cell's top-left corner.
struct TPlacedGlyph {
  int64_t Left, Top;
  int Width, Height;
  std::vector<uint8_t> Coverage;
  int Layer = 0;
};

struct TBox {
  int64_t Left = INT64_MAX, Top = INT64_MAX, Right = INT64_MIN, Bottom = INT64_MIN;
  void Add(const TPlacedGlyph& g) {
    Left = std::min(Left, g.Left);
    Top = std::min(Top, g.Top);
    Right = std::max(Right, g.Left + g.Width);
    Bottom = std::max(Bottom, g.Top + g.Height);
  }
  int64_t Width() const { return Right - Left; }
  int64_t Height() const { return Bottom - Top; }
};

// The glyphs with some coverage, copied (the face's glyph cache may start
// over while the line is laid out), and their bounding box; nothing when the
// box grows beyond what a run merges.
std::optional<std::vector<TPlacedGlyph>> PlaceGlyphs(TSizedFace& face, const std::u32string& text,
                                                     TBox& box) {
  std::vector<TPlacedGlyph> placed;
  const int ascent = face.Ascent();
  int64_t pen = 0;
  for (char32_t ch : text) {
    const TGlyphImage& g = face.Glyph(ch);
    if (g.Width > 0 && g.Height > 0) {
      TPlacedGlyph p{pen + g.Left, int64_t{ascent} - g.Top, g.Width, g.Height, {}};
      box.Add(p);
      if (box.Width() * box.Height() > kMaxRunPixels) return std::nullopt;
      p.Coverage = g.Coverage;
      placed.push_back(std::move(p));
    }
    pen += face.Advance(ch);
  }
  return placed;
}

// Calls visit(pixel index in box, coverage) for the glyph's covered pixels.
template <class Visit> void ForCoveredIn(const TBox& box, const TPlacedGlyph& g, Visit visit) {
  for (int y = 0; y < g.Height; ++y)
    for (int x = 0; x < g.Width; ++x)
      if (const uint8_t a = g.Coverage[size_t(y) * size_t(g.Width) + size_t(x)]; a != 0)
        visit(size_t((g.Top + y - box.Top) * box.Width() + (g.Left + x - box.Left)), a);
}

// Each glyph one layer above the highest of the earlier glyphs it overlaps;
// the number of layers.
int AssignLayers(std::vector<TPlacedGlyph>& placed, const TBox& box) {
  std::vector<uint16_t> above(size_t(box.Width() * box.Height()), 0); // last layer + 1
  int layers = 0;
  for (TPlacedGlyph& g : placed) {
    int layer = 0;
    ForCoveredIn(box, g, [&](size_t i, uint8_t) { layer = std::max<int>(layer, above[i]); });
    ForCoveredIn(box, g, [&](size_t i, uint8_t) { above[i] = static_cast<uint16_t>(layer + 1); });
    g.Layer = layer;
    layers = std::max(layers, layer + 1);
  }
  return layers;
}

TRunLayer MergeLayer(const std::vector<TPlacedGlyph>& placed, int layer) {
  TBox box;
  for (const TPlacedGlyph& g : placed)
    if (g.Layer == layer) box.Add(g);
  TRunLayer out{box.Left, box.Top, {}};
  TGlyphImage& c = out.Coverage;
  c.Width = static_cast<int>(box.Width());
  c.Height = static_cast<int>(box.Height());
  c.Coverage.assign(size_t(c.Width) * size_t(c.Height), 0);
  for (const TPlacedGlyph& g : placed)
    if (g.Layer == layer) ForCoveredIn(box, g, [&](size_t i, uint8_t a) { c.Coverage[i] = a; });
  return out;
}

size_t CostOf(const std::string& text, const TTextRun& run) {
  size_t bytes = sizeof(TTextRun) + text.size() + 64;
  for (const TRunLayer& l : run.Layers)
    bytes += sizeof(TRunLayer) + l.Coverage.Coverage.size();
  return bytes;
}

struct TFaceRuns {
  std::shared_ptr<TSizedFace> Face; // held, so that the face stays the one keyed
  std::unordered_map<std::string, TTextRun> Runs;
};

struct TRunCache {
  std::vector<TFaceRuns> Faces; // the face used last at the back
  size_t Bytes = 0;

  TFaceRuns& RunsOf(const std::shared_ptr<TSizedFace>& face) {
    if (!Faces.empty() && Faces.back().Face == face) return Faces.back();
    auto it = std::find_if(Faces.begin(), Faces.end(),
                           [&](const TFaceRuns& f) { return f.Face == face; });
    TFaceRuns entry = it != Faces.end() ? std::move(*it) : TFaceRuns{face, {}};
    if (it != Faces.end())
      Faces.erase(it);
    else if (Faces.size() >= kMaxCachedFaces) {
      Faces.erase(Faces.begin()); // its bytes stay counted until the cache starts over
      Last = nullptr;
    }
    Faces.push_back(std::move(entry));
    return Faces.back();
  }

  using TEntries = std::unordered_map<std::string, TTextRun>;
  TEntries::iterator Store(TFaceRuns& runs, const std::string& text, TTextRun run) {
    const size_t cost = CostOf(text, run);
    if (Bytes + cost > kBudgetBytes) {
      for (TFaceRuns& f : Faces)
        f.Runs.clear();
      Bytes = 0;
      Last = nullptr;
    }
    Bytes += cost;
    auto it = runs.Runs.try_emplace(text).first;
    it->second = std::move(run);
    return it;
  }

  // The run returned last and its face; dropped whenever runs are dropped.
  TEntries::value_type* Last = nullptr;
  const TSizedFace* LastFace = nullptr;
};

} // namespace

int TextAdvance(TSizedFace& face, const std::u32string& text) {
  int64_t w = 0;
  for (char32_t ch : text)
    w += face.Advance(ch);
  return static_cast<int>(std::min<int64_t>(w, INT32_MAX));
}

TTextRun LayOutTextRun(TSizedFace& face, const std::u32string& text) {
  TTextRun run;
  run.Width = TextAdvance(face, text);
  run.Laid = true;
  TBox box;
  std::optional<std::vector<TPlacedGlyph>> placed = PlaceGlyphs(face, text, box);
  if (!placed) return run;
  run.Merged = true;
  const int layers = placed->empty() ? 0 : AssignLayers(*placed, box);
  for (int layer = 0; layer < layers; ++layer)
    run.Layers.push_back(MergeLayer(*placed, layer));
  return run;
}

const TTextRun& TextRun(const std::shared_ptr<TSizedFace>& face, const std::string& text,
                        bool layers) {
  thread_local TRunCache cache;
  thread_local TTextRun uncached;
  if (text.size() > kMaxRunBytes) {
    const std::u32string decoded = DecodeUtf8(text);
    uncached = TTextRun{TextAdvance(*face, decoded), layers, false, {}};
    return uncached;
  }
  // A line is mostly measured and then drawn: the run met last first.
  if (cache.Last && cache.LastFace == face.get() && cache.Last->first == text &&
      (cache.Last->second.Laid || !layers))
    return cache.Last->second;
  TFaceRuns& runs = cache.RunsOf(face);
  auto it = runs.Runs.find(text);
  if (it == runs.Runs.end() || (layers && !it->second.Laid)) {
    const std::u32string decoded = DecodeUtf8(text);
    it = cache.Store(runs, text,
                     layers ? LayOutTextRun(*face, decoded)
                            : TTextRun{TextAdvance(*face, decoded), false, false, {}});
  }
  cache.Last = &*it;
  cache.LastFace = face.get();
  return it->second;
}

} // namespace fw
