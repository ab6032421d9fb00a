#include "platform/media/device_enumerator.h"

#include <gst/gst.h>

#include <utility>

#include "platform/media/demo_camera_plug.h"
#include "platform/media/device_watch.h"
#include "platform/media/gstreamer_runtime.h"
#include "platform/media/sysfs_usb_ids.h"

namespace orvilo::media {
namespace {

std::string StringProperty(GstDevice* device, const char* name) {
  GstStructure* properties = gst_device_get_properties(device);
  std::string value;
  if (properties != nullptr) {
    if (const char* text = gst_structure_get_string(properties, name)) value = text;
    gst_structure_free(properties);
  }
  return value;
}

CaptureDevice VideoNodeDevice(const std::string& path, const std::string& friendlyName) {
  const std::string ids = UsbIdsOfVideoNode(path);
  return {(ids.empty() ? "v4l2#" : "usb#" + ids + "#") + path, friendlyName, path};
}

// The devices of one class ("Video/Source", "Audio/Source") in the monitor's
// order; each given to `make`, which may refuse it (empty friendly name).
template <typename Make>
std::vector<CaptureDevice> MonitorDevices(const char* deviceClass, Make make, bool* monitored) {
  std::vector<CaptureDevice> devices;
  *monitored = false;
  if (!EnsureGstreamer()) return devices;
  GstDeviceMonitor* monitor = gst_device_monitor_new();
  gst_device_monitor_add_filter(monitor, deviceClass, nullptr);
  if (gst_device_monitor_start(monitor)) {
    *monitored = true;
    GList* list = gst_device_monitor_get_devices(monitor);
    for (GList* item = list; item != nullptr; item = item->next) {
      CaptureDevice device = make(GST_DEVICE(item->data));
      if (!device.friendlyName.empty()) devices.push_back(std::move(device));
    }
    g_list_free_full(list, gst_object_unref);
    gst_device_monitor_stop(monitor);
  }
  gst_object_unref(monitor);
  return devices;
}

class SystemDeviceEnumerator : public DeviceEnumerator {
 public:
  std::vector<CaptureDevice> VideoDevices() override {
    bool monitored = false;
    auto devices = MonitorDevices(
        "Video/Source",
        [](GstDevice* device) {
          std::string path = StringProperty(device, "api.v4l2.path");
          if (path.empty()) path = StringProperty(device, "device.path");
          if (path.rfind("/dev/video", 0) != 0) return CaptureDevice{};  // only what v4l2src opens
          gchar* name = gst_device_get_display_name(device);
          CaptureDevice result = VideoNodeDevice(path, name != nullptr ? name : "");
          g_free(name);
          return result;
        },
        &monitored);
    if (monitored && !devices.empty()) return devices;
    for (const auto& node : SysfsVideoNodes()) {
      if (!node.name.empty()) devices.push_back(VideoNodeDevice(node.path, node.name));
    }
    return devices;
  }

  std::unique_ptr<DeviceWatch> WatchVideoDevices(std::function<void()> changed) override {
    return WatchDeviceMonitor(std::move(changed));
  }

  std::vector<CaptureDevice> AudioDevices() override {
    bool monitored = false;
    return MonitorDevices(
        "Audio/Source",
        [](GstDevice* device) {
          gchar* name = gst_device_get_display_name(device);
          std::string internal = StringProperty(device, "device.name");
          if (internal.empty()) internal = StringProperty(device, "node.name");
          CaptureDevice result{"audio#" + internal, name != nullptr ? name : "", internal};
          g_free(name);
          return result;
        },
        &monitored);
  }
};

class DemoDeviceEnumerator : public DeviceEnumerator {
 public:
  explicit DemoDeviceEnumerator(std::unique_ptr<DeviceEnumerator> system) : system_(std::move(system)) {}
  std::vector<CaptureDevice> VideoDevices() override {
    auto devices = system_ ? system_->VideoDevices() : std::vector<CaptureDevice>{};
    if (DemoCameraPlugged()) devices.push_back({"demo#vid_0000&pid_a308#orvilo", "Orvilo Demo Camera", kDemoCameraPath});
    return devices;
  }
  // The microphone is part of the camera, as on USB document cameras.
  std::vector<CaptureDevice> AudioDevices() override {
    auto devices = system_ ? system_->AudioDevices() : std::vector<CaptureDevice>{};
    if (DemoCameraPlugged()) devices.push_back({"demo#microphone", "Orvilo Demo Microphone", kDemoCameraPath});
    return devices;
  }
  std::unique_ptr<DeviceWatch> WatchVideoDevices(std::function<void()> changed) override {
    auto system = system_ ? system_->WatchVideoDevices(changed) : nullptr;
    return CombineWatches(std::move(system), WatchDemoCameraPlug(std::move(changed)));
  }

 private:
  std::unique_ptr<DeviceEnumerator> system_;
};

}  // namespace

std::unique_ptr<DeviceWatch> DeviceEnumerator::WatchVideoDevices(std::function<void()>) { return nullptr; }

std::unique_ptr<DeviceEnumerator> MakeSystemDeviceEnumerator() { return std::make_unique<SystemDeviceEnumerator>(); }

std::unique_ptr<DeviceEnumerator> MakeDemoDeviceEnumerator(std::unique_ptr<DeviceEnumerator> system) {
  return std::make_unique<DemoDeviceEnumerator>(std::move(system));
}

}  // namespace orvilo::media
