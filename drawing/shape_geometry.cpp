#include "drawing/shape_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace orvilo::drawing {

gdi::Rect OrderedRect(gdi::Point a, gdi::Point b) {
  return gdi::Rect{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

std::array<gdi::Point, 5> PolygonPoints(gdi::Point start, gdi::Point end) {
  const gdi::Rect r = OrderedRect(start, end);
  const int w = r.Width();
  const int h = r.Height();
  const int shoulder = r.top + static_cast<int>(std::floor(0.38 * h));
  return {gdi::Point{r.left, shoulder}, gdi::Point{r.left + static_cast<int>(std::floor(0.198 * w)), r.bottom},
          gdi::Point{r.left + static_cast<int>(std::floor(0.802 * w)), r.bottom}, gdi::Point{r.right, shoulder},
          gdi::Point{r.left + w / 2, r.top}};
}

std::vector<gdi::Point> WavePoints(gdi::Point start, gdi::Point end) {
  std::vector<gdi::Point> points;
  if (end.x <= start.x) return points;
  const float amplitude = static_cast<float>(std::abs(end.y - start.y));
  const float step = static_cast<float>(end.x - start.x) / 1080.0f;
  const auto yAt = [&](float x) {
    const double radians = static_cast<double>(x / step) * 3.14159265 / 180.0;
    return start.y + static_cast<int>(amplitude * std::sin(radians));
  };
  const float x0 = static_cast<float>(start.x);
  points.push_back(gdi::Point{start.x, yAt(x0)});
  for (float x = x0; static_cast<float>(end.x) > x; x += step) {
    if (x - x0 > 1.0f) points.push_back(gdi::Point{static_cast<int>(x), yAt(x)});
  }
  return points;
}

}  // namespace orvilo::drawing
