// Speed, volume and pitch in percent of the speaker's normal, and the
// markups that set them: <speed="120">, <volume="80">, <pitch="100">, in any
// order, with or without quotes, blanks and closing tags.
#pragma once

#include <string_view>

namespace orvilo::sonara {

struct Range {
  int normal;
  int minimum;
  int maximum;
};

inline constexpr Range kSpeedRange{100, 50, 200};
inline constexpr Range kVolumeRange{100, 0, 200};
inline constexpr Range kPitchRange{100, 80, 120};

struct Prosody {
  int speed = kSpeedRange.normal;
  int volume = kVolumeRange.normal;
  int pitch = kPitchRange.normal;
};

// Sets the attributes the markup names (clamped to their ranges) and
// leaves the others. False, with `prosody` unchanged, when the markup names
// none of them.
bool ApplyMarkup(std::string_view markup, Prosody& prosody);

}  // namespace orvilo::sonara
