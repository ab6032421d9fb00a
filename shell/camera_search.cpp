#include "shell/camera_search.h"

#include <QMetaObject>
#include <utility>

namespace orvilo::shell {

CameraSearch::CameraSearch(media::DeviceEnumerator& devices, std::function<bool()> listed)
    : devices_(devices), listed_(std::move(listed)) {
  recheck_.setInterval(kRecheckMilliseconds);
  connect(&recheck_, &QTimer::timeout, this, [this] { Look(); });
}

CameraSearch::~CameraSearch() { Stop(); }

void CameraSearch::Start(std::function<void()> found) {
  Stop();
  found_ = std::move(found);
  // The watch calls on its own thread: it only queues a look here. A look
  // queued before Stop finds found_ empty and does nothing; one still queued
  // when this object goes is dropped with it.
  watch_ = devices_.WatchVideoDevices([this, queued = lookQueued_] {
    if (queued->exchange(true)) return;
    QMetaObject::invokeMethod(
        this,
        [this, queued] {
          queued->store(false);
          Look();
        },
        Qt::QueuedConnection);
  });
  recheck_.start();
  // The first look, once the caller's own set-up is done.
  QMetaObject::invokeMethod(this, [this] { Look(); }, Qt::QueuedConnection);
}

void CameraSearch::Stop() {
  watch_.reset();  // waits for a call in progress
  recheck_.stop();
  found_ = nullptr;
}

void CameraSearch::Look() {
  if (!found_) return;
  ++looks_;
  if (!listed_ || !listed_()) return;
  const std::function<void()> found = std::move(found_);
  Stop();
  found();
}

}  // namespace orvilo::shell
