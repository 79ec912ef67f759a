// Landmark captions: the text of a TLMTextProperties record placed about its
// anchor with the record's offsets, alignments and rotation.
#pragma once

#include "kartavo/framework/export.h"
#include "kartavo/geomap/landmark_records.h"

namespace fw {
class TCanvas;
}

namespace kartavo {

// Where the text's top-left corner goes, relative to the anchor, for a text
// cell of width W and height H turned counter-clockwise by Direction degrees:
// the anchor sits at the start, end or middle of the text (HAlignment 0, 1,
// 2) and at its top, middle or bottom (VAlignment 0, 1, 2). Half sizes are
// whole pixels (W div 2, H div 2). False for an alignment above 2.
KARTAVO_API bool CaptionOffset(const TLMTextProperties& Caption, int W, int H, int& OffX,
                               int& OffY);

// Draws the caption of a landmark whose pixel is (x, y): font, colours and
// background from the record, the anchor at (x + dx, y + dy). Sets the
// canvas's font and brush and leaves them so. Nothing is drawn for an empty
// text or an alignment above 2; a null canvas draws nothing.
KARTAVO_API void DrawLandMarkCaption(fw::TCanvas* Canvas, int x, int y,
                                     const TLMTextProperties& Caption);

} // namespace kartavo
