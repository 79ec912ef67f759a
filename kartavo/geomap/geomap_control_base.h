// The base class of the map control: the framework's custom control. Until
// the control framework is part of the build, a component with a size and a
// window surface stands in for it.
#pragma once

#if __has_include("kartavo/framework/controls.h")
#include "kartavo/framework/controls.h"

namespace kartavo {
using TGeoMapBase = fw::TCustomControl;
}
#else
#include "kartavo/framework/bitmap.h"
#include "kartavo/framework/object.h"

namespace kartavo {
class TGeoMapBase : public fw::TComponent {
public:
  explicit TGeoMapBase(fw::TComponent* AOwner) : fw::TComponent(AOwner) {}
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth < 0 ? 0 : AWidth;
    FHeight = AHeight < 0 ? 0 : AHeight;
    FSurface.SetSize(FWidth, FHeight);
  }
  fw::TCanvas* Canvas() { return FSurface.Canvas(); }
  const fw::TBitmap* Surface() const { return &FSurface; }

protected:
  virtual void Paint() {}

private:
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  fw::TBitmap FSurface;
};
} // namespace kartavo
#endif
