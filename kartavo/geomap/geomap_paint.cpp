// TGeoMap: painting. The whole client area is rendered into the off-screen
// bitmap and copied to the control's surface. So far the rendering shows
// the empty display (the map image, overlays, landmarks and trace come with
// the rendering pipeline) and the frame.
#include "kartavo/companion/draw_frame.h"
#include "kartavo/framework/canvas.h"
#include "kartavo/geomap/geomap_control.h"

namespace kartavo {

void TGeoMap::Paint() {
  if (FSuppressPaint) return;
  ++FPaintCount;
  const int w = Width(), h = Height();
  fw::TBitmap& aux = FImage.Aux();
  if (aux.Height() < h) aux.SetHeight(h);
  if (aux.Width() < w) aux.SetWidth(w);
  fw::TCanvas* c = aux.Canvas();
  c->Pen()->SetStyle(fw::psSolid);
  c->Pen()->SetMode(fw::pmCopy);
  // Without a map image (and always in design mode): the empty display.
  c->Brush()->SetColor(FStyle.BackGround());
  c->Brush()->SetStyle(fw::bsSolid);
  c->Pen()->SetColor(FStyle.BackGround());
  c->FillRect(fw::Rect(0, 0, w, h));
  c->Font()->SetColor(FStyle.FrameColor());
  c->TextOut(10, 10, FStyle.EmptyMsg());
  const TFrameColors& frame = FStyle.FrameColors();
  quillon::DrawFrame(c, FStyle.FrameStyle(), 0, 0, w - 1, h - 1, frame.White, 0xC0C0C0, frame.Gray,
                     frame.Black, 0);
  Canvas()->SetCopyMode(fw::cmSrcCopy);
  Canvas()->CopyRect(fw::Rect(0, 0, w, h), c, fw::Rect(0, 0, w, h));
}

} // namespace kartavo
