// What drawing surfaces share about pointers: a finger or a pen arrives as
// touch and tablet events, and the mouse events the system makes of them too
// must not draw a second time.
#pragma once

class QMouseEvent;

namespace orvilo::drawing {

// True for a mouse event made from a touch screen or a pen.
bool IsEmulatedMouse(const QMouseEvent* event);

}  // namespace orvilo::drawing
