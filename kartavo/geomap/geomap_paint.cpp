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
  if (AuxBmp->Height() < h) AuxBmp->SetHeight(h);
  if (AuxBmp->Width() < w) AuxBmp->SetWidth(w);
  fw::TCanvas* c = AuxBmp->Canvas();
  c->Pen()->SetStyle(fw::psSolid);
  c->Pen()->SetMode(fw::pmCopy);
  // Without a map image (and always in design mode): the empty display.
  c->Brush()->SetColor(FColorBakGnd);
  c->Brush()->SetStyle(fw::bsSolid);
  c->Pen()->SetColor(FColorBakGnd);
  c->FillRect(fw::Rect(0, 0, w, h));
  c->Font()->SetColor(FFrameColor);
  c->TextOut(10, 10, FEmptyMsg);
  quillon::DrawFrame(c, FFrameStyle, 0, 0, w - 1, h - 1, FColWhiteLine, 0xC0C0C0, FColGrayLine,
                     FColBlackLine, 0);
  Canvas()->SetCopyMode(fw::cmSrcCopy);
  Canvas()->CopyRect(fw::Rect(0, 0, w, h), c, fw::Rect(0, 0, w, h));
}

} // namespace kartavo
