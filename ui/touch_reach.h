// Finger-sized hit areas for small controls. A finger on an interactive
// display covers about 40 pixels of a 1080p screen, more than many of the
// skin's buttons, the tabs or a picker's rows. The pictures stay as they
// are; a press made from a touch that lands just outside a control (on
// whatever lies under it) goes to the control when it falls inside the
// control's area grown to 40 pixels, to the nearest one when several reach.
// The mouse keeps the exact areas.
#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

#include "platform/gdi/rect.h"

class QMouseEvent;
class QWidget;

namespace orvilo::ui {

inline constexpr int kMinimumTouchTarget = 40;

// `place` grown about its centre on each axis shorter than `minimum` to
// that size (an odd extra pixel goes to the right or bottom).
gdi::Rect TouchHitArea(const gdi::Rect& place, int minimum = kMinimumTouchTarget);

// Of `places`, the one a finger at `point` means: one that holds the point
// itself, else the nearest whose hit area holds it; -1 for none.
int TouchTargetAt(const std::vector<gdi::Rect>& places, gdi::Point point, int minimum = kMinimumTouchTarget);

// A mouse event the system made from a finger on a touch screen.
bool IsFromTouch(const QMouseEvent& event);

// Makes `widget` a target that touches near it reach (skin buttons, the
// tabs, the pickers mark themselves).
void MarkTouchTarget(QWidget* widget);
bool IsTouchTarget(const QWidget* widget);

// Watches the application's mouse events made from touches and sends those
// that land near a target to it. One for the program, while it runs.
class TouchReach : public QObject {
 public:
  TouchReach();
  ~TouchReach() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Redirect(QWidget* target, const QMouseEvent& event);
  QPointer<QWidget> target_;  // the control a touch's press went to, until its release
  bool redirecting_ = false;
};

}  // namespace orvilo::ui
