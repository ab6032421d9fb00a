#include "drawing/pointer_events.h"

#include <QMouseEvent>
#include <QPointingDevice>

namespace orvilo::drawing {

bool IsEmulatedMouse(const QMouseEvent* event) {
  const QPointingDevice* device = event->pointingDevice();
  if (device == nullptr) return false;
  switch (device->type()) {
    case QInputDevice::DeviceType::TouchScreen:
    case QInputDevice::DeviceType::Stylus:
    case QInputDevice::DeviceType::Airbrush:
    case QInputDevice::DeviceType::Puck: return true;
    default: return false;
  }
}

}  // namespace orvilo::drawing
