// Strokes kept in a picture's own pixels while they are drawn in a view that
// shows the picture scaled, zoomed in or turned: the drawing over the live
// picture stays on the page under it whatever the view does. Plain
// arithmetic, tested directly.
#pragma once

#include "drawing/stroke.h"
#include "platform/gdi/rect.h"

namespace orvilo::drawing {

// The picture's pixels `source` are shown in the view's pixels `target`.
struct PictureMapping {
  gdi::Rect source;
  gdi::Rect target;
  bool IsEmpty() const { return source.Width() <= 0 || source.Height() <= 0 || target.Width() <= 0 || target.Height() <= 0; }
  bool operator==(const PictureMapping&) const = default;
};

gdi::Point ToPicture(const PictureMapping& mapping, gdi::Point view);
gdi::Point ToView(const PictureMapping& mapping, gdi::Point picture);

// The stroke with every point mapped and its width scaled by the mean of the
// two axes' scales (at least 1 pixel). An empty mapping leaves it as it is.
Stroke StrokeToPicture(const Stroke& inView, const PictureMapping& mapping);
Stroke StrokeToView(const Stroke& inPicture, const PictureMapping& mapping);

// A pixel of a picture of `source` size after the rotate/flip `code` (0..7,
// platform/gdi/rotate_flip.h: quarter turns clockwise, then the mirror), and
// back from the transformed picture to the source. Codes outside 0..7 leave
// the point where it is.
gdi::Point RotateFlipPoint(gdi::Point p, gdi::Size source, int code);
gdi::Point UnrotateFlipPoint(gdi::Point p, gdi::Size source, int code);

}  // namespace orvilo::drawing
