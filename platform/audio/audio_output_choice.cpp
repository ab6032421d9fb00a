#include "platform/audio/audio_output_choice.h"

#include <cstdlib>
#include <string_view>

#include "platform/audio/alsa_pcm_sink.h"
#include "platform/audio/clock_pcm_sink.h"

namespace orvilo::audio {

AudioOutputChoice ParseAudioOutputChoice(const char* value) {
  using Kind = AudioOutputChoice::Kind;
  const std::string_view text = value != nullptr ? value : "";
  if (text.empty() || text == "alsa") return {Kind::kAlsa, "default"};
  if (text.starts_with("alsa:") && text.size() > 5) return {Kind::kAlsa, std::string(text.substr(5))};
  if (text == "null") return {Kind::kNull, {}};
  if (text.starts_with("wav:") && text.size() > 4) return {Kind::kWaveFile, std::string(text.substr(4))};
  return {Kind::kInvalid, std::string(text)};
}

AudioOutputChoice AudioOutputChoiceFromEnvironment() {
  return ParseAudioOutputChoice(std::getenv(kAudioOutputVariable));
}

std::unique_ptr<PcmSink> OpenPcmSink(const AudioOutputChoice& choice, int sampleRate, int channels,
                                     std::string* error) {
  std::string ignored;
  std::string& why = error != nullptr ? *error : ignored;
  if (sampleRate <= 0 || channels <= 0) {
    why = "invalid PCM format";
    return nullptr;
  }
  switch (choice.kind) {
    case AudioOutputChoice::Kind::kAlsa:
      return OpenAlsaPcmSink(choice.target, sampleRate, channels, why);
    case AudioOutputChoice::Kind::kNull:
      return std::make_unique<ClockPcmSink>(sampleRate, channels);
    case AudioOutputChoice::Kind::kWaveFile: {
      auto sink = std::make_unique<ClockPcmSink>(sampleRate, channels, choice.target);
      if (!sink->Recording()) {
        why = "cannot create the WAVE file \"" + choice.target + "\"";
        return nullptr;
      }
      return sink;
    }
    case AudioOutputChoice::Kind::kInvalid:
      break;
  }
  why = std::string(kAudioOutputVariable) + " names no audio output: \"" + choice.target +
        "\" (expected alsa, alsa:<device>, null or wav:<path>)";
  return nullptr;
}

}  // namespace orvilo::audio
