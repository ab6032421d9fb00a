#include "platform/media/still_button.h"

#include <gtest/gtest.h>
#include <linux/input.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

namespace orvilo::media {
namespace {

namespace fs = std::filesystem;

// A sysfs tree: video0 and event5 below one USB camera, event3 (a keyboard)
// below another USB device.
TEST(StillButtonNodeFor, FindsTheInputDeviceOfTheSameUsbDevice) {
  QTemporaryDir folder;
  const fs::path root = folder.path().toStdString();
  const fs::path camera = root / "devices/usb1/1-1";
  fs::create_directories(camera / "1-1:1.0/video4linux/video0");
  fs::create_directories(camera / "1-1:1.0/input/input9/event5");
  fs::create_directories(root / "devices/usb1/1-2/1-2:1.0/input/input2/event3");
  fs::create_directories(root / "class/video4linux/video0");
  fs::create_directories(root / "class/input/event3");
  fs::create_directories(root / "class/input/event5");
  fs::create_directory_symlink(camera / "1-1:1.0", root / "class/video4linux/video0/device");
  fs::create_directory_symlink(root / "devices/usb1/1-2/1-2:1.0/input/input2", root / "class/input/event3/device");
  fs::create_directory_symlink(camera / "1-1:1.0/input/input9", root / "class/input/event5/device");
  EXPECT_EQ(StillButtonNodeFor("/dev/video0", root.string()), "/dev/input/event5");
  EXPECT_EQ(StillButtonNodeFor("/dev/video7", root.string()), "");
  EXPECT_EQ(StillButtonNodeFor("demo", root.string()), "");
}

void Send(int fd, unsigned short type, unsigned short code, int value) {
  input_event event{};
  event.type = type;
  event.code = code;
  event.value = value;
  ASSERT_EQ(write(fd, &event, sizeof event), static_cast<ssize_t>(sizeof event));
}

TEST(StillButton, CallsBackOncePerPressOfTheCameraKey) {
  int pipeFds[2];
  ASSERT_EQ(pipe(pipeFds), 0);
  std::atomic<int> presses{0};
  StillButton button;
  ASSERT_TRUE(button.StartOnDescriptor(pipeFds[0], [&] { ++presses; }));
  Send(pipeFds[1], EV_KEY, KEY_CAMERA, 1);
  Send(pipeFds[1], EV_SYN, SYN_REPORT, 0);
  Send(pipeFds[1], EV_KEY, KEY_CAMERA, 0);   // release
  Send(pipeFds[1], EV_KEY, KEY_ENTER, 1);    // another key
  Send(pipeFds[1], EV_KEY, KEY_CAMERA, 1);
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (presses < 2 && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  button.Stop();
  EXPECT_EQ(presses, 2);
  EXPECT_FALSE(button.Running());
  close(pipeFds[1]);
}

TEST(StillButton, AnUnpluggedDeviceEndsTheWatchAndNoDeviceStartsNothing) {
  int pipeFds[2];
  ASSERT_EQ(pipe(pipeFds), 0);
  StillButton button;
  ASSERT_TRUE(button.StartOnDescriptor(pipeFds[0], [] {}));
  close(pipeFds[1]);  // the other end goes away: the watch ends by itself
  button.Stop();
  EXPECT_FALSE(button.Start("demo", [] {}));
  EXPECT_FALSE(button.Running());
}

}  // namespace
}  // namespace orvilo::media
