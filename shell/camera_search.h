// What the "Searching for Camera" page waits for: a supported camera among
// the video devices. It looks when started, at every change the device
// monitor reports and, because some device providers report no hot-plug,
// every kRecheckMilliseconds as well.
#pragma once

#include <QObject>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>

#include "platform/media/device_enumerator.h"

namespace orvilo::shell {

class CameraSearch : public QObject {
  Q_OBJECT
 public:
  static constexpr int kRecheckMilliseconds = 2000;

  // `listed` lists the devices afresh and says whether a supported camera
  // is among them; it is asked on this object's thread only.
  CameraSearch(media::DeviceEnumerator& devices, std::function<bool()> listed);
  ~CameraSearch() override;
  CameraSearch(const CameraSearch&) = delete;
  CameraSearch& operator=(const CameraSearch&) = delete;

  // From now on `found` is called once, on this object's thread, as soon as
  // `listed` says yes; the search stops then. Starting again restarts it.
  void Start(std::function<void()> found);
  // Stops watching; no `found` call comes after this returns.
  void Stop();
  bool Running() const { return static_cast<bool>(found_); }
  // How often `listed` was asked (tests).
  int Looks() const { return looks_; }

 private:
  void Look();

  media::DeviceEnumerator& devices_;
  std::function<bool()> listed_;
  std::function<void()> found_;
  std::unique_ptr<media::DeviceWatch> watch_;
  QTimer recheck_;
  // A look is queued: device messages come in bursts, one look serves them.
  std::shared_ptr<std::atomic<bool>> lookQueued_ = std::make_shared<std::atomic<bool>>(false);
  int looks_ = 0;
};

}  // namespace orvilo::shell
