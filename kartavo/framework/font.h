// The font of a canvas: face name, size, colour, styles and rotation.
// Sizes are points at 96 pixels per inch. Height is the negative character
// height in pixels (as the platform stores it); a positive Height asks for
// that cell height (ascent plus descent) instead.
#pragma once

#include "kartavo/framework/color.h"
#include "kartavo/framework/export.h"
#include "kartavo/framework/font_style.h"
#include "kartavo/framework/object.h"

#include <cstdint>
#include <functional>
#include <string>

namespace fw {

constexpr int kScreenPixelsPerInch = 96;

class KARTAVO_API TFont : public TPersistent {
public:
  const std::string& Name() const { return FName; }
  void SetName(const std::string& value);
  // Points at 96 pixels per inch, derived from Height.
  int Size() const;
  void SetSize(int value);
  int Height() const { return FHeight; }
  void SetHeight(int value);
  TColor Color() const { return FColor; }
  void SetColor(TColor value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles value);
  // Rotation of the text line in tenths of a degree, counter-clockwise.
  int Orientation() const { return FOrientation; }
  void SetOrientation(int value);

  std::function<void(TObject* Sender)> OnChange;

protected:
  void AssignTo(TPersistent* Dest) const override;

private:
  void Changed();

  std::string FName = "MS Sans Serif";
  int FHeight = -11; // 8 points
  TColor FColor = clBlack;
  TFontStyles FStyle;
  int FOrientation = 0;
};

} // namespace fw
