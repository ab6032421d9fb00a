#include "platform/camctl/camera_controls.h"

#include <fcntl.h>
#include <linux/usb/video.h>
#include <linux/uvcvideo.h>
#include <linux/videodev2.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace orvilo::camctl {
namespace {

int Ioctl(int fd, unsigned long request, void* argument) {
  int result;
  do {
    result = ioctl(fd, request, argument);
  } while (result == -1 && errno == EINTR);
  return result;
}

}  // namespace

CameraControls::CameraControls(const std::string& devicePath) : path_(devicePath) {
  if (devicePath.rfind("/dev/", 0) == 0) fd_ = open(devicePath.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
}

CameraControls::~CameraControls() {
  if (fd_ >= 0) close(fd_);
}

std::optional<ControlInfo> CameraControls::Query(std::uint32_t id) const {
  if (fd_ < 0) return std::nullopt;
  v4l2_queryctrl query{};
  query.id = id;
  if (Ioctl(fd_, VIDIOC_QUERYCTRL, &query) != 0) return std::nullopt;
  ControlInfo info;
  info.id = query.id;
  info.name = reinterpret_cast<const char*>(query.name);
  info.type = static_cast<int>(query.type);
  info.minimum = query.minimum;
  info.maximum = query.maximum;
  info.step = query.step;
  info.defaultValue = query.default_value;
  info.disabled = (query.flags & V4L2_CTRL_FLAG_DISABLED) != 0;
  return info;
}

std::vector<ControlInfo> CameraControls::List() const {
  std::vector<ControlInfo> controls;
  if (fd_ < 0) return controls;
  std::uint32_t id = V4L2_CTRL_FLAG_NEXT_CTRL;
  for (int guard = 0; guard < 1024; ++guard) {
    const auto info = Query(id);
    if (!info) break;
    if (!info->disabled && info->type != V4L2_CTRL_TYPE_CTRL_CLASS) controls.push_back(*info);
    id = info->id | V4L2_CTRL_FLAG_NEXT_CTRL;
  }
  return controls;
}

std::optional<std::int32_t> CameraControls::Get(std::uint32_t id) const {
  if (fd_ < 0) return std::nullopt;
  v4l2_control control{};
  control.id = id;
  if (Ioctl(fd_, VIDIOC_G_CTRL, &control) != 0) return std::nullopt;
  return control.value;
}

bool CameraControls::Set(std::uint32_t id, std::int32_t value) const {
  if (fd_ < 0) return false;
  v4l2_control control{};
  control.id = id;
  control.value = value;
  return Ioctl(fd_, VIDIOC_S_CTRL, &control) == 0;
}

bool CameraControls::ExtensionUnitSet(std::uint8_t selector, std::uint8_t value) const {
  if (fd_ < 0) return false;
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path node = fs::path("/sys/class/video4linux") / fs::path(path_).filename();
  const fs::path usbDevice = fs::canonical(node / "device", error).parent_path();
  if (error) return false;
  std::ifstream file(usbDevice / "descriptors", std::ios::binary);
  const std::vector<std::uint8_t> descriptors((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const std::uint8_t unit = FirstExtensionUnit(descriptors);
  if (unit == 0) return false;
  std::uint8_t data = value;
  uvc_xu_control_query query{};
  query.unit = unit;
  query.selector = selector;
  query.query = UVC_SET_CUR;
  query.size = 1;
  query.data = &data;
  return Ioctl(fd_, UVCIOC_CTRL_QUERY, &query) == 0;
}

std::uint8_t FirstExtensionUnit(const std::vector<std::uint8_t>& descriptors) {
  bool inVideoControl = false;
  for (std::size_t at = 0; at + 2 <= descriptors.size();) {
    const std::uint8_t length = descriptors[at];
    if (length < 2 || at + length > descriptors.size()) break;
    const std::uint8_t type = descriptors[at + 1];
    if (type == 0x04 && length >= 7) {  // interface: class 14 (video), subclass 1 (control)
      inVideoControl = descriptors[at + 5] == 0x0E && descriptors[at + 6] == 0x01;
    } else if (inVideoControl && type == 0x24 && length >= 4 && descriptors[at + 2] == 0x06) {
      return descriptors[at + 3];  // bUnitID of the extension unit
    }
    at += length;
  }
  return 0;
}

}  // namespace orvilo::camctl
