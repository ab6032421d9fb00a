#include "ui/touch_reach.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <algorithm>
#include <limits>

namespace orvilo::ui {

namespace {

constexpr char kTouchTargetProperty[] = "orvilo_touch_target";

long long SquaredDistance(const gdi::Rect& r, gdi::Point p) {
  const long long dx = p.x < r.left ? r.left - p.x : p.x >= r.right ? p.x - r.right + 1 : 0;
  const long long dy = p.y < r.top ? r.top - p.y : p.y >= r.bottom ? p.y - r.bottom + 1 : 0;
  return dx * dx + dy * dy;
}

bool Holds(const gdi::Rect& r, gdi::Point p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

gdi::Rect PlaceInWindow(const QWidget* widget) {
  const QPoint topLeft = widget->mapTo(widget->window(), QPoint(0, 0));
  return gdi::Rect::FromPositionAndSize(topLeft.x(), topLeft.y(), widget->width(), widget->height());
}

}  // namespace

gdi::Rect TouchHitArea(const gdi::Rect& place, int minimum) {
  gdi::Rect area = place;
  if (const int extra = minimum - place.Width(); extra > 0) {
    area.left -= extra / 2;
    area.right += extra - extra / 2;
  }
  if (const int extra = minimum - place.Height(); extra > 0) {
    area.top -= extra / 2;
    area.bottom += extra - extra / 2;
  }
  return area;
}

int TouchTargetAt(const std::vector<gdi::Rect>& places, gdi::Point point, int minimum) {
  int best = -1;
  long long bestDistance = std::numeric_limits<long long>::max();
  for (int i = 0; i < static_cast<int>(places.size()); ++i) {
    const gdi::Rect& place = places[static_cast<std::size_t>(i)];
    if (!Holds(TouchHitArea(place, minimum), point)) continue;
    const long long distance = SquaredDistance(place, point);
    if (distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

bool IsFromTouch(const QMouseEvent& event) {
  const QPointingDevice* device = event.pointingDevice();
  return device != nullptr && device->type() == QInputDevice::DeviceType::TouchScreen;
}

void MarkTouchTarget(QWidget* widget) {
  if (widget) widget->setProperty(kTouchTargetProperty, true);
}

bool IsTouchTarget(const QWidget* widget) { return widget && widget->property(kTouchTargetProperty).toBool(); }

TouchReach::TouchReach() {
  if (qApp) qApp->installEventFilter(this);
}

TouchReach::~TouchReach() {
  if (qApp) qApp->removeEventFilter(this);
}

bool TouchReach::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease) return false;
  if (!watched->isWidgetType()) return false;
  auto* receiver = static_cast<QWidget*>(watched);
  const auto& mouse = *static_cast<QMouseEvent*>(event);
  if (!IsFromTouch(mouse)) return false;

  if (type != QEvent::MouseButtonPress) {
    if (!target_ || receiver == target_) return false;
    const bool handled = Redirect(target_, mouse);
    if (type == QEvent::MouseButtonRelease) target_.clear();
    return handled;
  }
  for (const QWidget* w = receiver; w != nullptr; w = w->isWindow() ? nullptr : w->parentWidget()) {
    if (IsTouchTarget(w)) {
      if (!redirecting_) target_.clear();
      return false;  // on a target: it takes the press itself
    }
  }
  target_.clear();
  QWidget* window = receiver->window();
  std::vector<QWidget*> targets;
  std::vector<gdi::Rect> places;
  for (QWidget* candidate : window->findChildren<QWidget*>()) {
    if (!IsTouchTarget(candidate) || !candidate->isVisible() || !candidate->isEnabled()) continue;
    targets.push_back(candidate);
    places.push_back(PlaceInWindow(candidate));
  }
  const QPoint at = receiver->mapTo(window, mouse.position().toPoint());
  const int found = TouchTargetAt(places, gdi::Point{at.x(), at.y()});
  if (found < 0) return false;
  QWidget* chosen = targets[static_cast<std::size_t>(found)];
  Redirect(chosen, mouse);
  target_ = chosen;
  return true;
}

// The event goes to the target at the nearest point inside it, so the
// control takes it as a press (and a release) on itself.
bool TouchReach::Redirect(QWidget* target, const QMouseEvent& event) {
  const QPoint global = event.globalPosition().toPoint();
  QPoint local = target->mapFromGlobal(global);
  local.setX(std::clamp(local.x(), 0, std::max(target->width() - 1, 0)));
  local.setY(std::clamp(local.y(), 0, std::max(target->height() - 1, 0)));
  QMouseEvent moved(event.type(), QPointF(local), QPointF(local), QPointF(target->mapToGlobal(local)), event.button(),
                    event.buttons(), event.modifiers(), event.pointingDevice());
  redirecting_ = true;
  QApplication::sendEvent(target, &moved);
  redirecting_ = false;
  return true;
}

}  // namespace orvilo::ui
