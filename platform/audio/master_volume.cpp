#include "platform/audio/master_volume.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>

#include "platform/audio/alsa_quiet.h"
#include "platform/audio/audio_output_choice.h"

namespace orvilo::audio {
namespace {

std::atomic<int> processVolume{100};

struct MixerCloser {
  void operator()(snd_mixer_t* mixer) const { snd_mixer_close(mixer); }
};
using MixerHandle = std::unique_ptr<snd_mixer_t, MixerCloser>;

// ALSA mixers are named by card: "default" or "hw:N" (a PCM name such as
// "plughw:1,0" names the card "hw:1").
std::string MixerNameOf(const std::string& device) {
  if (device == "default") return device;
  const auto colon = device.find(':');
  if (colon == std::string::npos) return device;
  const std::string card = device.substr(colon + 1, device.find(',', colon) - colon - 1);
  return "hw:" + card;
}

MixerHandle OpenMixer(const std::string& name) {
  AlsaQuietScope quiet;
  snd_mixer_t* raw = nullptr;
  if (snd_mixer_open(&raw, 0) < 0) return nullptr;
  MixerHandle mixer(raw);
  if (snd_mixer_attach(mixer.get(), name.c_str()) < 0 || snd_mixer_selem_register(mixer.get(), nullptr, nullptr) < 0 ||
      snd_mixer_load(mixer.get()) < 0) {
    return nullptr;
  }
  return mixer;
}

snd_mixer_elem_t* FindVolumeControl(snd_mixer_t* mixer) {
  for (const char* preferred : {"Master", "PCM"}) {
    snd_mixer_selem_id_t* id = nullptr;
    snd_mixer_selem_id_alloca(&id);
    snd_mixer_selem_id_set_index(id, 0);
    snd_mixer_selem_id_set_name(id, preferred);
    snd_mixer_elem_t* element = snd_mixer_find_selem(mixer, id);
    if (element != nullptr && snd_mixer_selem_has_playback_volume(element)) return element;
  }
  for (snd_mixer_elem_t* element = snd_mixer_first_elem(mixer); element != nullptr;
       element = snd_mixer_elem_next(element)) {
    if (snd_mixer_selem_has_playback_volume(element)) return element;
  }
  return nullptr;
}

// The playback volume of the card behind `device`, with its range.
struct VolumeControl {
  MixerHandle mixer;
  snd_mixer_elem_t* element = nullptr;
  long minimum = 0;
  long maximum = 0;
};

std::optional<VolumeControl> OpenVolumeControl(const std::string& device) {
  VolumeControl control;
  control.mixer = OpenMixer(MixerNameOf(device));
  if (!control.mixer) return std::nullopt;
  control.element = FindVolumeControl(control.mixer.get());
  if (control.element == nullptr ||
      snd_mixer_selem_get_playback_volume_range(control.element, &control.minimum, &control.maximum) < 0 ||
      control.maximum <= control.minimum) {
    return std::nullopt;
  }
  return control;
}

}  // namespace

std::optional<int> ReadMasterVolume() {
  const AudioOutputChoice choice = AudioOutputChoiceFromEnvironment();
  if (choice.kind == AudioOutputChoice::Kind::kInvalid) return std::nullopt;
  if (choice.kind != AudioOutputChoice::Kind::kAlsa) return processVolume.load();
  const auto control = OpenVolumeControl(choice.target);
  if (!control) return std::nullopt;
  long loudest = control->minimum;
  bool any = false;
  for (int channel = 0; channel <= SND_MIXER_SCHN_LAST; ++channel) {
    const auto id = static_cast<snd_mixer_selem_channel_id_t>(channel);
    long value = 0;
    if (!snd_mixer_selem_has_playback_channel(control->element, id) ||
        snd_mixer_selem_get_playback_volume(control->element, id, &value) < 0) {
      continue;
    }
    loudest = any ? std::max(loudest, value) : value;
    any = true;
  }
  if (!any) return std::nullopt;
  const long range = control->maximum - control->minimum;
  return static_cast<int>(((loudest - control->minimum) * 100 + range / 2) / range);
}

bool WriteMasterVolume(int percent) {
  percent = std::clamp(percent, 0, 100);
  const AudioOutputChoice choice = AudioOutputChoiceFromEnvironment();
  if (choice.kind == AudioOutputChoice::Kind::kInvalid) return false;
  if (choice.kind != AudioOutputChoice::Kind::kAlsa) {
    processVolume.store(percent);
    return true;
  }
  const auto control = OpenVolumeControl(choice.target);
  if (!control) return false;
  const long value = control->minimum + ((control->maximum - control->minimum) * percent + 50) / 100;
  return snd_mixer_selem_set_playback_volume_all(control->element, value) == 0;
}

}  // namespace orvilo::audio
