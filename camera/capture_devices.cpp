#include "camera/capture_devices.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace orvilo::camera {
namespace {

// Product identifiers of the supported cameras, in search order, each with
// its model number.
constexpr std::array<std::pair<const char*, core::CameraModel>, 8> kKnownProducts = {{
    {"pid_a301", 1},
    {"pid_a302", 2},
    {"pid_a303", 3},
    {"pid_a304", 4},
    {"pid_a305", 5},
    {"pid_a306", 6},
    {"pid_a307", 7},
    {"pid_a308", 8},
}};

std::string ToLower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

}  // namespace

core::CameraModel ModelFromDisplayName(const std::string& displayName) {
  for (const auto& [product, model] : kKnownProducts) {
    if (displayName.find(product) != std::string::npos) return model;
  }
  return core::kNoCamera;
}

int CaptureDevices::EnumerateDevices() {
  Release();
  video_ = enumerator_.VideoDevices();
  audio_ = enumerator_.AudioDevices();
  return static_cast<int>(video_.size());
}

core::CameraModel CaptureDevices::IdentifyModel() {
  if (video_.empty()) EnumerateDevices();
  for (const auto& device : video_) {
    const core::CameraModel model = ModelFromDisplayName(ToLower(device.displayName));
    if (model != core::kNoCamera) return model;
  }
  return core::kNoCamera;
}

int CaptureDevices::BindCamera(const std::function<void(const CaptureDevice&, const CaptureDevice*)>& select) {
  int matched = 0;
  const CaptureDevice* audio = audio_.empty() ? nullptr : &audio_.front();
  for (const auto& device : video_) {
    // Lower-cased as for identification: a camera that names its product in
    // upper case is identified, so it must be bound too (otherwise start-up
    // finds a model, binds nothing and ends the program).
    if (ModelFromDisplayName(ToLower(device.displayName)) == core::kNoCamera) continue;
    select(device, audio);
    matched = 1;
  }
  return matched;
}

void CaptureDevices::Release() {
  video_.clear();
  audio_.clear();
}

}  // namespace orvilo::camera
