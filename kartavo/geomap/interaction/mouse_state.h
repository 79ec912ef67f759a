// What the mouse is doing on the map control: the mode a drag acts in, the
// button state between move events, the zoom or selection box being drawn,
// the rubber band, where the current drag began, and the last click and
// mouse positions. All positions are control pixels.
#pragma once

#include "kartavo/companion/quillon.h"
#include "kartavo/framework/export.h"

namespace kartavo {

struct KARTAVO_API TMouseState {
  quillon::TMouseActMode Action = quillon::maPan;
  // The left button was already down at the previous move event.
  bool LButtonWasDown = false;
  // Where the current drag began.
  quillon::TPoint DragAnchor;

  // The box of MouseBox: its state and corners.
  quillon::TMouseBoxState BoxState = quillon::mbsIdle;
  quillon::TPoint BoxCorner1;
  quillon::TPoint BoxCorner2;
  // A zoom or selection box: its fixed corner and its moving corner as
  // last drawn.
  quillon::TPoint WindAnchor;
  quillon::TPoint WindOldCorner;

  bool RubberBandOn = false;
  bool SelectRectOn = false;
  // Start of the current rubber-band line and its end as last drawn.
  quillon::TPoint RubberBandAnchor;
  quillon::TPoint RubberBandOld;

  quillon::TPoint LastClick;
  quillon::TPoint LastMouse;

  friend bool operator==(const TMouseState&, const TMouseState&) = default;
};

} // namespace kartavo
