#include "platform/media/device_enumerator.h"

#include <gtest/gtest.h>

#include "platform/media/sysfs_usb_ids.h"

namespace orvilo::media {
namespace {

class FixedDevices : public DeviceEnumerator {
 public:
  std::vector<CaptureDevice> VideoDevices() override { return {{"usb#vid_1111&pid_a301#/dev/video0", "Cam", "/dev/video0"}}; }
  std::vector<CaptureDevice> AudioDevices() override { return {{"audio#mic", "Mic", "mic"}}; }
};

TEST(DeviceEnumerator, DemoDevicesComeAfterTheSystemsAndNameModelEight) {
  auto devices = MakeDemoDeviceEnumerator(std::make_unique<FixedDevices>());
  const auto video = devices->VideoDevices();
  ASSERT_EQ(video.size(), 2u);
  EXPECT_EQ(video[0].path, "/dev/video0");
  EXPECT_EQ(video[1].path, kDemoCameraPath);
  EXPECT_NE(video[1].displayName.find("vid_0000&pid_a308"), std::string::npos);
  const auto audio = devices->AudioDevices();
  ASSERT_EQ(audio.size(), 2u);
  EXPECT_EQ(audio[1].friendlyName, "Orvilo Demo Microphone");
}

TEST(SysfsUsbIds, NodesWithoutAUsbDeviceHaveNoIds) {
  EXPECT_EQ(UsbIdsOfVideoNode("/dev/video-none"), "");
  EXPECT_EQ(UsbIdsOfVideoNode(""), "");
  for (const auto& node : SysfsVideoNodes()) EXPECT_EQ(node.path.rfind("/dev/video", 0), 0u);
}

}  // namespace
}  // namespace orvilo::media
