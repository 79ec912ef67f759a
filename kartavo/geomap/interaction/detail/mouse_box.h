// MouseBox: one box asked of the user, whatever the mouse mode. The steps
// the mouse events take while a box is asked for, and the wait itself.
#pragma once

#include "kartavo/geomap/interaction/detail/mouse_handler.h"

namespace kartavo {

void MouseBoxDown(TMouseContext& Ctx, const TMouseInput& In);
void MouseBoxMove(TMouseContext& Ctx, const TMouseInput& In);
void MouseBoxUp(TMouseContext& Ctx, const TMouseInput& In);

// Ends a running box without a result; a box on the screen is erased.
void AbortMouseBox(TMouseContext& Ctx);

// Runs the message loop until the box is completed or aborted; true with
// the sorted corners when completed. The mouse mode is off meanwhile and
// restored afterwards.
bool RunMouseBox(TMouseContext& Ctx, int& xLo, int& yLo, int& xHi, int& yHi);

} // namespace kartavo
