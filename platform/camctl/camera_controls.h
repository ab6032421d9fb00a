// The controls of a V4L2 camera (focus, saturation and the rest) and the
// UVC extension-unit call of the group-C cameras. Every call reports failure
// by its result: a device without a control, or no device at all (the demo
// camera), simply does nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/camctl/control_device.h"

namespace orvilo::camctl {

class CameraControls : public ControlDevice {
 public:
  // Opens the device node; a path that is not one (e.g. "demo") leaves the
  // object closed.
  explicit CameraControls(const std::string& devicePath);
  ~CameraControls() override;
  CameraControls(const CameraControls&) = delete;
  CameraControls& operator=(const CameraControls&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  std::optional<ControlInfo> Query(std::uint32_t id) const override;
  std::vector<ControlInfo> List() const;  // every user and camera-class control
  std::optional<std::int32_t> Get(std::uint32_t id) const override;
  bool Set(std::uint32_t id, std::int32_t value) const override;

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
