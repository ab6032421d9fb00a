#include "camera/capture_devices.h"

#include <gtest/gtest.h>

namespace orvilo::camera {
namespace {

class ListedDevices : public DeviceEnumerator {
 public:
  std::vector<CaptureDevice> video;
  std::vector<CaptureDevice> audio;
  int calls = 0;
  std::vector<CaptureDevice> VideoDevices() override {
    ++calls;
    return video;
  }
  std::vector<CaptureDevice> AudioDevices() override { return audio; }
};

struct Bound {
  std::vector<std::string> video;
  std::vector<std::string> audio;
};

Bound Bind(CaptureDevices& devices, int* result) {
  Bound bound;
  *result = devices.BindCamera([&](const CaptureDevice& video, const CaptureDevice* audio) {
    bound.video.push_back(video.path);
    bound.audio.push_back(audio ? audio->path : "none");
  });
  return bound;
}

TEST(CaptureDevices, TwoMatchingCamerasAreBoundInTurnAndTheLastStays) {
  ListedDevices system;
  system.video = {{"usb#vid_1111&pid_a307#/dev/video0", "A", "/dev/video0"},
                  {"v4l2#/dev/video1", "Other", "/dev/video1"},
                  {"usb#vid_1111&pid_a302#/dev/video2", "B", "/dev/video2"}};
  system.audio = {{"audio#one", "Mic 1", "mic1"}, {"audio#two", "Mic 2", "mic2"}};
  CaptureDevices devices(system);
  EXPECT_EQ(devices.EnumerateDevices(), 3);
  EXPECT_EQ(devices.IdentifyModel(), 7);  // the first in list order
  int result = 0;
  const Bound bound = Bind(devices, &result);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(bound.video, (std::vector<std::string>{"/dev/video0", "/dev/video2"}));
  EXPECT_EQ(bound.audio, (std::vector<std::string>{"mic1", "mic1"}));
}

TEST(CaptureDevices, UpperCaseProductIdsAreIdentifiedAndBound) {
  ListedDevices system;
  system.video = {{"USB#VID_1111&PID_A305#/dev/video0", "Upper", "/dev/video0"},
                  {"usb#vid_1111&PID_a308#/dev/video1", "Mixed", "/dev/video1"}};
  CaptureDevices devices(system);
  EXPECT_EQ(devices.IdentifyModel(), 5);  // enumerates by itself
  EXPECT_EQ(system.calls, 1);
  int result = 0;
  const Bound bound = Bind(devices, &result);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(bound.video, (std::vector<std::string>{"/dev/video0", "/dev/video1"}));
  EXPECT_EQ(bound.audio, (std::vector<std::string>{"none", "none"}));
  EXPECT_EQ(ModelFromDisplayName("USB#VID_1111&PID_A305"), core::kNoCamera);  // the search itself is exact
}

TEST(CaptureDevices, NoKnownCameraGivesModelZeroAndBindsNothing) {
  ListedDevices system;
  system.video = {{"usb#vid_1111&pid_9999#/dev/video0", "Webcam", "/dev/video0"}};
  CaptureDevices devices(system);
  EXPECT_EQ(devices.IdentifyModel(), core::kNoCamera);
  int result = 1;
  EXPECT_TRUE(Bind(devices, &result).video.empty());
  EXPECT_EQ(result, 0);
  ListedDevices none;
  CaptureDevices empty(none);
  EXPECT_EQ(empty.EnumerateDevices(), 0);
  EXPECT_EQ(empty.IdentifyModel(), core::kNoCamera);
}

TEST(CaptureDevices, TheDemoCameraIsModelEight) {
  auto demo = media::MakeDemoDeviceEnumerator(nullptr);
  CaptureDevices devices(*demo);
  EXPECT_EQ(devices.IdentifyModel(), core::kDemoCameraModel);
}

}  // namespace
}  // namespace orvilo::camera
