// Names and defaults of the main program's settings file: "QEL-3.ini" in the
// program folder, every key of the program in section "QEL-3".
#pragma once

#include <string_view>

#include "core/camera_model.h"

namespace orvilo::core {

inline constexpr std::string_view kSettingsSection = "QEL-3";
inline constexpr std::string_view kSettingsFileName = "QEL-3.ini";
// The voice-book list shares the file ("VoiceBook%03d" keys, "END" after the
// last row).
inline constexpr std::string_view kVoiceBookSection = "VOICEBOOK";

inline constexpr std::string_view kTempFolderKey = "TempFolder";
inline constexpr std::string_view kImageFolderKey = "ImageFolder";
inline constexpr std::string_view kUserDicPathKey = "UserDicPath";
inline constexpr std::string_view kUserEDicPathKey = "UserEDicPath";
inline constexpr std::string_view kVideoFolderKey = "VideoFolder";
inline constexpr std::string_view kResolutionKey = "RESOLUTION";
inline constexpr std::string_view kRotateKey = "ROTATE";
inline constexpr std::string_view kFullScreenKey = "FULLSCREEN";
inline constexpr std::string_view kTitleKey = "TITLE";
inline constexpr std::string_view kLanguageKey = "LANGUAGE";
inline constexpr std::string_view kLogoPopupKey = "LOGOPOPUP";
inline constexpr std::string_view kGradeKey = "GRADE";
inline constexpr std::string_view kArInfoKey = "ARINFO";

// Default names under the program folder.
inline constexpr std::string_view kScratchFolderName = "STRQelOutput";
inline constexpr std::string_view kImageFolderName = "Image";
inline constexpr std::string_view kVideoFolderName = "Video";
inline constexpr std::string_view kUserDicFileName = "user.dic";
inline constexpr std::string_view kUserEDicFileName = "userE.dic";

inline constexpr std::string_view kTrueText = "TRUE";
inline constexpr std::string_view kFalseText = "FALSE";
inline constexpr std::string_view kDefaultArInfo = "%d 학년 %d 학기 %d 단원";

}  // namespace orvilo::core
