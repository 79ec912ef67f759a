// TGeoMap: painting. The whole client area is rendered into the off-screen
// bitmap and copied to the control's surface in one piece, so the screen
// never shows a half-drawn picture. The layers are drawn by the painters of
// render/; this file only puts them in order and calls the host's events
// between them.
#include "kartavo/companion/draw_frame.h"
#include "kartavo/framework/canvas.h"
#include "kartavo/geomap/geomap_control.h"
#include "kartavo/geomap/landmarks/landmark_layer.h"
#include "kartavo/geomap/render/overlay_painter.h"
#include "kartavo/geomap/render/trace_drawing.h"

#include <algorithm>

namespace kartavo {

void TGeoMap::Paint() {
  if (FSuppressPaint) return;
  ++FPaintCount;
  ConstructInternalMapImg();
  const fw::TRect all = fw::Rect(0, 0, Width(), Height());
  Canvas()->SetCopyMode(fw::cmSrcCopy);
  Canvas()->CopyRect(all, AuxBmp->Canvas(), all);
}

TRenderView TGeoMap::RenderView() const {
  return {FView.TopLeft(), FView.Magnification(), Width(), Height()};
}

void TGeoMap::ConstructInternalMapImg() {
  const int w = Width(), h = Height();
  // The off-screen picture grows with the control and never shrinks here.
  if (AuxBmp->Height() < h) AuxBmp->SetHeight(h);
  if (AuxBmp->Width() < w) AuxBmp->SetWidth(w);
  fw::TCanvas* c = AuxBmp->Canvas();
  c->Pen()->SetStyle(fw::psSolid);
  c->Pen()->SetMode(fw::pmCopy);
  if ((ComponentState() & fw::csDesigning) || FMapImgName.empty())
    PaintEmptyDisplay(*c);
  else if (Visible())
    PaintMapLayers(*c);
  DrawTrace(*c, std::span(FMTrace).first(static_cast<size_t>(FNumMTrace)), RenderView());
  quillon::DrawFrame(c, FFrameStyle, 0, 0, w - 1, h - 1, FColWhiteLine, 0xC0C0C0, FColGrayLine,
                     FColBlackLine, 0);
}

void TGeoMap::FillBackground(fw::TCanvas& c) {
  c.Brush()->SetColor(FColorBakGnd);
  c.Brush()->SetStyle(fw::bsSolid);
  c.Pen()->SetColor(FColorBakGnd);
  c.Rectangle(0, 0, Width(), Height());
}

void TGeoMap::PaintEmptyDisplay(fw::TCanvas& c) {
  FillBackground(c);
  c.Font()->SetColor(FFrameColor);
  c.TextOut(10, 10, FEmptyMsg);
}

void TGeoMap::PaintMapLayers(fw::TCanvas& c) {
  FillBackground(c);
  const TRenderView view = RenderView();
  const TImageLayerPath path = DrawMapImage(*AuxBmp, *GrafBmp, {*FImgCache, FCacheMag, FCacheAA},
                                            FCacheMagLimit, FAntiAlias, view);
  FRenderCounts.Count(path);
  if (OnBeforeRenderData) OnBeforeRenderData(this, &c);
  const TOverlayStyle style{FShowGrat, FGratLineDist, FUTMGridDist, FColorGratLine,
                            FColorGratPoints};
  DrawOverlay(c, GeoRef(), view, style, FMapImgWidth, FMapImgHeight);
  // The landmarks, then the host's data (OnDataRendered), then the
  // highlighted landmark on top of both.
  c.Pen()->SetColor(0x00FF00);
  const TLandmarkLayerData data{
      std::span(FLandMarks).first(std::clamp<size_t>(FNumLandMarks, 0, FLandMarks.size())),
      &FLMClassVisible,
      FLMRandSampleLimit,
      FHighLM,
      FHighLMColFG,
      FHighLMColBG,
      FHighLMTrans};
  DrawLandmarkLayer(c, data, GeoRef(), {view.TopLeft, view.Magnify, view.Width, view.Height},
                    {this, OnDrawLandmark, OnDataRendered, {}});
}

} // namespace kartavo
