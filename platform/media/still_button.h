// The camera's own snapshot button. UVC cameras report it through an input
// device (KEY_CAMERA) that the kernel creates beside the video node; a
// watcher thread reads it and calls back on every press.
//
// Threads: the callback runs on the watcher's thread and must only post (the
// window's PostMessage). Stop (and the destructor) joins the thread, so no
// callback runs after it.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace orvilo::media {

// The input event node (/dev/input/eventN) that belongs to the same USB
// device as a video node, found through sysfs under `sysRoot`; empty when
// there is none (no button, or not a USB camera).
std::string StillButtonNodeFor(const std::string& videoDevicePath, const std::string& sysRoot = "/sys");

class StillButton {
 public:
  StillButton() = default;
  ~StillButton() { Stop(); }
  StillButton(const StillButton&) = delete;
  StillButton& operator=(const StillButton&) = delete;

  // Watches the input node of the video device; false (and nothing watched)
  // when it has none or it cannot be opened.
  bool Start(const std::string& videoDevicePath, std::function<void()> pressed);
  // Watches an open input event descriptor (taken over; closed by Stop).
  bool StartOnDescriptor(int fd, std::function<void()> pressed);
  void Stop();
  bool Running() const { return thread_.joinable(); }

 private:
  void Watch(std::function<void()> pressed);
  int fd_ = -1;
  int wake_[2] = {-1, -1};  // Stop writes here to end the thread's poll
  std::thread thread_;
};

}  // namespace orvilo::media
