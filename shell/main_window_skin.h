// Numbers of the main window's skin pictures (frame, title buttons, command
// bars, status items), from the program's one table of skin pictures.
#pragma once

#include "imageview/skin/skin_ids.h"

namespace orvilo::shell::skin {

using orvilo::skin::kArVolumeSliderBase;
using orvilo::skin::kArSpeakerIcon;
using orvilo::skin::kMarkerCells;
using orvilo::skin::kProgramIcon;
using orvilo::skin::kZoomBadge;

constexpr int FramePiece(int piece) { return orvilo::skin::FramePiece(piece); }
constexpr int TitleButtonBitmap(int index) { return orvilo::skin::TitleButton(index); }
constexpr int BarButtonBitmap(int bar, int index) { return orvilo::skin::CommandBarButton(bar, index); }

}  // namespace orvilo::shell::skin
