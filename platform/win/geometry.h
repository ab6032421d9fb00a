// Conversions between the program's rectangles (exclusive right and bottom)
// and the toolkit's.
#pragma once

#include <QRect>

#include "platform/gdi/rect.h"

namespace orvilo::win {

inline QRect ToQRect(const gdi::Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }
inline gdi::Rect FromQRect(const QRect& r) { return gdi::Rect::FromPositionAndSize(r.x(), r.y(), r.width(), r.height()); }
inline QPoint ToQPoint(gdi::Point p) { return QPoint(p.x, p.y); }

}  // namespace orvilo::win
