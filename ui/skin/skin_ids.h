// Numbers of the program's skin pictures. The numbers that windows of
// different subsystems agree on are fixed; the rest (frame pieces, title and
// command-bar buttons, tabs, palette, focus popup, settings dialog) live in
// the 500..899 range. Every picture, with its size and what it shows, is
// listed in skin_table.cpp; these names only spare callers bare numbers.
#pragma once

namespace orvilo::skin {

// Kinds of resource: each kind has its own numbers, as on the platform the
// program comes from (a bitmap and a "PNG" may share a number).
enum class SkinKind { Bitmap, Png, Icon, Cursor };

// ---- Pictures whose numbers windows share --------------------------------

inline constexpr int kProgramIcon = 128;         // icon
inline constexpr int kRecordingIndicator = 129;  // shaped by its magenta pixels

inline constexpr int kSplitBar = 183;            // 5 x 1, stretched to the height
inline constexpr int kPanelHeader = 184;
inline constexpr int kInsetFrame = 185;          // 400 x 305, interior magenta
inline constexpr int kPanelPicture = 190;        // 70 x 78
inline constexpr int kPanelExpand = 192;
inline constexpr int kPanelCollapse = 193;
// Voice-book list buttons 0 add, 1 remove, 2 rename; one number per language.
constexpr int VoiceBookButton(int index, bool korean) { return (korean ? 194 : 309) + index; }

inline constexpr int kMovieBarBackground = 230;
inline constexpr int kReadingBarBackground = 231;
// Sliders: background b, fill b + 1, thumb b + 2 (three looks).
inline constexpr int kPositionSliderBase = 232;
inline constexpr int kBarVolumeSliderBase = 235;
inline constexpr int kFocusSliderBase = 300;
inline constexpr int kArVolumeSliderBase = 441;
// Control-bar buttons 1625..1633 use 238..246.
constexpr int ControlBarButton(int commandId) { return 238 + (commandId - 1625); }
inline constexpr int kPanelRowCap = 253;
inline constexpr int kPanelRowField = 254;
// Reading-panel picker buttons 0 language, 1 voice, 2 speed.
constexpr int PanelPickerButton(int index) { return 255 + index; }
inline constexpr int kSpeedButton = 258;

// "PNG" pictures of the shape and board pickers (entry order of the lists).
inline constexpr int kShapePngCount = 5;
inline constexpr int kBoardPngCount = 4;
constexpr int ShapePng(int entry) { return 265 + entry; }  // 0 .. kShapePngCount - 1
constexpr int BoardPng(int entry) { return 270 + entry; }  // 0 .. kBoardPngCount - 1

// Board pictures for board kinds 1 blackboard, 2 whiteboard, 3 note.
constexpr int BoardPicture(int kind) { return 273 + kind; }
inline constexpr int kBlindTexture = 277;
inline constexpr int kBlindClose = 278;
inline constexpr int kCheckBox = 279;     // checked at x 0, unchecked at x 18
inline constexpr int kDragCursor = 280;   // cursor
inline constexpr int kDragCursorHotX = 2;
inline constexpr int kDragCursorHotY = 2;
inline constexpr int kNavigatorFrame = 281;

// Speech editor: speaker pictures, about picture, bitmap buttons (normal,
// pressed, disabled) and the repeat toggle.
constexpr int SpeakerPicture(int speaker) { return speaker == 6 ? 143 : 145 + speaker; }  // 0..4 and 6
inline constexpr int kSpeechAboutPicture = 151;
inline constexpr int kSpeechExportButton[3] = {154, 152, 153};
inline constexpr int kSpeechPlayButton[3] = {157, 155, 156};
inline constexpr int kSpeechStopButton[3] = {160, 158, 159};
inline constexpr int kSpeechRepeatOff = 163;
inline constexpr int kSpeechRepeatOn = 164;

// ---- Pictures numbered by this program ------------------------------------

// Main window frame pieces: 0 top-left, 1 top edge, 2 top-right, 3 left
// edge, 4 right edge, 5 bottom-left, 6 bottom edge, 7 bottom-right.
constexpr int FramePiece(int piece) { return 500 + piece; }
inline constexpr int kZoomBadge = 508;
inline constexpr int kMarkerCells = 509;
inline constexpr int kArSpeakerIcon = 510;
// Title button i (0 logo .. 7 zoom list).
constexpr int TitleButton(int index) { return 520 + index; }
// Button i of command bar b (Korean and English pictures).
constexpr int CommandBarButton(int bar, int index) { return 600 + 20 * bar + index; }

// Tab strip (Korean and English pictures). Tab i covers x 78 i .. 78 i + 83
// of a strip 20 high; its label picture goes at TabLabelPosition(i).
inline constexpr int kTabWidth = 78;
inline constexpr int kTabOverlap = 5;
inline constexpr int kTabHeight = 20;
inline constexpr int kTabLabelWidth = 70;
inline constexpr int kTabLabelHeight = 16;
constexpr int TabLabelLeft(int tab) { return kTabWidth * tab + 7; }
inline constexpr int kTabLabelTop = 3;
constexpr int TabCount(int featureVariant) { return featureVariant == 0 ? 3 : featureVariant == 3 ? 5 : 4; }
constexpr int TabStripWidth(int featureVariant) { return kTabWidth * TabCount(featureVariant) + kTabOverlap; }
constexpr int TabLabel(int mode) { return 700 + mode; }           // label on an unselected tab
constexpr int TabLabelHover(int mode) { return 710 + mode; }      // copied over a hovered tab
constexpr int TabLabelHighlight(int mode) { return 720 + mode; }  // drawn keyed over the selected tab
constexpr int TabStrip(int featureVariant, int selectedTab) { return 730 + 10 * featureVariant + selectedTab; }

// Tools palette.
inline constexpr int kPaletteTopGrip = 800;
inline constexpr int kPaletteVerticalFill = 801;
inline constexpr int kPaletteLeftGrip = 802;
inline constexpr int kPaletteHorizontalFill = 803;
// Tool buttons 1525..1531 use 810..816, 1534..1546 use 820..832.
constexpr int PaletteToolButton(int commandId) { return commandId <= 1531 ? 810 + (commandId - 1525) : 820 + (commandId - 1534); }

// Manual focus popup.
inline constexpr int kFocusBackground = 840;
inline constexpr int kFocusStepDown = 841;
inline constexpr int kFocusStepUp = 842;

// Settings dialog: frame pieces in the main window's order, the lower
// bottom pieces of the about and no-camera pages, the about picture.
constexpr int DialogFramePiece(int piece) { return 850 + piece; }
constexpr int DialogShortBottomPiece(int piece) { return 858 + piece; }  // 0 left, 1 edge, 2 right
inline constexpr int kDialogAboutPicture = 861;
// Dialog buttons (OK, Cancel, browse and camera settings have both languages).
inline constexpr int kDialogClose = 870;
inline constexpr int kDialogOk = 871;
inline constexpr int kDialogCancel = 872;
inline constexpr int kDialogBrowse = 873;
inline constexpr int kDialogCameraSettings = 874;

}  // namespace orvilo::skin
