#include "platform/media/device_watch.h"

#include <gst/gst.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

#include "platform/media/demo_camera_plug.h"
#include "platform/media/gstreamer_runtime.h"

namespace orvilo::media {
namespace {

// What the bus handler reaches: the call to make, emptied (under the lock)
// when the watch ends, so that no call starts after that.
struct MonitorCall {
  std::mutex lock;
  std::function<void()> changed;
};

GstBusSyncReply OnMonitorMessage(GstBus*, GstMessage* message, gpointer data) {
  switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_DEVICE_ADDED:
    case GST_MESSAGE_DEVICE_REMOVED:
    case GST_MESSAGE_DEVICE_CHANGED: {
      auto& call = **static_cast<std::shared_ptr<MonitorCall>*>(data);
      std::lock_guard lock(call.lock);
      if (call.changed) call.changed();
      break;
    }
    default: break;
  }
  // Nobody reads the bus: every message is dropped here, none piles up.
  return GST_BUS_DROP;
}

class MonitorWatch : public DeviceWatch {
 public:
  MonitorWatch(GstDeviceMonitor* monitor, std::shared_ptr<MonitorCall> call)
      : monitor_(monitor), call_(std::move(call)) {}
  bool Start() { return started_ = gst_device_monitor_start(monitor_) == TRUE; }
  ~MonitorWatch() override {
    {
      std::lock_guard lock(call_->lock);
      call_->changed = nullptr;
    }
    if (started_) gst_device_monitor_stop(monitor_);
    GstBus* bus = gst_device_monitor_get_bus(monitor_);
    gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
    gst_object_unref(bus);
    gst_object_unref(monitor_);
  }
  MonitorWatch(const MonitorWatch&) = delete;
  MonitorWatch& operator=(const MonitorWatch&) = delete;

 private:
  GstDeviceMonitor* monitor_;
  std::shared_ptr<MonitorCall> call_;
  bool started_ = false;
};

class DemoPlugWatch : public DeviceWatch {
 public:
  explicit DemoPlugWatch(std::function<void()> changed)
      : changed_(std::move(changed)), plugged_(DemoCameraPlugged()), thread_([this] { Run(); }) {}
  ~DemoPlugWatch() override {
    {
      std::lock_guard lock(lock_);
      stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }
  DemoPlugWatch(const DemoPlugWatch&) = delete;
  DemoPlugWatch& operator=(const DemoPlugWatch&) = delete;

 private:
  void Run() {
    std::unique_lock lock(lock_);
    while (!wake_.wait_for(lock, std::chrono::milliseconds(kDemoPlugPollMilliseconds), [this] { return stopping_; })) {
      const bool plugged = DemoCameraPlugged();
      if (plugged == plugged_) continue;
      plugged_ = plugged;
      changed_();
    }
  }

  std::function<void()> changed_;
  std::mutex lock_;
  std::condition_variable wake_;
  bool stopping_ = false;
  bool plugged_;
  std::thread thread_;  // last: starts once everything above is set
};

class BothWatches : public DeviceWatch {
 public:
  BothWatches(std::unique_ptr<DeviceWatch> first, std::unique_ptr<DeviceWatch> second)
      : first_(std::move(first)), second_(std::move(second)) {}

 private:
  std::unique_ptr<DeviceWatch> first_;
  std::unique_ptr<DeviceWatch> second_;
};

}  // namespace

std::unique_ptr<DeviceWatch> WatchDeviceMonitor(std::function<void()> changed) {
  if (!changed || !EnsureGstreamer()) return nullptr;
  GstDeviceMonitor* monitor = gst_device_monitor_new();
  gst_device_monitor_add_filter(monitor, "Video/Source", nullptr);
  auto call = std::make_shared<MonitorCall>();
  call->changed = std::move(changed);
  GstBus* bus = gst_device_monitor_get_bus(monitor);
  // The bus keeps its own reference to the call until the handler is unset
  // and any call of it has returned.
  gst_bus_set_sync_handler(bus, OnMonitorMessage, new std::shared_ptr<MonitorCall>(call),
                           [](gpointer data) { delete static_cast<std::shared_ptr<MonitorCall>*>(data); });
  gst_object_unref(bus);
  auto watch = std::make_unique<MonitorWatch>(monitor, call);
  if (!watch->Start()) return nullptr;  // the watch's end undoes the rest
  return watch;
}

std::unique_ptr<DeviceWatch> WatchDemoCameraPlug(std::function<void()> changed) {
  if (!changed) return nullptr;
  return std::make_unique<DemoPlugWatch>(std::move(changed));
}

std::unique_ptr<DeviceWatch> CombineWatches(std::unique_ptr<DeviceWatch> first, std::unique_ptr<DeviceWatch> second) {
  if (!first) return second;
  if (!second) return first;
  return std::make_unique<BothWatches>(std::move(first), std::move(second));
}

}  // namespace orvilo::media
