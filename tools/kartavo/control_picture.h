// The picture of a control together with its children, as a screen shows
// it: for batch programs and the demo, which have no screen to look at.
#pragma once

#include "kartavo/framework/controls.h"
#include "kartavo/framework/pixel_image.h"

namespace kcli {

// Paints the control and every showing child, then puts the children's
// surfaces over the control's in their stacking order.
fw::TPixelImage ControlPicture(fw::TControl& Control);

} // namespace kcli
