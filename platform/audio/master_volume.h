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

}  // namespace orvilo::audio
