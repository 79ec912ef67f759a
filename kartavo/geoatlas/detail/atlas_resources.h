// The atlas's pictures from the package resources: its two cursors and the
// glyphs of its buttons.
#pragma once

#include "kartavo/framework/cursor.h"
#include "kartavo/framework/speed_button.h"
#include "kartavo/package/resources.h"

#include <string_view>

namespace kartavo {

// The resource cursor as the screen's cursor table holds cursors.
fw::TCursorImage CursorImageOf(const TCursorResource& Cursor);

// Enters the cursor resources CURGEOZOOM and CURGEOHAND in the screen's
// cursor table under crGeoZoom and crGeoHand.
void EnterAtlasCursors();

// Gives the button the bitmap resource Name as its glyph (two images).
void SetResourceGlyph(fw::TSpeedButton& Button, std::string_view Name);

} // namespace kartavo
