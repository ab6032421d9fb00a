#include "camera/picture_controls.h"

#include <linux/videodev2.h>

#include <algorithm>
#include <cctype>

#include "platform/profile/private_profile.h"

namespace orvilo::camera {
namespace {

constexpr PictureControl kOrder[] = {PictureControl::Brightness,       PictureControl::Contrast,
                                     PictureControl::AutoExposure,     PictureControl::Exposure,
                                     PictureControl::AutoWhiteBalance, PictureControl::WhiteBalance,
                                     PictureControl::PowerLine};

// UVC cameras offer "manual" and "aperture priority" (their automatic mode);
// other drivers offer plain "auto". Automatic means whichever is accepted.
constexpr std::int32_t kExposureAutomaticModes[] = {V4L2_EXPOSURE_APERTURE_PRIORITY, V4L2_EXPOSURE_AUTO};

bool IsSwitch(PictureControl control) {
  return control == PictureControl::AutoExposure || control == PictureControl::AutoWhiteBalance;
}

}  // namespace

std::uint32_t V4l2IdOf(PictureControl control) {
  switch (control) {
    case PictureControl::Brightness: return V4L2_CID_BRIGHTNESS;
    case PictureControl::Contrast: return V4L2_CID_CONTRAST;
    case PictureControl::AutoExposure: return V4L2_CID_EXPOSURE_AUTO;
    case PictureControl::Exposure: return V4L2_CID_EXPOSURE_ABSOLUTE;
    case PictureControl::AutoWhiteBalance: return V4L2_CID_AUTO_WHITE_BALANCE;
    case PictureControl::WhiteBalance: return V4L2_CID_WHITE_BALANCE_TEMPERATURE;
    case PictureControl::PowerLine: break;
  }
  return V4L2_CID_POWER_LINE_FREQUENCY;
}

std::string_view SettingsKeyOf(PictureControl control) {
  switch (control) {
    case PictureControl::Brightness: return "BRIGHTNESS";
    case PictureControl::Contrast: return "CONTRAST";
    case PictureControl::AutoExposure: return "EXPOSURE_AUTO";
    case PictureControl::Exposure: return "EXPOSURE";
    case PictureControl::AutoWhiteBalance: return "WHITE_BALANCE_AUTO";
    case PictureControl::WhiteBalance: return "WHITE_BALANCE";
    case PictureControl::PowerLine: break;
  }
  return "POWER_LINE";
}

std::string PictureSectionOf(core::CameraModel model) { return "PICTURE" + std::to_string(model); }

std::optional<PictureControl> AutomaticSwitchOf(PictureControl control) {
  if (control == PictureControl::Exposure) return PictureControl::AutoExposure;
  if (control == PictureControl::WhiteBalance) return PictureControl::AutoWhiteBalance;
  return std::nullopt;
}

PictureControls::PictureControls(const camctl::ControlDevice& device) : device_(device) {}

std::optional<std::int32_t> PictureControls::ReadValue(PictureControl control, const camctl::ControlInfo& info) const {
  const auto raw = device_.Get(info.id);
  if (!raw) return std::nullopt;
  if (control == PictureControl::AutoExposure) return *raw == V4L2_EXPOSURE_MANUAL ? 0 : 1;
  if (control == PictureControl::AutoWhiteBalance) return *raw != 0 ? 1 : 0;
  return *raw;
}

std::vector<PictureControlState> PictureControls::Read() const {
  std::vector<PictureControlState> states;
  for (PictureControl control : kOrder) {
    const auto info = device_.Query(V4l2IdOf(control));
    if (!info || info->disabled) continue;
    const auto value = ReadValue(control, *info);
    if (!value) continue;
    PictureControlState state{control};
    if (IsSwitch(control)) {
      state.minimum = 0;
      state.maximum = 1;
      state.defaultValue = control == PictureControl::AutoExposure ? (info->defaultValue == V4L2_EXPOSURE_MANUAL ? 0 : 1)
                                                                  : (info->defaultValue != 0 ? 1 : 0);
    } else {
      state.minimum = info->minimum;
      state.maximum = std::max(info->minimum, info->maximum);
      state.step = std::max(1, info->step);
      state.defaultValue = info->defaultValue;
    }
    state.value = *value;
    states.push_back(state);
  }
  return states;
}

bool PictureControls::Has(PictureControl control) const {
  const auto info = device_.Query(V4l2IdOf(control));
  return info && !info->disabled;
}

bool PictureControls::Set(PictureControl control, std::int32_t value) const {
  const auto info = device_.Query(V4l2IdOf(control));
  if (!info || info->disabled) return false;
  if (control == PictureControl::AutoExposure) {
    if (value == 0) return device_.Set(info->id, V4L2_EXPOSURE_MANUAL);
    for (std::int32_t mode : kExposureAutomaticModes) {
      if (mode >= info->minimum && mode <= info->maximum && device_.Set(info->id, mode)) return true;
    }
    return false;
  }
  if (control == PictureControl::AutoWhiteBalance) return device_.Set(info->id, value != 0 ? 1 : 0);
  return device_.Set(info->id, std::clamp(value, info->minimum, std::max(info->minimum, info->maximum)));
}

int PictureControls::Apply(const PictureValues& values) const {
  int written = 0;
  const auto apply = [&](PictureControl control) {
    const auto found = values.find(control);
    if (found != values.end() && Set(control, found->second)) ++written;
  };
  // A value by hand is refused (or undone) while the camera's automatic
  // mode is on, so the switches go first.
  apply(PictureControl::AutoExposure);
  apply(PictureControl::AutoWhiteBalance);
  for (PictureControl control : kOrder) {
    if (IsSwitch(control)) continue;
    if (const auto automatic = AutomaticSwitchOf(control)) {
      const auto info = device_.Query(V4l2IdOf(*automatic));
      const auto on = info ? ReadValue(*automatic, *info) : std::nullopt;
      if (on && *on != 0) continue;
    }
    apply(control);
  }
  return written;
}

PictureValues ReadSavedPictureValues(const std::string& settingsPath, core::CameraModel model) {
  PictureValues values;
  const std::string section = PictureSectionOf(model);
  for (PictureControl control : kOrder) {
    const std::string text = profile::ReadProfileString(settingsPath, section, SettingsKeyOf(control));
    const auto start = text.find_first_not_of(" \t");
    if (start == std::string::npos) continue;
    const char first = text[start];
    if (!std::isdigit(static_cast<unsigned char>(first)) && first != '-' && first != '+') continue;
    values[control] = profile::ReadProfileNumber(text);
  }
  return values;
}

bool SavePictureValue(const std::string& settingsPath, core::CameraModel model, PictureControl control,
                      std::int32_t value) {
  if (settingsPath.empty()) return false;
  return profile::WriteProfileString(settingsPath, PictureSectionOf(model), SettingsKeyOf(control),
                                     std::to_string(value));
}

}  // namespace orvilo::camera
