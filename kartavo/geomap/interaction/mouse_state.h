// PLACEHOLDER until the parts landing
#pragma once
#include "kartavo/companion/quillon.h"
namespace kartavo {
struct TMouseState {
  quillon::TMouseActMode FMouseAction = quillon::maPan;
  bool FLButtonWasDown = false;
  quillon::TZoomState FZoomState = quillon::zsIdle;
  quillon::TMouseBoxState FMouseBoxState = quillon::mbsIdle;
  int FMouseBoxX1 = 0, FMouseBoxX2 = 0, FMouseBoxY1 = 0, FMouseBoxY2 = 0;
  int FWindOldCornerX = 0, FWindOldCornerY = 0, FWindAnchorX = 0, FWindAnchorY = 0;
  bool FRubberBandOn = false, FSelectRectOn = false;
  int FRubberBAnchorX = 0, FRubberBAnchorY = 0, FRubberBandOldX = 0, FRubberBandOldY = 0;
  int MouseAnchorX = 0, MouseAnchorY = 0;
  int FLastMClickPosX = 0, FLastMClickPosY = 0, FLastMMousePosX = 0, FLastMMousePosY = 0;
  friend bool operator==(const TMouseState&, const TMouseState&) = default;
};
}
