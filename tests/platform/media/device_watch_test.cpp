// The device monitor's watch against a device provider of the test's own,
// registered in the process: a camera added and removed is reported, from
// the provider's thread, and nothing comes after the watch ends.
#include "platform/media/device_watch.h"

#include <gst/gst.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "media_test_support.h"

namespace {

// A device that makes no element: enough for the monitor's lists.
struct TestCamera {
  GstDevice parent;
};
struct TestCameraClass {
  GstDeviceClass parent;
};
G_DEFINE_TYPE(TestCamera, test_camera, GST_TYPE_DEVICE)
void test_camera_class_init(TestCameraClass*) {}
void test_camera_init(TestCamera*) {}

// A provider that can monitor (it has start and stop) and whose devices the
// test adds and removes.
struct TestProvider {
  GstDeviceProvider parent;
};
struct TestProviderClass {
  GstDeviceProviderClass parent;
};
G_DEFINE_TYPE(TestProvider, test_provider, GST_TYPE_DEVICE_PROVIDER)
gboolean StartProvider(GstDeviceProvider*) { return TRUE; }
void StopProvider(GstDeviceProvider*) {}
void test_provider_class_init(TestProviderClass* klass) {
  auto* provider = GST_DEVICE_PROVIDER_CLASS(klass);
  provider->start = StartProvider;
  provider->stop = StopProvider;
  gst_device_provider_class_set_static_metadata(provider, "Test cameras", "Video/Source", "Cameras of a test", "Orvilo");
}
void test_provider_init(TestProvider*) {}

}  // namespace

namespace orvilo::media {
namespace {

bool WaitFor(const std::atomic<int>& value, int wanted) {
  for (int i = 0; i < 300 && value < wanted; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return value >= wanted;
}

TEST(DeviceMonitorWatch, ACameraAddedAndRemovedIsReportedUntilTheWatchEnds) {
  testing::StartMediaGstreamer();
  ASSERT_TRUE(gst_device_provider_register(nullptr, "orvilotestcameras", GST_RANK_PRIMARY, test_provider_get_type()));
  std::atomic<int> changes{0};
  std::atomic<bool> onCallersThread{false};
  const auto caller = std::this_thread::get_id();
  auto watch = WatchDeviceMonitor([&] {
    if (std::this_thread::get_id() == caller) onCallersThread = true;
    ++changes;
  });
  ASSERT_NE(watch, nullptr);
  GstDeviceProvider* provider = gst_device_provider_factory_get_by_name("orvilotestcameras");
  ASSERT_NE(provider, nullptr);
  GstCaps* caps = gst_caps_from_string("image/jpeg");
  auto* camera = GST_DEVICE(g_object_new(test_camera_get_type(), "display-name", "Test camera", "device-class",
                                         "Video/Source", "caps", caps, nullptr));
  gst_caps_unref(caps);
  gst_object_ref_sink(camera);
  std::thread([&] { gst_device_provider_device_add(provider, camera); }).join();
  EXPECT_TRUE(WaitFor(changes, 1));
  std::thread([&] { gst_device_provider_device_remove(provider, camera); }).join();
  EXPECT_TRUE(WaitFor(changes, 2));
  EXPECT_FALSE(onCallersThread) << "called on the provider's thread";
  watch.reset();
  const int before = changes;
  gst_device_provider_device_add(provider, camera);
  gst_device_provider_device_remove(provider, camera);
  EXPECT_EQ(changes, before);
  gst_object_unref(camera);
  gst_object_unref(provider);
}

}  // namespace
}  // namespace orvilo::media
