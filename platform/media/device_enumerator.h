// The capture devices the system offers: video and audio inputs with the
// name people see and a display string that carries the USB identifiers
// ("vid_xxxx&pid_xxxx"), so that the camera model can be told from it.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace orvilo::media {

struct CaptureDevice {
  std::string displayName;   // holds "vid_xxxx&pid_xxxx" for USB cameras
  std::string friendlyName;  // shown to people
  std::string path;          // what the capture pipeline opens (e.g. /dev/video0, "demo")
  bool operator==(const CaptureDevice&) const = default;
};

// A source of device lists: the system's, the demo camera's, or a test's.
class DeviceEnumerator {
 public:
  virtual ~DeviceEnumerator() = default;
  virtual std::vector<CaptureDevice> VideoDevices() = 0;
  virtual std::vector<CaptureDevice> AudioDevices() = 0;
};

// The video capture devices of the system (V4L2 devices with their USB
// identifiers read from sysfs) and no audio devices of its own.
std::unique_ptr<DeviceEnumerator> MakeSystemDeviceEnumerator();

// The system's devices plus the built-in demo camera (model 8) and the demo
// microphone, listed last.
std::unique_ptr<DeviceEnumerator> MakeDemoDeviceEnumerator(std::unique_ptr<DeviceEnumerator> system);

inline constexpr const char* kDemoCameraPath = "demo";

}  // namespace orvilo::media
