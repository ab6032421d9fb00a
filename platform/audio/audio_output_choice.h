// Which audio output the program plays on, chosen by the environment
// variable ORVILO_AUDIO_OUT:
//   alsa (or unset)   ALSA's "default" device (the desktop's sound server)
//   alsa:<device>     a named ALSA device, e.g. alsa:hw:1,0 or alsa:null
//   null              no sound, time passes at the sample rate
//   wav:<path>        no sound; what is played is recorded into a WAVE file
// Headless runs and tests use null or wav:<path>.
#pragma once

#include <memory>
#include <string>

#include "platform/audio/pcm_sink.h"

namespace orvilo::audio {

struct AudioOutputChoice {
  enum class Kind { kAlsa, kNull, kWaveFile, kInvalid };
  Kind kind = Kind::kAlsa;
  std::string target;  // the ALSA device name or the WAVE path; for kInvalid the rejected value
};

inline constexpr const char* kAudioOutputVariable = "ORVILO_AUDIO_OUT";

AudioOutputChoice ParseAudioOutputChoice(const char* value);
AudioOutputChoice AudioOutputChoiceFromEnvironment();

// The device of `choice` at this format; null with a readable reason in `error`.
std::unique_ptr<PcmSink> OpenPcmSink(const AudioOutputChoice& choice, int sampleRate, int channels,
                                     std::string* error);

}  // namespace orvilo::audio
