// Command identifiers and private message numbers exchanged with the main
// window. The numbers are fixed: windows of every subsystem send them, and
// the command identifiers are also the control identifiers of the buttons.
#pragma once

#include <cstdint>

namespace orvilo::command {

// Title buttons: 1125 + index.
inline constexpr int kFirstTitleButton = 1125;
inline constexpr int kLogo = 1125;
inline constexpr int kMinimise = 1126;
inline constexpr int kMaximise = 1127;
inline constexpr int kRestore = 1128;
inline constexpr int kClose = 1129;
inline constexpr int kZoomIn = 1130;
inline constexpr int kZoomOut = 1131;
inline constexpr int kZoomList = 1132;

// Mode switch: 1134 + ViewMode.
inline constexpr int kModeCamera = 1134;
inline constexpr int kModeImage = 1135;
inline constexpr int kModeReading = 1136;
inline constexpr int kModeMovie = 1137;
inline constexpr int kModeAr = 1138;

// Keyboard and presenter-remote commands (docs/input.md): the next or
// previous item of the current mode (sentence or voice book, still in the
// picture's folder, a skip in the movie), blanking the picture, the help.
inline constexpr int kNextItem = 1140;
inline constexpr int kPreviousItem = 1141;
inline constexpr int kBlankPicture = 1142;
inline constexpr int kShortcutHelp = 1143;  // the list of keys over the window, on and off

// Command bars: button i of bar b is FirstBarButton(b) + i.
inline constexpr int kBarFirstButton[5] = {1045, 1065, 1075, 1085, 1095};
inline constexpr int kBarButtonCount[5] = {18, 6, 8, 4, 16};
constexpr int BarButton(int bar, int index) { return kBarFirstButton[bar] + index; }

// Bar 0, camera mode.
inline constexpr int kOpenFile = 1045;
inline constexpr int kSaveFrame = 1046;
inline constexpr int kRecord = 1047;
inline constexpr int kResolution = 1048;
inline constexpr int kCameraFullScreenOn = 1049;
inline constexpr int kPalette = 1050;
inline constexpr int kSettings = 1051;
inline constexpr int kAutoFocus = 1052;
inline constexpr int kManualFocus = 1053;
inline constexpr int kPause = 1054;
inline constexpr int kStopRecording = 1055;
inline constexpr int kCameraFullScreenOff = 1056;
// Beyond the camera bar of old (docs/beyond.md): the picture-controls popup
// and interval capture (start, or stop while running).
inline constexpr int kPictureControls = 1057;
inline constexpr int kIntervalCapture = 1058;
// Time-lapse recording (start, or stop while running) and the filmstrip of
// stills (open or close), both toggles.
inline constexpr int kTimeLapse = 1059;
inline constexpr int kFilmstrip = 1060;
// The drawing over the live picture: on and off with the pen tools in the
// palette (toggle), and cleared.
inline constexpr int kLiveDrawing = 1061;
inline constexpr int kClearLiveDrawing = 1062;

// Bar 1, image mode.
inline constexpr int kOpenPicture = 1065;
inline constexpr int kSavePicture = 1066;
inline constexpr int kImageFullScreenOn = 1067;
inline constexpr int kUndo = 1068;
inline constexpr int kRedo = 1069;
inline constexpr int kImageFullScreenOff = 1070;

// Bar 2, reading mode.
inline constexpr int kOpenLearningFile = 1075;
inline constexpr int kSaveLearningFile = 1076;
inline constexpr int kRecognise = 1077;
inline constexpr int kUserDictionary = 1078;
inline constexpr int kBackgroundMusic = 1079;
inline constexpr int kBlind = 1080;
inline constexpr int kPanelView = 1081;
// The page and its recognised text out: PDF, clipboard, text file.
inline constexpr int kExport = 1082;

// Bar 3, movie mode.
inline constexpr int kOpenMovie = 1085;
inline constexpr int kFrameToImage = 1086;
inline constexpr int kMovieFullScreenOn = 1087;
inline constexpr int kMovieFullScreenOff = 1088;

// Bar 4, AR mode: 1095..1110 (grade buttons 1105..1110).
inline constexpr int kFirstArGrade = 1105;

// Tools palette, camera tools.
inline constexpr int kCameraNegative = 1525;
inline constexpr int kCameraBlackWhite = 1526;
inline constexpr int kCameraMirror = 1527;
inline constexpr int kCameraFlip = 1528;
inline constexpr int kCameraRotate = 1529;
inline constexpr int kSplitScreen = 1530;
inline constexpr int kPictureInPicture = 1531;

// Tools palette, image tools (tool number = identifier - 1534).
inline constexpr int kFirstImageTool = 1534;
inline constexpr int kPen = 1534;
inline constexpr int kHighlighter = 1535;
inline constexpr int kColour = 1536;
inline constexpr int kPenType = 1537;
inline constexpr int kEraser = 1538;
inline constexpr int kEraseAll = 1539;
inline constexpr int kShapes = 1540;
inline constexpr int kBoard = 1541;
inline constexpr int kImageNegative = 1542;
inline constexpr int kImageBlackWhite = 1543;
inline constexpr int kImageMirror = 1544;
inline constexpr int kImageFlip = 1545;
inline constexpr int kImageRotate = 1546;

// Control bars.
inline constexpr int kPlay = 1625;
inline constexpr int kPauseMovie = 1626;
inline constexpr int kStopMovie = 1627;
inline constexpr int kSkipBack = 1628;
inline constexpr int kSkipForward = 1629;
inline constexpr int kReading = 1630;
inline constexpr int kPauseReading = 1631;
inline constexpr int kStopReading = 1632;
inline constexpr int kRepeat = 1633;

// From views.
inline constexpr int kSplitResized = 1326;
inline constexpr int kSplitSizingEnded = 1327;
inline constexpr int kPanelResized = 1430;
inline constexpr int kPanelSizingEnded = 1431;
inline constexpr int kSwapToImageInset = 1825;
inline constexpr int kSwapToCameraInset = 1826;
inline constexpr int kUndoPossible = 1874;
inline constexpr int kNothingToUndo = 1875;
inline constexpr int kRedoPossible = 1876;
inline constexpr int kNothingToRedo = 1877;

}  // namespace orvilo::command

