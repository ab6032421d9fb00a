// The outlines of the five shapes, from a stroke's start and end points, as
// the view draws them. Plain arithmetic, so the exact points can be tested.
#pragma once

#include <array>
#include <vector>

#include "platform/gdi/rect.h"

namespace orvilo::drawing {

// The rectangle of two corners with left <= right and top <= bottom.
gdi::Rect OrderedRect(gdi::Point a, gdi::Point b);

// The pentagon in the rectangle of start and end: shoulders at 38 % of the
// height, base corners at 19.8 % and 80.2 % of the width, apex at the top
// centre; in drawing order from the left shoulder.
std::array<gdi::Point, 5> PolygonPoints(gdi::Point start, gdi::Point end);

// The wave from start to end: amplitude |end.y - start.y|, three periods
// over the width, sampled every width / 1080 pixels at the absolute abscissa
// (so the phase depends on where it starts). The first point is where the
// line starts; empty when end.x <= start.x.
std::vector<gdi::Point> WavePoints(gdi::Point start, gdi::Point end);

}  // namespace orvilo::drawing
