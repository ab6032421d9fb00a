// The watches behind DeviceEnumerator::WatchVideoDevices: GStreamer's
// device monitor, the demo camera's plug, and both at once.
#pragma once

#include <functional>
#include <memory>

#include "platform/media/device_enumerator.h"

namespace orvilo::media {

// The device monitor's video sources: `changed` on every device added,
// removed or changed that a device provider reports (V4L2 through udev,
// PipeWire, ...), called on the provider's thread. Null when GStreamer or
// the monitor cannot start.
std::unique_ptr<DeviceWatch> WatchDeviceMonitor(std::function<void()> changed);

// The demo camera's plug (DemoCameraPlugged), looked at every
// kDemoPlugPollMilliseconds on a thread of its own: `changed` when it was
// plugged in or out since the last look.
inline constexpr int kDemoPlugPollMilliseconds = 100;
std::unique_ptr<DeviceWatch> WatchDemoCameraPlug(std::function<void()> changed);

// Both watches as one (either may be null); null when both are.
std::unique_ptr<DeviceWatch> CombineWatches(std::unique_ptr<DeviceWatch> first, std::unique_ptr<DeviceWatch> second);

}  // namespace orvilo::media
