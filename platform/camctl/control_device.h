// What code that adjusts a camera needs of it: query, read and write one
// control by its V4L2 identifier. CameraControls is the V4L2 device; the demo
// camera and tests give their own. A control the device lacks answers
// nothing (Query, Get) or false (Set).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

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

class ControlDevice {
 public:
  virtual ~ControlDevice() = default;
  virtual std::optional<ControlInfo> Query(std::uint32_t id) const = 0;
  virtual std::optional<std::int32_t> Get(std::uint32_t id) const = 0;
  virtual bool Set(std::uint32_t id, std::int32_t value) const = 0;
};

}  // namespace orvilo::camctl
