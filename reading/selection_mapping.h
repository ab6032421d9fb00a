// From the region the teacher marked on the image view (window pixels) to
// the rectangle of the page picture that is recognised (page pixels).
#pragma once

#include "platform/gdi/rect.h"

namespace orvilo::reading {

// How the image view shows its page.
struct PageGeometry {
  int imageWidth = 0;   // W
  int imageHeight = 0;  // H
  int clientWidth = 0;  // cw
  int clientHeight = 0; // ch
  gdi::Rect selection;  // window pixels; narrower or lower than 1 pixel: the whole page
  float zoom = 1.0f;    // 1 = whole page fitted
  gdi::Rect source;     // page pixels shown when zoomed in
  bool fullScreen = false;  // stretched to the window instead of fitted
};

struct MappedSelection {
  int x = 0, y = 0, w = 0, h = 0;  // page pixels
  // The selection as the view keeps it afterwards: clamped to the displayed
  // page when the page is fitted, else as it was.
  gdi::Rect selection;
};

// All divisions truncate toward zero, as the view's own layout does. A
// geometry that shows nothing (no window, no page) maps to the whole page.
MappedSelection MapSelection(const PageGeometry& page);

}  // namespace orvilo::reading
