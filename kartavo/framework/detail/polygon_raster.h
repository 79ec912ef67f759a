// Filling of polygons and ellipses as rows of spans.
#pragma once

#include "kartavo/framework/geometry.h"

#include <cstdint>
#include <functional>
#include <span>

namespace fw {

using TSpanSink = std::function<void(int y, int64_t x0, int64_t x1)>;

// Alternate (even-odd) fill of the closed polygon through points: the
// pixels (x, y) whose integer point lies inside, left and top edges
// included, right and bottom edges excluded, so the polygon of a rectangle's
// four corners fills exactly that rectangle. Only rows inside clip are
// visited; coordinates anywhere in the int range are safe.
void FillPolygonSpans(std::span<const TPoint> points, const TRect& clip, const TSpanSink& span);

// The pixels of the ellipse inscribed in the box (right and bottom
// exclusive), as per-row intervals: a pixel belongs when its centre lies
// inside the ellipse. When interior is given, outline receives the pixels
// of the region that have a 4-neighbour outside it and interior the rest.
// Otherwise outline receives the whole region.
void EllipseSpans(const TRect& box, const TRect& clip, const TSpanSink& outline,
                  const TSpanSink* interior);

// The ring of a wide ellipse outline: pixels inside the box grown by
// (width - 1) / 2 and not inside the box shrunk by (width + 1) / 2.
void WideEllipseSpans(const TRect& box, int width, const TRect& clip, const TSpanSink& ring,
                      const TSpanSink* interior);

} // namespace fw
