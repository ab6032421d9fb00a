#include "platform/media/device_enumerator.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

#include <unistd.h>

#include "media_test_support.h"
#include "platform/media/demo_camera_plug.h"
#include "platform/media/device_watch.h"
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

// The plug file named for the test, created or removed on demand; the
// process's own switch back in and no plug file afterwards.
class DemoCameraPlug : public ::testing::Test {
 protected:
  ~DemoCameraPlug() override {
    SetDemoCameraPlugged(true);
    SetDemoCameraPlugFile("");
    std::remove(file_.c_str());
  }
  void UsePlugFile() { SetDemoCameraPlugFile(file_); }
  void PlugIn() { std::ofstream(file_) << "in"; }
  void PullOut() { std::remove(file_.c_str()); }
  static bool DemoCameraListed(DeviceEnumerator& devices) {
    const auto video = devices.VideoDevices();
    const auto audio = devices.AudioDevices();
    const bool camera = !video.empty() && video.back().path == kDemoCameraPath;
    const bool microphone = !audio.empty() && audio.back().path == kDemoCameraPath;
    EXPECT_EQ(camera, microphone) << "the microphone goes with the camera";
    return camera;
  }

  std::string file_ = ::testing::TempDir() + "orvilo_demo_plug_" + std::to_string(::getpid());
};

TEST_F(DemoCameraPlug, TheDemoDevicesAreListedOnlyWhileBothSwitchesSayIn) {
  struct Case {
    bool process;
    bool withFile;
    bool fileThere;
    bool listed;
  };
  const Case cases[] = {
      {true, false, false, true},  {false, false, false, false}, {true, true, true, true},
      {true, true, false, false},  {false, true, true, false},
  };
  auto devices = MakeDemoDeviceEnumerator(std::make_unique<FixedDevices>());
  for (const Case& c : cases) {
    SetDemoCameraPlugged(c.process);
    SetDemoCameraPlugFile(c.withFile ? file_ : "");
    if (c.fileThere) PlugIn(); else PullOut();
    EXPECT_EQ(DemoCameraPlugged(), c.listed);
    EXPECT_EQ(DemoCameraListed(*devices), c.listed)
        << "process " << c.process << ", file " << c.withFile << ", there " << c.fileThere;
    EXPECT_EQ(devices->VideoDevices().front().path, "/dev/video0") << "the system's stay";
  }
}

TEST_F(DemoCameraPlug, TheVariableNamesThePlugFile) {
  ::setenv(kDemoCameraPlugFileVariable, file_.c_str(), 1);
  EXPECT_EQ(DemoCameraPlugFileFromEnvironment(), file_);
  ::unsetenv(kDemoCameraPlugFileVariable);
  EXPECT_EQ(DemoCameraPlugFileFromEnvironment(), "");
}

// The demo source's watch reports the camera pulled out and plugged in (and
// nothing while nothing happens), over the system's own watch; after the
// watch ends no call comes.
TEST_F(DemoCameraPlug, TheWatchReportsPluggingAndStopsWithItsEnd) {
  testing::StartMediaGstreamer();  // the system's watch is a device monitor
  UsePlugFile();
  PlugIn();
  auto devices = MakeDemoDeviceEnumerator(MakeSystemDeviceEnumerator());
  std::atomic<int> changes{0};
  auto watch = devices->WatchVideoDevices([&] { ++changes; });
  ASSERT_NE(watch, nullptr);
  const auto waitFor = [&](int count) {
    for (int i = 0; i < 200 && changes < count; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return changes.load();
  };
  std::this_thread::sleep_for(std::chrono::milliseconds(3 * kDemoPlugPollMilliseconds));
  const int quiet = changes;  // a system monitor may report its devices at its start
  PullOut();
  EXPECT_EQ(waitFor(quiet + 1), quiet + 1);
  EXPECT_FALSE(DemoCameraListed(*devices));
  PlugIn();
  EXPECT_EQ(waitFor(quiet + 2), quiet + 2);
  EXPECT_TRUE(DemoCameraListed(*devices));
  watch.reset();
  PullOut();
  std::this_thread::sleep_for(std::chrono::milliseconds(3 * kDemoPlugPollMilliseconds));
  EXPECT_EQ(changes, quiet + 2);
}

TEST(DeviceWatch, PlainSourcesAreNotWatchedAndOneWatchCombinesToItself) {
  FixedDevices fixed;
  EXPECT_TRUE(fixed.WatchVideoDevices([] {}) == nullptr);
  EXPECT_TRUE(CombineWatches(nullptr, nullptr) == nullptr);
  auto demo = WatchDemoCameraPlug([] {});
  DeviceWatch* kept = demo.get();
  EXPECT_EQ(CombineWatches(nullptr, std::move(demo)).get(), kept);
}

TEST(SysfsUsbIds, NodesWithoutAUsbDeviceHaveNoIds) {
  EXPECT_EQ(UsbIdsOfVideoNode("/dev/video-none"), "");
  EXPECT_EQ(UsbIdsOfVideoNode(""), "");
  for (const auto& node : SysfsVideoNodes()) EXPECT_EQ(node.path.rfind("/dev/video", 0), 0u);
}

}  // namespace
}  // namespace orvilo::media
