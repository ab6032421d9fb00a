// Numbers of the main window's skin pictures (frame, title buttons, command
// bars, status items). The pictures themselves are generated artwork.
#pragma once

namespace orvilo::shell::skin {

inline constexpr int kFramePieceFirst = 140;  // 8 pieces: TL, T, TR, L, R, BL, B, BR
inline constexpr int kZoomBadge = 148;
inline constexpr int kMarkerCells = 149;
inline constexpr int kSpeakerIcon = 150;
inline constexpr int kTitleButtonFirst = 151;  // 8 buttons, logo first
inline constexpr int kVolumeSliderBase = 441;  // background, fill, thumb
inline constexpr int kProgramIcon = 128;

constexpr int TitleButtonBitmap(int index) { return kTitleButtonFirst + index; }

// Command-bar button strips: one set per language.
constexpr int BarButtonBitmap(int bar, int index, bool korean) { return (korean ? 500 : 600) + 20 * bar + index; }

}  // namespace orvilo::shell::skin
