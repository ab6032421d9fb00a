// ALSA reports every failed look-up (no card, no mixer) on stderr before it
// returns the error code we handle anyway; this silences it while an ALSA
// object is being opened.
#pragma once

namespace orvilo::audio {

class AlsaQuietScope {
 public:
  AlsaQuietScope();
  ~AlsaQuietScope();
  AlsaQuietScope(const AlsaQuietScope&) = delete;
  AlsaQuietScope& operator=(const AlsaQuietScope&) = delete;
};

}  // namespace orvilo::audio
