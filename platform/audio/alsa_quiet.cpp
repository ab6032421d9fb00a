#include "platform/audio/alsa_quiet.h"

#include <alsa/asoundlib.h>

namespace orvilo::audio {
namespace {

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

AlsaQuietScope::AlsaQuietScope() { snd_lib_error_set_handler(IgnoreAlsaError); }
AlsaQuietScope::~AlsaQuietScope() { snd_lib_error_set_handler(nullptr); }

}  // namespace orvilo::audio
