#include "platform/media/sysfs_usb_ids.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace orvilo::media {
namespace {

namespace fs = std::filesystem;
const fs::path kVideoClass = "/sys/class/video4linux";

std::string ToLower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::string ReadFirstLine(const fs::path& path) {
  std::ifstream file(path);
  std::string line;
  std::getline(file, line);
  return line;
}

}  // namespace

std::string UsbIdsOfVideoNode(const std::string& devicePath) {
  const std::string node = fs::path(devicePath).filename().string();
  if (node.empty()) return "";
  std::error_code error;
  // The node's device is a USB interface; its parent holds the identifiers.
  const fs::path usbDevice = fs::canonical(kVideoClass / node / "device", error).parent_path();
  if (error) return "";
  const std::string vendor = ReadFirstLine(usbDevice / "idVendor");
  const std::string product = ReadFirstLine(usbDevice / "idProduct");
  if (vendor.empty() || product.empty()) return "";
  return "vid_" + ToLower(vendor) + "&pid_" + ToLower(product);
}

std::vector<SysfsVideoNode> SysfsVideoNodes() {
  std::vector<SysfsVideoNode> nodes;
  std::error_code error;
  if (!fs::is_directory(kVideoClass, error)) return nodes;
  for (const auto& entry : fs::directory_iterator(kVideoClass, error)) {
    const std::string node = entry.path().filename().string();
    if (node.rfind("video", 0) != 0) continue;
    nodes.push_back({"/dev/" + node, ReadFirstLine(entry.path() / "name")});
  }
  std::sort(nodes.begin(), nodes.end(), [](const auto& a, const auto& b) { return a.path < b.path; });
  return nodes;
}

}  // namespace orvilo::media
