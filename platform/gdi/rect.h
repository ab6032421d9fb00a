// Rectangles and points with the platform's conventions: right and bottom
// are exclusive, so width = right - left. Every layout rule of the program
// is written in these terms; the window layer converts at the boundary.
#pragma once

namespace orvilo::gdi {

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct Size {
  int width = 0;
  int height = 0;
  bool operator==(const Size&) const = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  static constexpr Rect FromPositionAndSize(int x, int y, int width, int height) {
    return Rect{x, y, x + width, y + height};
  }
  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr Size GetSize() const { return Size{Width(), Height()}; }
  constexpr bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  constexpr Rect Offset(int dx, int dy) const { return Rect{left + dx, top + dy, right + dx, bottom + dy}; }
  bool operator==(const Rect&) const = default;
};

}  // namespace orvilo::gdi
