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

// The capture devices of the system as GStreamer's device monitor lists them
// (V4L2 video sources; ALSA, PulseAudio or PipeWire audio sources). A video
// device's display string is "usb#vid_xxxx&pid_xxxx#/dev/videoN" with the
// identifiers from sysfs (only the part between the #s for other buses).
// Without a monitor (GStreamer or its V4L2 plug-in missing) the V4L2 nodes
// of sysfs are listed instead.
std::unique_ptr<DeviceEnumerator> MakeSystemDeviceEnumerator();

// The system's devices plus the built-in demo camera (model 8) and the demo
// microphone, listed last.
std::unique_ptr<DeviceEnumerator> MakeDemoDeviceEnumerator(std::unique_ptr<DeviceEnumerator> system);

inline constexpr const char* kDemoCameraPath = "demo";

}  // namespace orvilo::media
