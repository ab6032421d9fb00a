// Where the image view draws its picture and its navigator, as plain
// arithmetic over sizes (client cw x ch, picture W x H, zoom z).
#pragma once

#include "platform/gdi/rect.h"

namespace orvilo::imageview {

// What to draw: `source` (picture pixels) stretched into `target` (client
// coordinates); nothing when `draw` is false.
struct Placement {
  bool draw = false;
  gdi::Rect target;
  gdi::Rect source;
};

// The picture's placement. Stretched over the whole client area when
// `stretch` (full-screen picture, or the view is the inset). Otherwise
// fitted with its aspect kept: s = min(cw / (W / z), ch / (H / z)), the
// picture W s x H s centred. At z <= 1 the whole picture is drawn there;
// above 1 the source rectangle (from the navigator) is drawn there, the
// display widened to the client area on each axis the picture overflows, and
// nothing is drawn while the source rectangle is empty.
Placement PicturePlacement(gdi::Size picture, gdi::Size client, float zoom, bool stretch, const gdi::Rect& source);

// The navigator in the top-right corner: width cw x 221 / ch, height 221.
inline constexpr int kNavigatorHeight = 221;
gdi::Rect NavigatorRect(gdi::Size client);

// The source rectangle from the navigator's report: its view rectangle V
// and thumbnail rectangle T (navigator coordinates), the picture W x H.
// V is taken relative to T, and an axis wider than T spans all of it.
gdi::Rect SourceFromNavigator(const gdi::Rect& view, const gdi::Rect& thumbnail, gdi::Size picture);

// The source rectangle a zoom starts with when no navigator reports one:
// the picture's top-left region that fills the display, as the navigator's
// first layout gives it.
gdi::Rect InitialSourceRect(gdi::Size picture, gdi::Size client, float zoom);

// Two fingers on the view: where they stood when the gesture began (or was
// last re-based) and where they stand now, in client coordinates.
struct TwoFingers {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  double CentreX() const { return (x1 + x2) / 2; }
  double CentreY() const { return (y1 + y2) / 2; }
  double Distance() const;
};

// What a pinch or a two-finger drag leads to.
struct PinchView {
  int percent = 100;  // the zoom, within 25..1000 %
  gdi::Rect source;   // the source rectangle at that zoom
};

// The zoom scales with the fingers' distance (from `percent` at `from`),
// clamped to 25..1000 %; above 100 % the picture point that lay under the
// fingers' centre at `from` (drawn from `source`) lies under their centre
// now, so a drag without spreading pans. The source rectangle stays inside
// the picture; at 100 % and below it is the whole picture (nothing to pan).
PinchView PinchTo(gdi::Size picture, gdi::Size client, int percent, const gdi::Rect& source, const TwoFingers& from,
                  const TwoFingers& now);

}  // namespace orvilo::imageview
