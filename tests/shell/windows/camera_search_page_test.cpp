// The "Searching for Camera" page with its search: it ends with OK by itself
// once a supported camera is listed — at a device-monitor change, or at the
// next recheck for device sources that report none — and its close button
// ends it with Close and stops watching.
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "shell/camera_search.h"
#include "shell/resolution_dialog.h"
#include "tests/shell/windows/dialog_test_support.h"

namespace orvilo::shell {
namespace {

// A device source whose watch the test fires, from a thread of its own as
// the device monitor does.
class WatchedDevices : public media::DeviceEnumerator {
 public:
  class Watch : public media::DeviceWatch {
   public:
    explicit Watch(WatchedDevices& owner) : owner_(owner) { ++owner_.liveWatches; }
    ~Watch() override {
      --owner_.liveWatches;
      owner_.changed = nullptr;
    }

   private:
    WatchedDevices& owner_;
  };

  bool watchable = true;
  int liveWatches = 0;
  std::function<void()> changed;

  std::vector<media::CaptureDevice> VideoDevices() override { return {}; }
  std::vector<media::CaptureDevice> AudioDevices() override { return {}; }
  std::unique_ptr<media::DeviceWatch> WatchVideoDevices(std::function<void()> onChange) override {
    if (!watchable) return nullptr;
    changed = std::move(onChange);
    return std::make_unique<Watch>(*this);
  }
  // A device plugged in or out, reported from the monitor's thread.
  void ReportChange() {
    std::thread monitor([call = changed] {
      if (call) call();
    });
    monitor.join();
  }
};

struct PageRun {
  int result = 0;
  qint64 milliseconds = 0;
};

// Runs the page with `search`; `act` runs inside its modal loop.
PageRun RunPage(CameraSearch& search, const std::function<void(CVyrResolutionDLG&)>& act) {
  SettingsDialogState state;
  state.page = SettingsPage::NoCamera;
  state.cameraSearch = &search;
  CVyrResolutionDLG dialog(state, false, nullptr);
  QTimer::singleShot(0, &dialog, [&] { act(dialog); });
  // A page that does not end by itself fails the test instead of hanging it.
  QTimer::singleShot(3 * CameraSearch::kRecheckMilliseconds, &dialog, [&] { dialog.EndDialog(-2); });
  QElapsedTimer clock;
  clock.start();
  PageRun run;
  run.result = dialog.DoModal();
  run.milliseconds = clock.elapsed();
  return run;
}

TEST(CameraSearchPage, ACameraReportedByTheMonitorEndsThePageWithOkAtOnce) {
  WatchedDevices devices;
  bool plugged = false;
  CameraSearch search(devices, [&] { return plugged; });
  const PageRun run = RunPage(search, [&](CVyrResolutionDLG& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Searching for Camera");
    EXPECT_TRUE(search.Running());
    EXPECT_EQ(devices.liveWatches, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return search.Looks() == 1; })) << "looked once at the start";
    devices.ReportChange();  // something else came: still no camera
    ASSERT_TRUE(QTest::qWaitFor([&] { return search.Looks() == 2; }));
    EXPECT_TRUE(dialog.isVisible());
    plugged = true;
    devices.ReportChange();
  });
  EXPECT_EQ(run.result, win::kResultOk);
  EXPECT_LT(run.milliseconds, CameraSearch::kRecheckMilliseconds) << "the change, not the recheck, ended it";
  EXPECT_FALSE(search.Running());
  EXPECT_EQ(devices.liveWatches, 0);
}

TEST(CameraSearchPage, WithoutAMonitorTheRecheckFindsTheCamera) {
  WatchedDevices devices;
  devices.watchable = false;
  bool plugged = false;
  CameraSearch search(devices, [&] { return plugged; });
  const PageRun run = RunPage(search, [&](CVyrResolutionDLG&) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return search.Looks() >= 1; }));
    plugged = true;  // plugged in after the first look: no monitor tells
  });
  EXPECT_EQ(run.result, win::kResultOk);
  EXPECT_GE(run.milliseconds, CameraSearch::kRecheckMilliseconds - 100);
  EXPECT_FALSE(search.Running());
}

TEST(CameraSearchPage, TheCloseButtonEndsWithCloseAndStopsWatching) {
  WatchedDevices devices;
  int looks = 0;
  CameraSearch search(devices, [&] {
    ++looks;
    return false;
  });
  const PageRun run = RunPage(search, [](CVyrResolutionDLG& dialog) {
    dialog_test::Click(dialog, CVyrResolutionDLG::kClose);
  });
  EXPECT_EQ(run.result, win::kResultClose);
  EXPECT_FALSE(search.Running());
  EXPECT_EQ(devices.liveWatches, 0);
  const int before = looks;
  QTest::qWait(CameraSearch::kRecheckMilliseconds + 200);
  EXPECT_EQ(looks, before) << "no look after the page ended";
}

}  // namespace
}  // namespace orvilo::shell
