// Where the live view draws its frame and its navigator: plain arithmetic on
// client, frame and selection sizes, tested directly.
#pragma once

#include <QRect>
#include <QSize>

#include "core/view_mode.h"
#include "platform/gdi/rect.h"

namespace orvilo::camera {

// The part of the frame to draw and where; nothing to draw when `draw` is
// false (zoomed in with no region chosen yet).
struct FrameDraw {
  bool draw = false;
  QRect source;  // frame pixels
  QRect target;  // client pixels
};

// Inset arrangement or fit mode 0: the whole frame stretched over the whole
// client. Fit mode 1: the frame scaled by zoom × the fitting scale and
// centred (bars at the sides or top and bottom); zoomed in, the zoom source
// region fills the client, except along an axis where the scaled frame is
// still narrower than the client, which keeps its centred span.
FrameDraw PlanFrameDraw(QSize client, QSize frame, int fitMode, double zoom, Arrangement arrangement,
                        const gdi::Rect& zoomSource);

// The navigator at the top right of the client: 221 high, as wide as the
// client's shape asks (client width × 221 ÷ client height). Empty for an
// empty client.
QRect NavigatorPlacement(QSize client);

// The navigator's selection (its own coordinates) as frame pixels: clipped to
// the thumbnail, made relative to it and scaled by frame ÷ thumbnail.
gdi::Rect ZoomSourceFromSelection(const gdi::Rect& selection, const gdi::Rect& thumbnail, QSize frame);

}  // namespace orvilo::camera
