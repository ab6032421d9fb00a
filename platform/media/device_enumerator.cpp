#include "platform/media/device_enumerator.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <utility>

namespace orvilo::media {
namespace {

std::string ToLower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::string ReadFirstLine(const std::filesystem::path& path) {
  std::ifstream file(path);
  std::string line;
  std::getline(file, line);
  return line;
}

class SystemDeviceEnumerator : public DeviceEnumerator {
 public:
  std::vector<CaptureDevice> VideoDevices() override {
    namespace fs = std::filesystem;
    std::vector<CaptureDevice> devices;
    std::error_code error;
    const fs::path root = "/sys/class/video4linux";
    if (!fs::is_directory(root, error)) return devices;
    std::vector<fs::path> entries;
    for (const auto& entry : fs::directory_iterator(root, error)) entries.push_back(entry.path());
    std::sort(entries.begin(), entries.end());
    for (const auto& entry : entries) {
      const std::string node = entry.filename().string();
      if (node.rfind("video", 0) != 0) continue;
      CaptureDevice device;
      device.path = "/dev/" + node;
      device.friendlyName = ReadFirstLine(entry / "name");
      // The USB interface's parent holds the identifiers of the device.
      const fs::path usbDevice = fs::canonical(entry / "device", error).parent_path();
      const std::string vendor = ReadFirstLine(usbDevice / "idVendor");
      const std::string product = ReadFirstLine(usbDevice / "idProduct");
      device.displayName = "usb#vid_" + ToLower(vendor) + "&pid_" + ToLower(product) + "#" + device.path;
      if (!device.friendlyName.empty()) devices.push_back(device);
    }
    return devices;
  }
  std::vector<CaptureDevice> AudioDevices() override { return {}; }
};

class DemoDeviceEnumerator : public DeviceEnumerator {
 public:
  explicit DemoDeviceEnumerator(std::unique_ptr<DeviceEnumerator> system) : system_(std::move(system)) {}
  std::vector<CaptureDevice> VideoDevices() override {
    auto devices = system_ ? system_->VideoDevices() : std::vector<CaptureDevice>{};
    devices.push_back({"demo#vid_0000&pid_a308#orvilo", "Orvilo Demo Camera", kDemoCameraPath});
    return devices;
  }
  std::vector<CaptureDevice> AudioDevices() override {
    auto devices = system_ ? system_->AudioDevices() : std::vector<CaptureDevice>{};
    devices.push_back({"demo#microphone", "Orvilo Demo Microphone", kDemoCameraPath});
    return devices;
  }

 private:
  std::unique_ptr<DeviceEnumerator> system_;
};

}  // namespace

std::unique_ptr<DeviceEnumerator> MakeSystemDeviceEnumerator() { return std::make_unique<SystemDeviceEnumerator>(); }

std::unique_ptr<DeviceEnumerator> MakeDemoDeviceEnumerator(std::unique_ptr<DeviceEnumerator> system) {
  return std::make_unique<DemoDeviceEnumerator>(std::move(system));
}

}  // namespace orvilo::media
