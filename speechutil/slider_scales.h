// The sliders of the speech editor and the percents they stand for in the
// engine's markup. Speed 0..100 spreads 50..200 % with 1x in the middle:
// below the middle one step is one percent, above it two.
#pragma once

#include <cstdio>
#include <string>

namespace orvilo::speechutil {

inline constexpr int kSpeedSliderMax = 100;
inline constexpr int kVolumeSliderMax = 200;
inline constexpr int kPitchSliderMax = 40;

constexpr int SpeedPercent(int position) { return position < 50 ? position + 50 : 2 * position; }
constexpr int VolumePercent(int position) { return position; }
constexpr int PitchPercent(int position) { return position + 80; }

constexpr int Clamp(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

// Engine defaults (percent) to slider positions, kept inside the slider.
constexpr int SpeedPosition(int percent) {
  return Clamp(percent >= 100 ? percent / 2 : percent - 50, 0, kSpeedSliderMax);
}
constexpr int VolumePosition(int percent) { return Clamp(percent, 0, kVolumeSliderMax); }
constexpr int PitchPosition(int percent) { return Clamp(percent - 80, 0, kPitchSliderMax); }

// "<speed="%d"><volume="%d"><pitch="%d">" from the three positions.
inline std::string SpeechMarkup(int speedPosition, int volumePosition, int pitchPosition) {
  char markup[96];
  std::snprintf(markup, sizeof markup, "<speed=\"%d\"><volume=\"%d\"><pitch=\"%d\">", SpeedPercent(speedPosition),
                VolumePercent(volumePosition), PitchPercent(pitchPosition));
  return markup;
}

}  // namespace orvilo::speechutil
