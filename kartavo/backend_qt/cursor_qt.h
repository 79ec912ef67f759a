// The framework's cursors as Qt cursors: the standard shapes by their
// nearest Qt shape, the images of the screen's cursor table (the package's
// hand and zoom cursors among them) as bitmap cursors.
#pragma once

#include "kartavo/framework/cursor.h"
#include "kartavo/framework/export.h"

#include <QCursor>

namespace kartavo::qt {

// The Qt cursor for a framework cursor number; the arrow for an unknown one.
KARTAVO_API QCursor QtCursor(fw::TCursor Cursor);
// A bitmap cursor of a monochrome cursor image. Inverting pixels, which X
// cannot show, are drawn black.
KARTAVO_API QCursor QtCursor(const fw::TCursorImage& Image);

} // namespace kartavo::qt
