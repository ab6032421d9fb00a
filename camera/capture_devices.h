// The capture devices the main window knows: video and audio inputs as
// the system lists them, the camera model read from the product identifier
// in a video device's name, and the binding of matching cameras to the
// camera view.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "camera/camera_model.h"

namespace orvilo::camera {

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

// The model whose product identifier the name contains (searched in the
// fixed list order); 0 when none. The name is searched as given.
CameraModel ModelFromDisplayName(const std::string& displayName);

class CaptureDevices {
 public:
  explicit CaptureDevices(DeviceEnumerator& enumerator) : enumerator_(enumerator) {}

  // Fills both lists afresh; the number of video devices.
  int EnumerateDevices();
  // Enumerates when no video device is listed yet, then the model of the
  // first device (in list order) that names a known product; 0 when none.
  CameraModel IdentifyModel();
  // Calls `select(video, firstAudioOrNull)` for every listed device that
  // names a known product (the last one stays bound); 1 when any matched.
  int BindCamera(const std::function<void(const CaptureDevice&, const CaptureDevice*)>& select);
  void Release();

  const std::vector<CaptureDevice>& Video() const { return video_; }
  const std::vector<CaptureDevice>& Audio() const { return audio_; }

 private:
  DeviceEnumerator& enumerator_;
  std::vector<CaptureDevice> video_;
  std::vector<CaptureDevice> audio_;
};

}  // namespace orvilo::camera
