// Fetching ahead the surface rows of captions still to be drawn: a crowded
// map's captions lie all over the surface, and blending a caption waits for
// its rows to come from memory unless they were asked for earlier.
#pragma once

namespace fw {
class TCanvas;
}

namespace kartavo::detail {

// Asks the processor to fetch the pixels a caption would cover on the
// canvas's surface for a landmark at (x, y), guessed from the upright
// caption this thread drew last (captions of a map mostly share their
// look); nothing before one was drawn. Only a hint: no pixel changes.
void PrefetchCaption(const fw::TCanvas& Canvas, int x, int y);

} // namespace kartavo::detail
