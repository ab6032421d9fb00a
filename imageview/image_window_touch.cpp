// The image view under fingers and pens: one finger and the pen draw (or
// mark a region) exactly as the mouse does, two fingers pinch to zoom and
// drag to pan, and a finger held still opens the current tool's picker.
#include <QTabletEvent>
#include <QTouchEvent>
#include <cmath>

#include "core/command_ids.h"
#include "core/zoom.h"
#include "drawing/pointer_events.h"
#include "imageview/image_window.h"

namespace orvilo::imageview {

namespace {

using drawing::kLongPressMilliseconds;
using drawing::kLongPressSlop;

gdi::Point PointOf(const QPointF& position) {
  const QPoint p = position.toPoint();
  return gdi::Point{p.x(), p.y()};
}

}  // namespace

bool CVyr3ImageWnd::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
      // Accepting the touch keeps Qt from making mouse events of it too.
      OnTouch(static_cast<QTouchEvent*>(event));
      event->accept();
      return true;
    default: return ImageView::event(event);
  }
}

void CVyr3ImageWnd::OnTouch(QTouchEvent* event) {
  if (event->type() == QEvent::TouchCancel) {
    longPress_.stop();
    DiscardStroke();
    if (markingDrag_) EndMarking();
    pinchFrom_.reset();
    touchActive_ = false;
    return;
  }
  const QList<QEventPoint>& points = event->points();
  if (points.isEmpty()) return;
  std::vector<const QEventPoint*> down;
  for (const QEventPoint& point : points) {
    if (point.state() != QEventPoint::State::Released) down.push_back(&point);
  }
  const bool ending = event->type() == QEvent::TouchEnd;
  touchActive_ = !ending;

  // Two fingers (and whatever follows until every finger is up) zoom and
  // pan; a stroke or region the first finger began is dropped.
  if (pinchFrom_ || down.size() >= 2) {
    if (!pinchFrom_) {
      longPress_.stop();
      DiscardStroke();
      markingDrag_ = false;
      ReleaseCapture();
    }
    if (down.size() >= 2) {
      const QPointF a = down[0]->position(), b = down[1]->position();
      OnTwoFingers(TwoFingers{a.x(), a.y(), b.x(), b.y()});
    } else {
      // A finger lifted: still a gesture until every finger is up, and the
      // next pair is measured afresh.
      pinchFrom_ = TwoFingers{};
      pinchPercent_ = -1;
    }
    if (ending) pinchFrom_.reset();
    return;
  }

  const QEventPoint& finger = points.front();
  const gdi::Point at = PointOf(finger.position());
  switch (event->type()) {
    case QEvent::TouchBegin:
      touchStart_ = at;
      if (mode_ == ViewMode::Image) longPress_.start(kLongPressMilliseconds);
      BeginPointer(at);
      break;
    case QEvent::TouchUpdate:
      if (std::abs(at.x - touchStart_.x) > kLongPressSlop || std::abs(at.y - touchStart_.y) > kLongPressSlop) {
        longPress_.stop();
      }
      MovePointer(at, rect().contains(at.x, at.y));
      break;
    default:
      longPress_.stop();
      EndPointer(at);
      break;
  }
}

// Measured from where the pair stood when the gesture (or this pair) began,
// so the zoom does not drift by rounding step after step.
void CVyr3ImageWnd::OnTwoFingers(const TwoFingers& now) {
  if (!pinchFrom_ || pinchPercent_ < 0) {
    pinchFrom_ = now;
    pinchPercent_ = static_cast<int>(std::lround(zoom_ * 100.0f));
    pinchSource_ = sourceRect_;
    return;
  }
  const PinchView view = PinchTo(ImageSize(), gdi::Size{width(), height()}, pinchPercent_, pinchSource_, *pinchFrom_, now);
  // The same factor the main window gives back for the percentage, so its
  // SetZoom finds the view already there and keeps the source rectangle.
  const auto zoom = static_cast<float>(core::ZoomFactor(view.percent));
  const bool zoomed = zoom != zoom_;
  if (!zoomed && view.source == sourceRect_) return;
  zoom_ = zoom;
  sourceRect_ = view.source;
  RepaintAll();
  if (zoomed) {
    if (win::Window* owner = Owner()) owner->SendMessage(message::kTouchZoom, static_cast<std::uintptr_t>(view.percent));
  }
}

// The finger's dot is not kept; the palette opens the picker beside its
// button, through the main window, once this touch is handled.
void CVyr3ImageWnd::OnLongPress() {
  if (mode_ != ViewMode::Image || !current_ || !touchActive_) return;
  const StrokeKind tool = current_->kind;
  DiscardStroke();
  if (win::Window* owner = Owner()) owner->PostCommand(drawing::PickerOfTool(tool));
}

// The pen draws with the width chosen in the width picker: its pressure is
// not used, so a pen stroke is the same as a mouse stroke along its path.
void CVyr3ImageWnd::tabletEvent(QTabletEvent* event) {
  event->accept();  // no mouse events made from the pen
  const gdi::Point at = PointOf(event->position());
  switch (event->type()) {
    case QEvent::TabletPress:
      if (event->button() != Qt::LeftButton) return;
      penDown_ = true;
      BeginPointer(at);
      break;
    case QEvent::TabletMove:
      if (penDown_) MovePointer(at, rect().contains(at.x, at.y));
      break;
    case QEvent::TabletRelease:
      if (!penDown_ || event->button() != Qt::LeftButton) return;
      penDown_ = false;
      EndPointer(at);
      break;
    default: break;
  }
}

}  // namespace orvilo::imageview
