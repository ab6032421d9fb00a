// The main program's settings store: "QEL-3.ini" in the program folder,
// section "QEL-3". When the program folder is not writable (an installed
// package), the file and the default data folders move to the user's folders
// (sys::WriteFoldersOf); a settings file in the program folder then holds the
// administrator's defaults, read until the user's own file exists and copied
// into it at the first start. The main window's contract with its settings file:
//
//   SettingsStore store(sys::ProgramFolder(), sys::SystemUiLanguage());
//   MainWindowSettings settings = store.ReadAtStart();        // while initialising
//   bool korean = store.IsKoreanWindowLanguage();
//   ...
//   store.WriteAtShutdown(CameraViewState{index, rotation}, settings.fullScreen);
//
// Every read goes to the file afresh (the language rules of components, the
// logo and AR keys are read on demand); writes replace the file safely and
// their failures leave the program running on its in-memory values. Only the
// user-interface thread uses the store.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/settings/settings_keys.h"
#include "platform/sys/user_folders.h"

namespace orvilo::core {

// What the main window keeps from the file for the whole run.
struct MainWindowSettings {
  std::string tempFolder;    // "TempFolder", created at start
  std::string imageFolder;   // "ImageFolder": pictures of the snapshot button
  std::string userDicPath;   // "UserDicPath": Korean user dictionary
  std::string userEDicPath;  // "UserEDicPath": English user dictionary
  std::string videoFolder;   // "VideoFolder": recordings
  int resolutionIndex = kDefaultResolutionIndex;  // "RESOLUTION" as read (any number; the camera checks it)
  int rotation = 0;          // "ROTATE" in quarter turns clockwise, 0..3
  bool fullScreen = false;   // "FULLSCREEN" == "TRUE"
  std::string title;         // "TITLE"; empty: the caption of the camera model
};

// What the camera view hands back at shutdown.
struct CameraViewState {
  int resolutionIndex;
  int rotation;  // quarter turns; written as 0..3
};

class SettingsStore {
 public:
  // `programFolder` without a trailing "/" (tests use a temporary folder);
  // `systemLanguage` as sys::SystemUiLanguage() gives it.
  SettingsStore(std::string programFolder, int systemLanguage);
  // With the folders for writing chosen by the caller (tests).
  SettingsStore(std::string programFolder, sys::WriteFolders writeFolders, int systemLanguage);

  const std::string& programFolder() const { return programFolder_; }
  // Where the settings file and the default data folders are.
  const sys::WriteFolders& writeFolders() const { return writeFolders_; }
  const std::string& settingsPath() const { return settingsPath_; }
  int systemLanguage() const { return systemLanguage_; }

  // The fixed scratch folder of the image view and the recognition flow.
  std::string ScratchFolder() const;

  // A key of section "QEL-3": empty when it or the file is missing (read
  // from the program folder's file while the user's own does not exist).
  std::string Read(std::string_view key) const;
  // Sets a key; false when the file could not be written (callers may ignore).
  bool Write(std::string_view key, std::string_view value) const;

  // Reads the main window's settings in the order of start-up, writes back
  // the default of every key found empty, and creates the three data folders
  // (and the fixed scratch folder). Never fails: what cannot be read is the
  // default, what cannot be written or created is left as it is.
  MainWindowSettings ReadAtStart() const;

  // "RESOLUTION" and "ROTATE" from the camera view when it exists, then
  // "FULLSCREEN". False when the file could not be written.
  bool WriteAtShutdown(const std::optional<CameraViewState>& camera, bool fullScreen) const;

  // The folders page closed with OK: each folder text that differs byte for
  // byte from the current one replaces it and is written at once. The folder
  // is not created now (it is at the next start).
  void ApplyFolderChoice(MainWindowSettings& settings, std::string_view imageFolder,
                         std::string_view videoFolder) const;

  // The language rules with "LANGUAGE" read afresh.
  bool IsKoreanWindowLanguage() const;
  bool IsKoreanComponentLanguage() const;

  // A click on the logo opens the about page unless "LOGOPOPUP" reads as 0.
  bool LogoPopupEnabled() const;
  // The slot of an AR grade button from "GRADE", or nothing when hidden.
  std::optional<int> GradeSlot(int grade) const;
  // "ARINFO", or "%d 학년 %d 학기 %d 단원" when empty (see FormatArCaption).
  std::string ArInfoFormat() const;

 private:
  // The file to read: the settings file, or the administrator's defaults.
  std::string SourcePath() const;

  std::string programFolder_;
  sys::WriteFolders writeFolders_;
  std::string settingsPath_;
  std::string defaultsPath_;  // the program folder's file
  int systemLanguage_;
};

}  // namespace orvilo::core
