#include "kartavo/geomap/landmark_records.h"

namespace kartavo {

TLandMark DefaultLandMark() {
  TLandMark lm;
  lm.SymbolProps.Kind = lmCross;
  lm.SymbolProps.Size = 7;
  lm.SymbolProps.FGColor = fw::clBlue;
  lm.SymbolProps.BGColor = fw::clWhite;
  lm.SymbolProps.Transparent = false;
  lm.SymbolProps.Direction = 0;
  lm.SymbolProps.Length = 10;
  lm.Caption.Size = 8;
  lm.Caption.FontName = "MS Sans Serif";
  lm.Caption.FGColor = fw::clBlack;
  lm.Caption.BGColor = fw::clWhite;
  lm.Caption.Transparent = true;
  lm.Caption.dx = 0;
  lm.Caption.dy = 8;
  lm.Caption.Direction = 0;
  lm.Caption.HAlignment = fw::taCenter;
  lm.Caption.VAlignment = quillon::vaTop;
  return lm;
}

} // namespace kartavo
