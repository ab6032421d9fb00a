#include "drawing/picture_mapping.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace orvilo::drawing {

namespace {

int Scaled(int value, int from, int fromSpan, int to, int toSpan) {
  return to + static_cast<int>(std::lround(static_cast<double>(value - from) * toSpan / fromSpan));
}

gdi::Point Map(gdi::Point p, const gdi::Rect& from, const gdi::Rect& to) {
  return gdi::Point{Scaled(p.x, from.left, from.Width(), to.left, to.Width()),
                    Scaled(p.y, from.top, from.Height(), to.top, to.Height())};
}

Stroke MapStroke(const Stroke& stroke, const gdi::Rect& from, const gdi::Rect& to) {
  Stroke mapped = stroke;
  for (gdi::Point& p : mapped.points) p = Map(p, from, to);
  const double scale = (static_cast<double>(to.Width()) / from.Width() + static_cast<double>(to.Height()) / from.Height()) / 2;
  mapped.width = std::max(1, static_cast<int>(std::lround(stroke.width * scale)));
  return mapped;
}

// A quarter turn clockwise of a pixel of a picture of `size`.
gdi::Point TurnClockwise(gdi::Point p, gdi::Size size) { return gdi::Point{size.height - 1 - p.y, p.x}; }
gdi::Point TurnBack(gdi::Point p, gdi::Size turnedSize) { return gdi::Point{p.y, turnedSize.width - 1 - p.x}; }
gdi::Size Swapped(gdi::Size size) { return gdi::Size{size.height, size.width}; }

}  // namespace

gdi::Point ToPicture(const PictureMapping& mapping, gdi::Point view) {
  return mapping.IsEmpty() ? view : Map(view, mapping.target, mapping.source);
}

gdi::Point ToView(const PictureMapping& mapping, gdi::Point picture) {
  return mapping.IsEmpty() ? picture : Map(picture, mapping.source, mapping.target);
}

Stroke StrokeToPicture(const Stroke& inView, const PictureMapping& mapping) {
  return mapping.IsEmpty() ? inView : MapStroke(inView, mapping.target, mapping.source);
}

Stroke StrokeToView(const Stroke& inPicture, const PictureMapping& mapping) {
  return mapping.IsEmpty() ? inPicture : MapStroke(inPicture, mapping.source, mapping.target);
}

gdi::Point RotateFlipPoint(gdi::Point p, gdi::Size source, int code) {
  if (code < 0 || code > 7) return p;
  gdi::Size size = source;
  for (int turn = 0; turn < (code & 3); ++turn) {
    p = TurnClockwise(p, size);
    size = Swapped(size);
  }
  if (code >= 4) p.x = size.width - 1 - p.x;
  return p;
}

gdi::Point UnrotateFlipPoint(gdi::Point p, gdi::Size source, int code) {
  if (code < 0 || code > 7) return p;
  gdi::Size size = (code & 1) != 0 ? Swapped(source) : source;
  if (code >= 4) p.x = size.width - 1 - p.x;
  for (int turn = 0; turn < (code & 3); ++turn) {
    p = TurnBack(p, size);
    size = Swapped(size);
  }
  return p;
}

}  // namespace orvilo::drawing
