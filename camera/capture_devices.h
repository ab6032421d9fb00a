// The capture devices the main window knows: video and audio inputs as
// the system lists them, the camera model read from the product identifier
// in a video device's name, and the binding of matching cameras to the
// camera view.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/camera_model.h"
#include "platform/media/device_enumerator.h"

namespace orvilo::camera {

using media::CaptureDevice;
using media::DeviceEnumerator;

// The model whose product identifier the name contains (searched in the
// fixed list order); 0 when none. The name is searched as given.
core::CameraModel ModelFromDisplayName(const std::string& displayName);

class CaptureDevices {
 public:
  explicit CaptureDevices(DeviceEnumerator& enumerator) : enumerator_(enumerator) {}

  // Fills both lists afresh; the number of video devices.
  int EnumerateDevices();
  // Enumerates when no video device is listed yet, then the model of the
  // first device (in list order) that names a known product; 0 when none.
  core::CameraModel IdentifyModel();
  // Calls `select(video, firstAudioOrNull)` for every listed device that
  // names a known product, in any letter case as identification reads it
  // (the last one stays bound); 1 when any matched.
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