namespace orvilo::message {

inline constexpr std::uint32_t kMoviePositionSlider = 1275;  // wParam = percent
inline constexpr std::uint32_t kVolumeSliderOfBar = 1276;    // wParam = percent
inline constexpr std::uint32_t kMovieEnded = 1277;
inline constexpr std::uint32_t kPointerActivity = 1278;      // wParam 0 show, 1 hide
inline constexpr std::uint32_t kMoviePosition = 1279;        // wParam = seconds, lParam = duration
inline constexpr std::uint32_t kTouchZoom = 1281;            // wParam = percent the view now shows
// From the camera view's filmstrip, wParam = the still's place in it: open
// the still in the image view; compare it with the live picture (split).
inline constexpr std::uint32_t kOpenStill = 1282;
inline constexpr std::uint32_t kCompareStill = 1283;
// A navigator to the view that owns it: wParam = const gdi::Rect* of the
// outline, lParam = const gdi::Rect* of the thumbnail, both in its client area.
inline constexpr std::uint32_t kNavigatorSelection = 1328;
inline constexpr std::uint32_t kBackgroundMusic = 1432;
inline constexpr std::uint32_t kSpeechStatus = 1433;
inline constexpr std::uint32_t kPickerChoice = 1575;         // wParam = tool number, lParam = entry
inline constexpr std::uint32_t kCameraSettings = 1630;       // wParam = the dialog's handle
inline constexpr std::uint32_t kMovieSpeed = 1634;           // wParam = speed entry 0..10
inline constexpr std::uint32_t kStillButton = 1829;
inline constexpr std::uint32_t kReadingLanguage = 1832;      // wParam 0 Korean, 1 English
inline constexpr std::uint32_t kFocusPopupHidden = 1836;
inline constexpr std::uint32_t kLayOutViews = 1837;
inline constexpr std::uint32_t kMasterVolume = 1838;         // wParam = percent

}  // namespace orvilo::message

namespace orvilo::timer {

inline constexpr int kCameraRestartWatchdog = 1344;
inline constexpr int kControlBarHide = 1828;

}  // namespace orvilo::timer
