// What drawing surfaces share about pointers: a finger or a pen arrives as
// touch and tablet events, and the mouse events the system makes of them too
// must not draw a second time; a finger held still asks for a picker.
#pragma once

#include "drawing/stroke.h"

class QMouseEvent;

namespace orvilo::drawing {

// A finger held this long within kLongPressSlop of where it touched down is
// a long press (the usual figures of touch desktops).
inline constexpr int kLongPressMilliseconds = 600;
inline constexpr int kLongPressSlop = 10;

// The picker a long press opens for a tool (its palette command): the shapes
// for a shape, the widths for the eraser, the colours for the pen and the
// highlighter.
int PickerOfTool(StrokeKind tool);

// True for a mouse event made from a touch screen or a pen.
bool IsEmulatedMouse(const QMouseEvent* event);

}  // namespace orvilo::drawing
