// The landmark layer of the map's rendering: selects the landmarks to show
// (visible classes, random thinning of crowded views), offers each to the
// host's OnDrawLandmark, draws its symbol and caption, and draws the
// highlighted landmark last. It works on any canvas, given the landmarks, the
// view and the calibration, so it can be used without a map control.
#pragma once

#include "kartavo/framework/color.h"
#include "kartavo/framework/export.h"
#include "kartavo/geomap/geo_conversion.h"
#include "kartavo/geomap/geomap_types.h"
#include "kartavo/geomap/landmark_records.h"

#include <array>
#include <functional>
#include <span>

namespace kartavo {

// What the layer reads of a landmark store.
struct TLandmarkLayerData {
  std::span<const TLandMark> LandMarks;                // landmark i (from 1) is element i - 1
  const std::array<bool, 256>* ClassVisible = nullptr; // null: every class visible
  int RandomThreshold = 20000; // more landmarks in view than this are thinned
  int HighLight = 0;           // index of the highlighted landmark, 0 for none
  fw::TColor HighLightFG = 0xFF0000;
  fw::TColor HighLightBG = 0x00FFFF;
  bool HighLightTransparent = false;
};

// The view: TopLeft is the map-image pixel shown at control pixel (0, 0),
// Magnify the control pixels per map-image pixel, Width and Height the
// control's client area. Symbols are drawn only strictly inside it.
struct TLandmarkView {
  quillon::TPoint TopLeft;
  double Magnify = 1;
  int Width = 0;
  int Height = 0;
};

// The host's hooks. Random(p) answers yes with probability p; empty means
// tessaro::BRandom. OnDataRendered is called after the landmarks and before
// the highlight.
struct TLandmarkLayerHooks {
  fw::TObject* Sender = nullptr;
  TDrawLandMarkEvent OnDrawLandmark;
  TRenderEvent OnDataRendered;
  std::function<bool(double P)> Random;
};

// The share of the visible-class landmarks in view that is drawn: 1, or
// threshold / count when more than RandomThreshold of them lie inside the
// outline of the view's corners (and the store holds more than that).
KARTAVO_API double LandmarkDisplayProbability(const TLandmarkLayerData& Data, const TGeoRef& Ref,
                                              const TLandmarkView& View);

// Draws the layer; returns the number of symbols drawn (the highlight
// included), for statistics and tests.
KARTAVO_API int DrawLandmarkLayer(fw::TCanvas& Canvas, const TLandmarkLayerData& Data,
                                  const TGeoRef& Ref, const TLandmarkView& View,
                                  const TLandmarkLayerHooks& Hooks);

} // namespace kartavo
