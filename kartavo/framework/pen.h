// The pen of a canvas: colour, width, dash style and the raster operation
// that combines its colour with the pixels it covers.
#pragma once

#include "kartavo/framework/color.h"
#include "kartavo/framework/export.h"
#include "kartavo/framework/object.h"

#include <cstdint>
#include <functional>

namespace fw {

// Styles of a pen. psDot, psDash, psDashDot and psDashDotDot are drawn
// dashed only with width 1; wider pens draw them solid, as the platform does.
enum TPenStyle : uint8_t {
  psSolid,
  psDash,
  psDot,
  psDashDot,
  psDashDotDot,
  psClear,
  psInsideFrame
};

// Binary raster operations of the pen (P pen colour, D destination pixel),
// applied to the stored pixel value of the bitmap's format.
enum TPenMode : uint8_t {
  pmBlack,       // 0
  pmWhite,       // all bits set
  pmNop,         // D
  pmNot,         // ~D
  pmCopy,        // P
  pmNotCopy,     // ~P
  pmMergePenNot, // P | ~D
  pmMaskPenNot,  // P & ~D
  pmMergeNotPen, // ~P | D
  pmMaskNotPen,  // ~P & D
  pmMerge,       // P | D
  pmNotMerge,    // ~(P | D)
  pmMask,        // P & D
  pmNotMask,     // ~(P & D)
  pmXor,         // P ^ D
  pmNotXor       // ~(P ^ D)
};

class KARTAVO_API TPen : public TPersistent {
public:
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  // Width in pixels; values below 1 draw as 1.
  int Width() const { return FWidth; }
  void SetWidth(int value);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle value);
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode value);

  // Called after any property changed.
  std::function<void(TObject* Sender)> OnChange;

protected:
  void AssignTo(TPersistent* Dest) const override;

private:
  void Changed();

  TColor FColor = clBlack;
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
};

} // namespace fw
