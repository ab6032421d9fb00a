// The system's master playback volume in percent (0-100).
//
// With ORVILO_AUDIO_OUT=alsa (the default) this is the ALSA mixer of the
// same device: the "Master" control, else "PCM", else the first control with
// a playback volume; every channel is set alike and the level read is the
// loudest channel's. With null and wav:<path> it is a volume kept by the
// process (starting at 100), so that headless runs behave like a machine
// with a mixer. Any failure (no mixer, no control) reports failure and
// changes nothing.
#pragma once

#include <optional>

namespace orvilo::audio {

std::optional<int> ReadMasterVolume();

// `percent` is clamped to 0-100. True when the mixer took the level.
bool WriteMasterVolume(int percent);

// The master volume as the control bars and the AR volume slider use it,
// so that tests can hand them a volume of their own. Failures change
// nothing and report nothing to the user; callers keep their slider where
// it was.
class MasterVolume {
 public:
  virtual ~MasterVolume() = default;
  // 0..100, or empty when there is no mixer to ask.
  virtual std::optional<int> ReadPercent() = 0;
  // false when nothing was changed.
  virtual bool SetPercent(int percent) = 0;
};

// The machine's mixer.
class SystemMasterVolume : public MasterVolume {
 public:
  std::optional<int> ReadPercent() override { return ReadMasterVolume(); }
  bool SetPercent(int percent) override { return WriteMasterVolume(percent); }
};

}  // namespace orvilo::audio
