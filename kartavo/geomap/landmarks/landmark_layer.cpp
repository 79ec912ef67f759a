#include "kartavo/geomap/landmarks/landmark_layer.h"

#include "kartavo/companion/tessaro.h"
#include "kartavo/framework/canvas.h"
#include "kartavo/geomap/landmarks/caption_drawing.h"
#include "kartavo/geomap/landmarks/detail/caption_prefetch.h"
#include "kartavo/geomap/landmarks/detail/symbol_stamp.h"

#include <vector>

namespace kartavo {
namespace {

bool ClassShown(const TLandmarkLayerData& d, const TLandMark& lm) {
  return !d.ClassVisible || (*d.ClassVisible)[lm.ClassFlag];
}

// The geographic outline of the view: the positions of the control's corners
// (0, 0), (0, H), (W, H), (W, 0). False when one of them has no position.
bool ViewOutline(const TGeoRef& ref, const TLandmarkView& v, TCornerArray& corners) {
  const quillon::TPoint px[4] = {{0, 0}, {0, v.Height}, {v.Width, v.Height}, {v.Width, 0}};
  for (size_t i = 0; i < 4; ++i) {
    const quillon::TPoint m = ControlToMapImage(px[i], v.TopLeft, v.Magnify);
    bool okLat = false, okLong = false;
    corners[i].Latit = CalcLatitude(ref, m.X, m.Y, okLat);
    corners[i].Longit = CalcLongitude(ref, m.X, m.Y, okLong);
    if (!okLat || !okLong) return false;
  }
  return true;
}

// One landmark's control pixel; false when its position has no map pixel.
bool ControlPixel(const TGeoRef& ref, const TLandmarkView& v, const TLandMark& lm,
                  quillon::TPoint& at) {
  int mx = 0, my = 0;
  if (!CalcPixelCoords(ref, lm.Latitude, lm.Longitude, mx, my)) return false;
  at = MapImageToControl({mx, my}, v.TopLeft, v.Magnify);
  return true;
}

bool Inside(const TLandmarkView& v, quillon::TPoint p) {
  return p.X > 0 && p.X < v.Width && p.Y > 0 && p.Y < v.Height;
}

// Draws the landmark's symbol and caption at its control pixel.
void DrawAt(detail::TSymbolPainter& painter, fw::TCanvas& canvas, const TLandMark& lm,
            const TSymbolProperties& look, bool caption, quillon::TPoint at) {
  detail::DrawSymbolWith(painter, canvas, at.X, at.Y, look);
  if (caption) DrawLandMarkCaption(&canvas, at.X, at.Y, lm.Caption);
}

// Offers the landmark to the host and draws what the host left; true when a
// symbol was drawn.
bool DrawOne(detail::TSymbolPainter& painter, fw::TCanvas& canvas, const TGeoRef& ref,
             const TLandmarkView& v, const TLandmarkLayerHooks& hooks, const TLandMark& lm,
             const TSymbolProperties& look, bool caption) {
  quillon::TPoint at;
  if (!ControlPixel(ref, v, lm, at)) return false;
  bool handled = false;
  if (hooks.OnDrawLandmark) hooks.OnDrawLandmark(hooks.Sender, handled, &canvas, at, lm);
  if (handled || !Inside(v, at)) return false;
  DrawAt(painter, canvas, lm, look, caption, at);
  return true;
}

using TDrawFilter = std::function<bool(const TLandMark&)>;

// Every landmark that passes the filter, one by one.
int DrawEach(detail::TSymbolPainter& painter, fw::TCanvas& canvas, const TLandmarkLayerData& d,
             const TGeoRef& ref, const TLandmarkView& v, const TLandmarkLayerHooks& hooks,
             const TDrawFilter& drawIt) {
  int drawn = 0;
  for (const TLandMark& lm : d.LandMarks)
    if (drawIt(lm)) drawn += DrawOne(painter, canvas, ref, v, hooks, lm, lm.SymbolProps, true);
  return drawn;
}

// The same drawing when no host hook runs between the landmarks: the
// control pixels are worked out first, so that while one landmark is drawn
// the surface rows of one a few places on are fetched into the cache (a
// crowded map is drawn at the speed of the memory otherwise).
int DrawAhead(detail::TSymbolPainter& painter, fw::TCanvas& canvas, const TLandmarkLayerData& d,
              const TGeoRef& ref, const TLandmarkView& v, const std::function<bool()>& chosen) {
  constexpr size_t kAhead = 6;
  // What the drawing needs of each landmark, so that it reads the records
  // again only of those it draws.
  struct TPlaced {
    quillon::TPoint At;
    bool ClassShown, InView;
  };
  thread_local std::vector<TPlaced> placed;
  const size_t n = d.LandMarks.size();
  placed.resize(n);
  // The records are read ahead too: with a few hundred bytes each, the
  // processor's own prefetching falls behind.
  constexpr size_t kRecordsAhead = 12;
  for (size_t i = 0; i < n; ++i) {
    if (i + kRecordsAhead < n) __builtin_prefetch(&d.LandMarks[i + kRecordsAhead].Latitude);
    const TLandMark& lm = d.LandMarks[i];
    TPlaced& at = placed[i];
    at.ClassShown = ClassShown(d, lm);
    at.InView = at.ClassShown && ControlPixel(ref, v, lm, at.At) && Inside(v, at.At);
  }
  int drawn = 0;
  for (size_t i = 0; i < n; ++i) {
    if (i + kRecordsAhead < n && placed[i + kRecordsAhead].InView) {
      const TLandMark& later = d.LandMarks[i + kRecordsAhead];
      __builtin_prefetch(&later.SymbolProps);
      __builtin_prefetch(&later.Caption.Text);
    }
    if (i + kAhead < n && placed[i + kAhead].InView) {
      const TLandMark& ahead = d.LandMarks[i + kAhead];
      const quillon::TPoint at = placed[i + kAhead].At;
      painter.Prefetch(canvas, ahead.SymbolProps, at.X, at.Y);
      if (!ahead.Caption.Text.Empty()) detail::PrefetchCaption(canvas, at.X, at.Y);
    }
    if (!placed[i].ClassShown || !chosen() || !placed[i].InView) continue;
    const TLandMark& lm = d.LandMarks[i];
    DrawAt(painter, canvas, lm, lm.SymbolProps, true, placed[i].At);
    ++drawn;
  }
  return drawn;
}

} // namespace

double LandmarkDisplayProbability(const TLandmarkLayerData& Data, const TGeoRef& Ref,
                                  const TLandmarkView& View) {
  const int64_t total = static_cast<int64_t>(Data.LandMarks.size());
  if (Data.RandomThreshold >= total) return 1;
  TCornerArray outline{};
  // Without a geographic outline every visible-class landmark counts as in
  // view, so a view that cannot be located is thinned rather than flooded.
  const bool located = ViewOutline(Ref, View, outline);
  int64_t inView = 0;
  for (const TLandMark& lm : Data.LandMarks)
    if (ClassShown(Data, lm) && (!located || PositionInMap(lm.Latitude, lm.Longitude, outline)))
      ++inView;
  return Data.RandomThreshold < inView ? double(Data.RandomThreshold) / double(inView) : 1.0;
}

int DrawLandmarkLayer(fw::TCanvas& Canvas, const TLandmarkLayerData& Data, const TGeoRef& Ref,
                      const TLandmarkView& View, const TLandmarkLayerHooks& Hooks) {
  const double p = LandmarkDisplayProbability(Data, Ref, View);
  const auto random = Hooks.Random ? Hooks.Random : std::function<bool(double)>(tessaro::BRandom);
  detail::TSymbolPainter& painter = detail::LandmarkSymbolPainter();
  // The random draw is asked for each visible-class landmark in order,
  // whichever way the landmarks are drawn.
  const std::function<bool()> chosen = [&] { return random(p); };
  const TDrawFilter drawIt = [&](const TLandMark& lm) { return ClassShown(Data, lm) && chosen(); };
  int drawn = Hooks.OnDrawLandmark ? DrawEach(painter, Canvas, Data, Ref, View, Hooks, drawIt)
                                   : DrawAhead(painter, Canvas, Data, Ref, View, chosen);
  if (Hooks.OnDataRendered) Hooks.OnDataRendered(Hooks.Sender, &Canvas);
  const int64_t high = Data.HighLight;
  if (high >= 1 && high <= static_cast<int64_t>(Data.LandMarks.size())) {
    const TLandMark& lm = Data.LandMarks[static_cast<size_t>(high - 1)];
    if (ClassShown(Data, lm)) {
      TSymbolProperties look = lm.SymbolProps;
      look.FGColor = Data.HighLightFG;
      look.BGColor = Data.HighLightBG;
      look.Transparent = Data.HighLightTransparent;
      drawn += DrawOne(painter, Canvas, Ref, View, Hooks, lm, look, false);
    }
  }
  return drawn;
}

} // namespace kartavo
