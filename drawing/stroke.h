// One annotation over a picture: a vector record the surface replays at every
// repaint and when it saves. Points are in the surface's own coordinates: the
// image view keeps the client coordinates as they were under the pointer
// (they do not follow zoom, panning or transforms); the drawing over the live
// picture keeps the picture's pixels (picture_mapping.h).
#pragma once

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/gdi/rect.h"

namespace orvilo::drawing {

// Kinds of stroke, also the current tool.
enum class StrokeKind { Pen = 0, Highlighter = 1, Eraser = 2, Quadrangle = 3, Ellipse = 4, Polygon = 5, Line = 6, Wave = 7 };

constexpr bool IsShape(StrokeKind kind) { return static_cast<int>(kind) >= static_cast<int>(StrokeKind::Quadrangle); }
constexpr bool IsFreehand(StrokeKind kind) { return !IsShape(kind); }

struct Stroke {
  StrokeKind kind = StrokeKind::Pen;
  int width = 6;
  std::uint32_t colour = 0;  // COLORREF: red in the low byte, blue in the high one
  std::vector<gdi::Point> points;
};

// The pen width of the first stroke and of width-picker entry `entry`.
inline constexpr int kInitialPenWidth = 6;
constexpr int PenWidthForEntry(int entry) { return 2 * entry + 1; }

// A freehand point is kept only when it is more than 2 pixels (Manhattan
// distance) away from the last one kept: the pointer reports far more points
// than a stroke needs, and each kept point costs a segment.
constexpr bool FarEnoughForNewPoint(gdi::Point last, gdi::Point next) {
  return std::abs(next.x - last.x) + std::abs(next.y - last.y) > 2;
}

// The eraser draws in this colour into its mask; the highlighter's alpha.
inline constexpr std::uint32_t kEraserKeyColour = 0xFFC0FF;  // RGB(255, 192, 255)
inline constexpr int kHighlighterAlpha = 128;

// The stroke's pen width on screen: the highlighter draws twice as wide.
constexpr int DrawnWidth(const Stroke& stroke) {
  return stroke.kind == StrokeKind::Highlighter ? 2 * stroke.width : stroke.width;
}

}  // namespace orvilo::drawing
