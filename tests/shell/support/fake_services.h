// Fakes of the main window's services: the system's device lists and the
// master volume.
#pragma once

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/audio/master_volume.h"
#include "platform/media/device_enumerator.h"

namespace orvilo::shell::testing {

class FakeDevices : public media::DeviceEnumerator {
  class Watch : public media::DeviceWatch {
   public:
    explicit Watch(FakeDevices& owner) : owner_(owner) {}
    ~Watch() override { owner_.changed = nullptr; }

   private:
    FakeDevices& owner_;
  };

 public:
  std::vector<media::CaptureDevice> video;
  std::vector<media::CaptureDevice> audio;
  std::vector<media::CaptureDevice> VideoDevices() override { return video; }
  std::vector<media::CaptureDevice> AudioDevices() override { return audio; }

  // The call of the running watch (empty when none runs); a test calls it
  // where the device monitor would report a change.
  std::function<void()> changed;
  std::unique_ptr<media::DeviceWatch> WatchVideoDevices(std::function<void()> onChange) override {
    changed = std::move(onChange);
    return std::make_unique<Watch>(*this);
  }

  // A camera of `model` at /dev/video9 with a microphone (0: none attached).
  void AttachCamera(int model) {
    video.clear();
    audio.clear();
    if (model == 0) return;
    char product[16];
    std::snprintf(product, sizeof product, "pid_a30%d", model);
    video.push_back({std::string("usb#vid_0000&") + product + "#/dev/video9", "Test camera", "/dev/video9"});
    audio.push_back({"mic", "Test microphone", "hw:9"});
  }
};

class FakeMasterVolume : public audio::MasterVolume {
 public:
  std::optional<int> level = 40;
  std::vector<int> written;
  std::optional<int> ReadPercent() override { return level; }
  bool SetPercent(int percent) override {
    written.push_back(percent);
    level = percent;
    return true;
  }
};

}  // namespace orvilo::shell::testing
