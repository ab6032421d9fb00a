// The picture controls of the bound camera: brightness, contrast, exposure
// (automatic or by hand), white balance (automatic or by hand) and the
// power-line frequency, read from the camera's V4L2 controls. A control the
// camera lacks (or reports disabled) is simply absent. The chosen values are
// kept per camera model in the settings file and applied when a camera of
// that model is bound. Toolkit-free: the device is a camctl::ControlDevice.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/camera_model.h"
#include "platform/camctl/control_device.h"

namespace orvilo::camera {

enum class PictureControl { Brightness, Contrast, AutoExposure, Exposure, AutoWhiteBalance, WhiteBalance, PowerLine };

// One control as the popup shows it. The automatic switches read 1 for
// automatic and 0 for by hand, whatever the device's own values are.
struct PictureControlState {
  PictureControl control;
  std::int32_t minimum = 0;
  std::int32_t maximum = 0;
  std::int32_t step = 1;
  std::int32_t defaultValue = 0;
  std::int32_t value = 0;
};

std::uint32_t V4l2IdOf(PictureControl control);
// The settings key of a control ("BRIGHTNESS", "EXPOSURE_AUTO", ...).
std::string_view SettingsKeyOf(PictureControl control);
// The settings file section of a camera model: "PICTURE8" for model 8.
std::string PictureSectionOf(core::CameraModel model);
// The automatic switch a manual value depends on (Exposure, WhiteBalance).
std::optional<PictureControl> AutomaticSwitchOf(PictureControl control);

using PictureValues = std::map<PictureControl, std::int32_t>;

class PictureControls {
 public:
  explicit PictureControls(const camctl::ControlDevice& device);

  // The controls the camera has, in the popup's order, with their values as
  // read now.
  std::vector<PictureControlState> Read() const;
  bool Has(PictureControl control) const;
  // Writes one control (automatic switches take 1 or 0); the value is
  // clamped into the control's range. False when the device refused or has
  // no such control.
  bool Set(PictureControl control, std::int32_t value) const;
  // Writes saved values: the automatic switches first, then the values by
  // hand only where their switch is off, then the rest. Controls the camera
  // lacks are skipped. Returns how many were written.
  int Apply(const PictureValues& values) const;

 private:
  std::optional<std::int32_t> ReadValue(PictureControl control, const camctl::ControlInfo& info) const;
  const camctl::ControlDevice& device_;
};

// The values kept for `model` in the settings file (keys that are missing
// or not numbers are left out).
PictureValues ReadSavedPictureValues(const std::string& settingsPath, core::CameraModel model);
// Keeps one value; false when the file could not be written.
bool SavePictureValue(const std::string& settingsPath, core::CameraModel model, PictureControl control,
                      std::int32_t value);

}  // namespace orvilo::camera
