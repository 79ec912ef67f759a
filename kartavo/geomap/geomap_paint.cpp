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

namespace kartavo {

void TGeoMap::Paint() {
  if (FSuppressPaint) return;
  ++FPaintCount;
  ConstructInternalMapImg();
  const fw::TRect all = fw::Rect(0, 0, Width(), Height());
  Canvas()->SetCopyMode(fw::cmSrcCopy);
  Canvas()->CopyRect(all, FImage.Aux().Canvas(), all);
}

TRenderView TGeoMap::RenderView() const {
  return {FView.TopLeft(), FView.Magnification(), Width(), Height()};
}

void TGeoMap::ConstructInternalMapImg() {
  const int w = Width(), h = Height();
  // The off-screen picture grows with the control and never shrinks here.
  fw::TBitmap& aux = FImage.Aux();
  if (aux.Height() < h) aux.SetHeight(h);
  if (aux.Width() < w) aux.SetWidth(w);
  fw::TCanvas* c = aux.Canvas();
  RenderPicture(*c, RenderView(), rtControl);
  const TFrameColors& frame = FStyle.FrameColors();
  quillon::DrawFrame(c, FStyle.FrameStyle(), 0, 0, w - 1, h - 1, frame.White, 0xC0C0C0, frame.Gray,
                     frame.Black, 0);
}

void TGeoMap::RenderPicture(fw::TCanvas& c, const TRenderView& view, TRenderTarget target) {
  c.Pen()->SetStyle(fw::psSolid);
  c.Pen()->SetMode(fw::pmCopy);
  if ((ComponentState() & fw::csDesigning) || FImage.Name().empty())
    PaintEmptyDisplay(c, view);
  else if (Visible())
    PaintMapLayers(c, view, target);
  FTrace.Draw(c, view);
}

void TGeoMap::FillBackground(fw::TCanvas& c, const TRenderView& view, const fw::TRect& keep) {
  c.Brush()->SetColor(FStyle.BackGround());
  c.Brush()->SetStyle(fw::bsSolid);
  c.Pen()->SetColor(FStyle.BackGround());
  if (keep.Right <= keep.Left || keep.Bottom <= keep.Top) {
    c.Rectangle(0, 0, view.Width, view.Height);
    return;
  }
  // The bands above and below keep, then left and right of it.
  c.FillRect(fw::Rect(0, 0, view.Width, keep.Top));
  c.FillRect(fw::Rect(0, keep.Bottom, view.Width, view.Height));
  c.FillRect(fw::Rect(0, keep.Top, keep.Left, keep.Bottom));
  c.FillRect(fw::Rect(keep.Right, keep.Top, view.Width, keep.Bottom));
}

void TGeoMap::PaintEmptyDisplay(fw::TCanvas& c, const TRenderView& view) {
  FillBackground(c, view);
  c.Font()->SetColor(FStyle.FrameColor());
  c.TextOut(10, 10, FStyle.EmptyMsg());
}

void TGeoMap::PaintMapLayers(fw::TCanvas& c, const TRenderView& view, TRenderTarget target) {
  // The image first, then the background around it: filling the pixels the
  // image covers would only be overwritten.
  fw::TRect image;
  if (target == rtControl)
    FRenderCounts.Count(DrawMapImage(FImage, view, &image));
  else
    DrawMapImageCopy(c, FImage, view, &image);
  FillBackground(c, view, image);
  if (OnBeforeRenderData) OnBeforeRenderData(this, &c);
  const TOverlayStyle style{FStyle.ShowGraticule(), FStyle.GratLineDist(), FStyle.UTMGridDist(),
                            FStyle.GraticuleColor(), FStyle.CalibPointColor()};
  DrawOverlay(c, GeoRef(), view, style, FImage.Width(), FImage.Height());
  // The landmarks, then the host's data (OnDataRendered), then the
  // highlighted landmark on top of both.
  c.Pen()->SetColor(0x00FF00);
  const THighlightStyle& high = FLandmarks.HighlightStyle();
  const TLandmarkLayerData data{FLandmarks.Items(),
                                &FLandmarks.ClassVisibility(),
                                FLandmarks.RandomThreshold(),
                                FLandmarks.Highlight(),
                                high.FG,
                                high.BG,
                                high.Transparent};
  DrawLandmarkLayer(c, data, GeoRef(), {view.TopLeft, view.Magnify, view.Width, view.Height},
                    {this, OnDrawLandmark, OnDataRendered, {}});
}

} // namespace kartavo
