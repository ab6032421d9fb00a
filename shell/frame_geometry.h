// Where things stand in the main window, as functions of its client size
// (W x H): the content area, title buttons, command-bar buttons, status
// items, the inset, and the rules that keep floating windows inside.
#pragma once

#include <optional>

#include "platform/gdi/rect.h"

namespace orvilo::shell {

using gdi::Point;
using gdi::Rect;
using gdi::Size;

inline constexpr int kMainWindowWidth = 1038;
inline constexpr int kMainWindowMaximumHeight = 861;
// Narrow enough for a small screen, wide enough that the camera bar's last
// button (Clear of the live drawing) stays clear of the zoom buttons.
inline constexpr Size kMinimumTrackingSize{990, 500};
inline constexpr int kCaptionHeight = 25;
inline constexpr int kSizingCornerSize = 14;
inline constexpr Size kInsetSize{400, 305};
inline constexpr Point kPalettePlace{21, 113};

// Initial window height: the available screen height, at most 861.
constexpr int InitialMainWindowHeight(int availableScreenHeight) {
  return availableScreenHeight < kMainWindowMaximumHeight ? availableScreenHeight : kMainWindowMaximumHeight;
}

// Content rectangle: (7, 85), W - 14 wide, H - 93 high.
constexpr Rect ContentRect(Size client) { return Rect::FromPositionAndSize(7, 85, client.width - 14, client.height - 93); }

// The child windows' rectangle at creation: (7, 85) to (1031, H - 8).
constexpr Rect InitialChildRect(int windowHeight) { return Rect{7, 85, 1031, windowHeight - 8}; }

// The title buttons, left to right; each posts command 1125 + its number.
enum class TitleButtonId { Logo = 0, Minimise, Maximise, Restore, Close, ZoomIn, ZoomOut, ZoomList };
inline constexpr int kTitleButtonCount = 8;

// Where a title button stands; the logo's look size comes with it.
Rect TitleButtonRect(TitleButtonId button, int clientWidth, Size logoLook);

// Button i of command bar b; bar 4's grade buttons (10..15) need their slot.
Point BarButtonPosition(int bar, int index, int clientWidth, std::optional<int> gradeSlot = std::nullopt);
Size BarButtonLook(int bar, int index);

inline constexpr Rect ZoomBadgeRect(int clientWidth) { return Rect::FromPositionAndSize(clientWidth - 31 - 43, 60 - 2, 60, 19); }
inline constexpr Rect StatusArea(int clientWidth) { return Rect{clientWidth - 330, 27, clientWidth - 10, 82}; }
inline constexpr Rect ResolutionTextRect(int clientWidth) { return Rect{clientWidth - 85, 27, clientWidth - 10, 46}; }
inline constexpr Rect VolumeSliderRect(int clientWidth) { return Rect::FromPositionAndSize(clientWidth - 142, 66, 134, 15); }
// The zoom list opens 43 left of title button 7 and 17 below its top, 60 x 15.
inline constexpr Rect ZoomListAnchor(int clientWidth) { return Rect::FromPositionAndSize(clientWidth - 31 - 43, 60 + 17, 60, 15); }

// AR mode's status items: the marker strip (six cells of 22 x 22), the
// speaker beside the volume slider, and the caption.
inline constexpr Point ArMarkerStripPlace(int clientWidth) { return {clientWidth - 154, 37}; }
inline constexpr Point ArSpeakerIconPlace(int clientWidth) { return {clientWidth - 157, 67}; }
inline constexpr Rect ArCaptionRect(int clientWidth) { return Rect{clientWidth - 330, 65, clientWidth - 186, 81}; }

// The inset's first place: top-left at (W - 450, H - 335).
constexpr Rect InitialInsetRect(Size client) {
  return Rect::FromPositionAndSize(client.width - 450, client.height - 335, kInsetSize.width, kInsetSize.height);
}

// Split: the camera view in the right half of the content rectangle.
constexpr Rect SplitCameraRect(Size client) {
  const Rect content = ContentRect(client);
  return Rect{content.left + content.Width() / 2, content.top, content.right, content.bottom};
}

// Split after a resize: the camera view keeps its share of the width.
Rect SplitCameraRectAfterResize(Size client, int cameraWidth, int imageWidth);

// The image view beside a view that starts at `rightNeighbour` (Split and
// reading mode): from (7, 85) to the neighbour's left and bottom.
constexpr Rect ImageRectLeftOf(const Rect& rightNeighbour) { return Rect{7, 85, rightNeighbour.left, rightNeighbour.bottom}; }

// Reading panel of width p: on entering the mode at W - p - 7, on later
// layouts at W - p - 5 (kept as it is).
constexpr Rect ReadingPanelRectOnEnter(Size client, int panelWidth) {
  const Rect content = ContentRect(client);
  return Rect::FromPositionAndSize(client.width - panelWidth - 7, content.top, panelWidth, content.Height());
}
constexpr Rect ReadingPanelRectOnLayout(Size client, int panelWidth) {
  const Rect content = ContentRect(client);
  return Rect::FromPositionAndSize(client.width - panelWidth - 5, 85, panelWidth, content.Height());
}
constexpr Rect ReadingImageRect(Size client, int panelWidth) {
  const Rect content = ContentRect(client);
  return Rect::FromPositionAndSize(7, 85, content.Width() - panelWidth, content.Height());
}

// After a resize to cx x cy: a palette beyond the right or bottom margin is
// moved back inside; an inset likewise (both in client coordinates).
Rect KeepPaletteInside(const Rect& palette, Size client);
Rect KeepInsetInside(const Rect& inset, Size client);

}  // namespace orvilo::shell
