// Copies of the map rendered for another view than the control's: into a
// host's bitmap, onto the clipboard, onto a printer's page. The control's
// own view, picture and image cache stay as they are.
#include "kartavo/framework/canvas.h"
#include "kartavo/framework/screen.h"
#include "kartavo/geomap/geomap_control.h"

#include <climits>

namespace kartavo {
namespace {

// The control's view while a copy renders: the host's event handlers that
// convert with the control's own methods (MapImageToControl ...) then draw
// where the copy shows the map. Put back, without repainting, afterwards.
class TBorrowedView {
public:
  TBorrowedView(TMapView& view, quillon::TPoint topLeft, double magnify)
      : FView(view), FSaved(view) {
    FView.SetTopLeft(topLeft);
    FView.SetMagnification(magnify);
  }
  ~TBorrowedView() { FView = FSaved; }
  TBorrowedView(const TBorrowedView&) = delete;
  TBorrowedView& operator=(const TBorrowedView&) = delete;

private:
  TMapView& FView;
  const TMapView FSaved;
};

bool Intersects(const fw::TBitmap& bmp, int x, int y, int w, int h) {
  return int64_t{x} + w > 0 && int64_t{y} + h > 0 && x < bmp.Width() && y < bmp.Height();
}

} // namespace

std::unique_ptr<fw::TBitmap> TGeoMap::RenderedCopy(const char* Operation, quillon::TPoint TopLeft,
                                                   double MagFact, int Width, int Height,
                                                   fw::TPixelFormat Format) {
  if (!(MagFact >= TMapView::MinMagnification && MagFact <= TMapView::MaxMagnification))
    throw EORVGeoMapError(ComponentMessage(
        *this, std::string(Operation) + ": magnification " + std::to_string(MagFact) +
                   " out of range (" + std::to_string(TMapView::MinMagnification) + " .. " +
                   std::to_string(TMapView::MaxMagnification) + ")"));
  if (int64_t{Width} * Height > fw::kMaxImagePixels)
    throw EORVGeoMapError(
        ComponentMessage(*this, std::string(Operation) + ": a copy of " + std::to_string(Width) +
                                    " x " + std::to_string(Height) + " pixels is too large"));
  auto picture = std::make_unique<fw::TBitmap>();
  picture->SetPixelFormat(Format);
  picture->SetSize(Width, Height);
  const TBorrowedView borrowed(FView, TopLeft, MagFact);
  RenderPicture(*picture->Canvas(), {TopLeft, MagFact, Width, Height}, rtCopy);
  return picture;
}

void TGeoMap::CopyToBMP(fw::TBitmap* DestBmp, quillon::TPoint TopLeft, double MagFact,
                        int32_t PosHoriz, int32_t PosVert, int32_t Width, int32_t Height) {
  if (!DestBmp) throw EORVGeoMapError(ComponentMessage(*this, "CopyToBMP: no bitmap to copy into"));
  if (Width <= 0 || Height <= 0 || !Intersects(*DestBmp, PosHoriz, PosVert, Width, Height)) return;
  const auto picture =
      RenderedCopy("CopyToBMP", TopLeft, MagFact, Width, Height, FImage.Aux().PixelFormat());
  fw::TCanvas& c = *DestBmp->Canvas();
  c.SetCopyMode(fw::cmSrcCopy);
  c.Draw(PosHoriz, PosVert, picture.get());
}

void TGeoMap::CopyEntireMapToClipboard() {
  if (FImage.Name().empty()) return;
  const auto picture = RenderedCopy("CopyEntireMapToClipboard", {0, 0}, 1.0, FImage.Width(),
                                    FImage.Height(), FImage.Aux().PixelFormat());
  fw::Clipboard().Assign(picture.get());
}

} // namespace kartavo
