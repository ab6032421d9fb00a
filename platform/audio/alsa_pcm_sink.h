// The ALSA playback device: 16-bit interleaved PCM on a named device
// ("default" routes to the desktop's sound server), 10 ms periods and a
// 100 ms buffer, so playback starts after one period and stops at once.
#pragma once

#include <memory>
#include <string>

#include "platform/audio/pcm_sink.h"

namespace orvilo::audio {

// Null with a readable reason in `error` when the device cannot be opened at
// exactly this rate and channel count.
std::unique_ptr<PcmSink> OpenAlsaPcmSink(const std::string& device, int sampleRate, int channels,
                                         std::string& error);

}  // namespace orvilo::audio
