#include "drawing/pointer_events.h"

#include <QMouseEvent>
#include <QPointingDevice>

#include "core/command_ids.h"

namespace orvilo::drawing {

int PickerOfTool(StrokeKind tool) {
  if (IsShape(tool)) return command::kShapes;
  if (tool == StrokeKind::Eraser) return command::kPenType;
  return command::kColour;
}

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
