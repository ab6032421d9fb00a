// The controls of a V4L2 camera (focus, saturation and the rest) and the
// UVC extension-unit call of the group-C cameras. Every call reports failure
// by its result: a device without a control, or no device at all (the demo
// camera), simply does nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvilo::camctl {

struct ControlInfo {
  std::uint32_t id = 0;
  std::string name;
  int type = 0;  // V4L2_CTRL_TYPE_*
  std::int32_t minimum = 0;
  std::int32_t maximum = 0;
  std::int32_t step = 1;
  std::int32_t defaultValue = 0;
  bool disabled = false;
};

class CameraControls {
 public:
  // Opens the device node; a path that is not one (e.g. "demo") leaves the
  // object closed.
  explicit CameraControls(const std::string& devicePath);
  ~CameraControls();
  CameraControls(const CameraControls&) = delete;
  CameraControls& operator=(const CameraControls&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  std::optional<ControlInfo> Query(std::uint32_t id) const;
  std::vector<ControlInfo> List() const;  // every user and camera-class control
  std::optional<std::int32_t> Get(std::uint32_t id) const;
  bool Set(std::uint32_t id, std::int32_t value) const;

  // SET_CUR on the first extension unit of the camera (its unit number read
  // from the USB descriptors in sysfs) with a one-byte value.
  bool ExtensionUnitSet(std::uint8_t selector, std::uint8_t value) const;

 private:
  int fd_ = -1;
  std::string path_;
};

// The first extension unit's number in raw USB configuration descriptors
// (class-specific VideoControl interface descriptors, subtype 6); 0 when none.
std::uint8_t FirstExtensionUnit(const std::vector<std::uint8_t>& descriptors);

}  // namespace orvilo::camctl
