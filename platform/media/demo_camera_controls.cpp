#include "platform/media/demo_camera_controls.h"

#include <gst/gst.h>
#include <linux/videodev2.h>


#include "platform/media/demo_camera_src.h"

namespace orvilo::media {

DemoCameraControls::DemoCameraControls(GstElement* source) {
  if (source != nullptr && GST_IS_DEMO_CAMERA_SRC(source)) {
    source_ = GST_ELEMENT(gst_object_ref(source));
  }
}

DemoCameraControls::~DemoCameraControls() {
  if (source_ != nullptr) gst_object_unref(source_);
}

const char* DemoCameraControls::PropertyOf(std::uint32_t id) const {
  if (source_ == nullptr) return nullptr;
  if (id == V4L2_CID_BRIGHTNESS) return "brightness";
  if (id == V4L2_CID_CONTRAST) return "contrast";
  return nullptr;
}

std::optional<camctl::ControlInfo> DemoCameraControls::Query(std::uint32_t id) const {
  const char* property = PropertyOf(id);
  if (property == nullptr) return std::nullopt;
  GParamSpec* spec = g_object_class_find_property(G_OBJECT_GET_CLASS(source_), property);
  if (spec == nullptr || !G_IS_PARAM_SPEC_INT(spec)) return std::nullopt;
  const GParamSpecInt* range = G_PARAM_SPEC_INT(spec);
  camctl::ControlInfo info;
  info.id = id;
  info.name = id == V4L2_CID_BRIGHTNESS ? "Brightness" : "Contrast";
  info.type = V4L2_CTRL_TYPE_INTEGER;
  info.minimum = range->minimum;
  info.maximum = range->maximum;
  info.step = 1;
  info.defaultValue = range->default_value;
  return info;
}

std::optional<std::int32_t> DemoCameraControls::Get(std::uint32_t id) const {
  const char* property = PropertyOf(id);
  if (property == nullptr) return std::nullopt;
  gint value = 0;
  g_object_get(source_, property, &value, nullptr);
  return value;
}

bool DemoCameraControls::Set(std::uint32_t id, std::int32_t value) const {
  const auto info = Query(id);
  if (!info || value < info->minimum || value > info->maximum) return false;
  g_object_set(source_, PropertyOf(id), static_cast<gint>(value), nullptr);
  return true;
}

}  // namespace orvilo::media
