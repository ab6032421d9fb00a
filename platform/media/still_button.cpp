#include "platform/media/still_button.h"

#include <fcntl.h>
#include <linux/input.h>
#include <poll.h>
#include <unistd.h>

#include <filesystem>

namespace orvilo::media {

std::string StillButtonNodeFor(const std::string& videoDevicePath, const std::string& sysRoot) {
  namespace fs = std::filesystem;
  std::error_code error;
  const std::string node = fs::path(videoDevicePath).filename().string();
  if (node.empty()) return "";
  // video node -> its USB interface -> the USB device; the button's input
  // device sits below the same USB device.
  const fs::path usbDevice =
      fs::canonical(fs::path(sysRoot) / "class/video4linux" / node / "device", error).parent_path();
  if (error || usbDevice.empty()) return "";
  const fs::path inputClass = fs::path(sysRoot) / "class/input";
  for (const auto& entry : fs::directory_iterator(inputClass, error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("event", 0) != 0) continue;
    const fs::path device = fs::canonical(entry.path() / "device", error);
    if (error) {
      error.clear();
      continue;
    }
    const std::string owner = usbDevice.string() + "/";
    if (device.string().rfind(owner, 0) == 0) return "/dev/input/" + name;
  }
  return "";
}

bool StillButton::Start(const std::string& videoDevicePath, std::function<void()> pressed) {
  Stop();
  const std::string node = StillButtonNodeFor(videoDevicePath);
  if (node.empty()) return false;
  const int fd = open(node.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  return StartOnDescriptor(fd, std::move(pressed));
}

bool StillButton::StartOnDescriptor(int fd, std::function<void()> pressed) {
  Stop();
  if (fd < 0) return false;
  if (pipe2(wake_, O_CLOEXEC) != 0) {
    close(fd);
    return false;
  }
  fd_ = fd;
  thread_ = std::thread(&StillButton::Watch, this, std::move(pressed));
  return true;
}

void StillButton::Watch(std::function<void()> pressed) {
  pollfd watched[2] = {{fd_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
  for (;;) {
    if (poll(watched, 2, -1) < 0) continue;
    if (watched[1].revents != 0) return;
    if ((watched[0].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) return;  // unplugged
    input_event event;
    const ssize_t got = read(fd_, &event, sizeof event);
    if (got == 0) return;
    if (got != static_cast<ssize_t>(sizeof event)) continue;
    if (event.type == EV_KEY && event.code == KEY_CAMERA && event.value == 1 && pressed) pressed();
  }
}

void StillButton::Stop() {
  if (thread_.joinable()) {
    const char wake = 1;
    [[maybe_unused]] const ssize_t written = write(wake_[1], &wake, 1);
    thread_.join();
  }
  for (int* fd : {&fd_, &wake_[0], &wake_[1]}) {
    if (*fd >= 0) close(*fd);
    *fd = -1;
  }
}

}  // namespace orvilo::media
