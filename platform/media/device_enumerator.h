// The capture devices the system offers: video and audio inputs with the
// name people see and a display string that carries the USB identifiers
// ("vid_xxxx&pid_xxxx"), so that the camera model can be told from it.
#pragma once

#include <functional>
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

// A running watch over a source's video devices (device_watch.h); watching
// stops when it is destroyed.
class DeviceWatch {
 public:
  virtual ~DeviceWatch() = default;
};

// A source of device lists: the system's, the demo camera's, or a test's.
class DeviceEnumerator {
 public:
  virtual ~DeviceEnumerator() = default;
  virtual std::vector<CaptureDevice> VideoDevices() = 0;
  virtual std::vector<CaptureDevice> AudioDevices() = 0;
  // Starts watching the video devices: `changed` is called whenever one may
  // have been added or removed, on a thread of the watch (never the
  // caller's), so it should only post to its window. Destroying the watch
  // stops it and waits for a call in progress. Null when the source cannot
  // be watched (callers then look again from time to time); so by default.
  virtual std::unique_ptr<DeviceWatch> WatchVideoDevices(std::function<void()> changed);
};

// The capture devices of the system as GStreamer's device monitor lists them
// (V4L2 video sources; ALSA, PulseAudio or PipeWire audio sources). A video
// device's display string is "usb#vid_xxxx&pid_xxxx#/dev/videoN" with the
// identifiers from sysfs (only the part between the #s for other buses).
// Without a monitor (GStreamer or its V4L2 plug-in missing) the V4L2 nodes
// of sysfs are listed instead. Watched through the same monitor's device
// messages; not watched without one.
std::unique_ptr<DeviceEnumerator> MakeSystemDeviceEnumerator();

// The system's devices plus the built-in demo camera (model 8) and the demo
// microphone, listed last while the demo camera is plugged in
// (demo_camera_plug.h). Its watch reports the system's changes and the demo
// camera's plugging.
std::unique_ptr<DeviceEnumerator> MakeDemoDeviceEnumerator(std::unique_ptr<DeviceEnumerator> system);

inline constexpr const char* kDemoCameraPath = "demo";

}  // namespace orvilo::media
