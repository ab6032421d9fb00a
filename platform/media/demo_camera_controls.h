// The demo camera's picture controls as a control device: brightness and
// contrast (V4L2_CID_BRIGHTNESS, V4L2_CID_CONTRAST) are the properties of
// its source element; it has no other control. Holds a reference to the
// element for its lifetime; setting a property is thread-safe, so a running
// graph takes the value with its next frame.
#pragma once

#include "platform/camctl/control_device.h"

typedef struct _GstElement GstElement;

namespace orvilo::media {

class DemoCameraControls : public camctl::ControlDevice {
 public:
  // `source` may be null (no graph) or another element (then the device
  // has no controls); the reference is the caller's, another is taken.
  explicit DemoCameraControls(GstElement* source);
  ~DemoCameraControls() override;
  DemoCameraControls(const DemoCameraControls&) = delete;
  DemoCameraControls& operator=(const DemoCameraControls&) = delete;

  std::optional<camctl::ControlInfo> Query(std::uint32_t id) const override;
  std::optional<std::int32_t> Get(std::uint32_t id) const override;
  bool Set(std::uint32_t id, std::int32_t value) const override;

 private:
  const char* PropertyOf(std::uint32_t id) const;
  GstElement* source_ = nullptr;
};

}  // namespace orvilo::media
