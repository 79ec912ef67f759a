// The brush of a canvas: the colour that fills rectangles, polygons,
// ellipses, text cells and the gaps of dashed lines, or nothing (bsClear).
#pragma once

#include "kartavo/framework/color.h"
#include "kartavo/framework/export.h"
#include "kartavo/framework/object.h"

#include <cstdint>
#include <functional>

namespace fw {

enum TBrushStyle : uint8_t { bsSolid, bsClear };

class KARTAVO_API TBrush : public TPersistent {
public:
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle value);

  std::function<void(TObject* Sender)> OnChange;

protected:
  void AssignTo(TPersistent* Dest) const override;

private:
  void Changed();

  TColor FColor = clWhite;
  TBrushStyle FStyle = bsSolid;
};

} // namespace fw
