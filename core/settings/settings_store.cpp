#include "core/settings/settings_store.h"

#include <filesystem>
#include <system_error>

#include "platform/profile/private_profile.h"
#include "platform/sys/program_folder.h"
#include "core/settings/ar_settings.h"
#include "core/settings/ensure_folder.h"
#include "core/settings/language_rules.h"
#include "core/settings/settings_keys.h"

namespace orvilo::core {
namespace {

// A drive letter or a backslash: a path written on Windows, which names no
// folder here. Creating it would leave a folder called "D:\Image" in the
// current directory; such a value is treated as missing (the file keeps it).
bool IsWindowsPath(std::string_view path) {
  const bool drive = path.size() >= 2 && path[1] == ':' &&
                     ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  return drive || path.find('\\') != std::string_view::npos;
}

int QuarterTurns(int rotation) { return ((rotation % 4) + 4) % 4; }

// Reads a path key; an empty one gets `fallback`, written back.
std::string ReadPath(profile::ProfileFile& file, std::string_view key, const std::string& fallback) {
  const std::string value = file.Read(kSettingsSection, key);
  if (value.empty()) {
    file.Write(kSettingsSection, key, fallback);
    return fallback;
  }
  return IsWindowsPath(value) ? fallback : value;
}

// Reads a number key; an empty one gets `fallback`, written back.
int ReadNumber(profile::ProfileFile& file, std::string_view key, int fallback) {
  const std::string value = file.Read(kSettingsSection, key);
  if (value.empty()) {
    file.Write(kSettingsSection, key, std::to_string(fallback));
    return fallback;
  }
  return profile::ReadProfileNumber(value);
}

}  // namespace

SettingsStore::SettingsStore(std::string programFolder, int systemLanguage)
    : SettingsStore(programFolder, sys::WriteFoldersOf(programFolder), systemLanguage) {}

SettingsStore::SettingsStore(std::string programFolder, sys::WriteFolders writeFolders, int systemLanguage)
    : programFolder_(std::move(programFolder)),
      writeFolders_(std::move(writeFolders)),
      settingsPath_(sys::JoinPath(writeFolders_.settings, std::string(kSettingsFileName))),
      defaultsPath_(sys::JoinPath(programFolder_, std::string(kSettingsFileName))),
      systemLanguage_(systemLanguage) {}

std::string SettingsStore::ScratchFolder() const {
  return sys::JoinPath(writeFolders_.data, std::string(kScratchFolderName));
}

std::string SettingsStore::SourcePath() const {
  std::error_code error;
  if (settingsPath_ == defaultsPath_ || std::filesystem::exists(settingsPath_, error) || error) return settingsPath_;
  return defaultsPath_;
}

std::string SettingsStore::Read(std::string_view key) const {
  return profile::ReadProfileString(SourcePath(), kSettingsSection, key);
}

bool SettingsStore::Write(std::string_view key, std::string_view value) const {
  return profile::WriteProfileString(settingsPath_, kSettingsSection, key, value);
}

MainWindowSettings SettingsStore::ReadAtStart() const {
  // One load, the keys in order, one save of whatever defaults were filled in.
  // The user's first file starts as a copy of the administrator's defaults.
  profile::ProfileFile file = profile::ProfileFile::Load(settingsPath_);
  std::string original = file.Serialise();
  if (SourcePath() != settingsPath_) {
    file = profile::ProfileFile::Parse(settingsPath_, profile::ProfileFile::Load(defaultsPath_).Serialise());
    original.clear();
  }
  if (writeFolders_.settings != programFolder_) EnsureFolder(writeFolders_.settings);
  const auto inProgramFolder = [&](std::string_view name) { return sys::JoinPath(writeFolders_.data, std::string(name)); };
  MainWindowSettings settings;

  settings.tempFolder = ReadPath(file, kTempFolderKey, ScratchFolder());
  EnsureFolder(settings.tempFolder);
  if (settings.tempFolder != ScratchFolder()) EnsureFolder(ScratchFolder());  // scratch files go there by name
  settings.imageFolder = ReadPath(file, kImageFolderKey, inProgramFolder(kImageFolderName));
  EnsureFolder(settings.imageFolder);
  settings.userDicPath = ReadPath(file, kUserDicPathKey, inProgramFolder(kUserDicFileName));
  settings.userEDicPath = ReadPath(file, kUserEDicPathKey, inProgramFolder(kUserEDicFileName));
  settings.videoFolder = ReadPath(file, kVideoFolderKey, inProgramFolder(kVideoFolderName));
  EnsureFolder(settings.videoFolder);

  settings.resolutionIndex = ReadNumber(file, kResolutionKey, kDefaultResolutionIndex);
  settings.rotation = QuarterTurns(ReadNumber(file, kRotateKey, 0));

  const std::string fullScreen = file.Read(kSettingsSection, kFullScreenKey);
  settings.fullScreen = fullScreen == kTrueText;  // case-sensitive: "true" and "1" mean off
  if (fullScreen.empty()) file.Write(kSettingsSection, kFullScreenKey, kFalseText);

  settings.title = file.Read(kSettingsSection, kTitleKey);

  if (file.Serialise() != original) file.Save();  // failure: run on the values in memory
  return settings;
}

bool SettingsStore::WriteAtShutdown(const std::optional<CameraViewState>& camera, bool fullScreen) const {
  profile::ProfileFile file = profile::ProfileFile::Load(settingsPath_);
  if (camera) {
    file.Write(kSettingsSection, kResolutionKey, std::to_string(camera->resolutionIndex));
    file.Write(kSettingsSection, kRotateKey, std::to_string(QuarterTurns(camera->rotation)));
  }
  file.Write(kSettingsSection, kFullScreenKey, fullScreen ? kTrueText : kFalseText);
  return file.Save();
}

void SettingsStore::ApplyFolderChoice(MainWindowSettings& settings, std::string_view imageFolder,
                                      std::string_view videoFolder) const {
  if (imageFolder != settings.imageFolder) {
    settings.imageFolder = std::string(imageFolder);
    Write(kImageFolderKey, imageFolder);
  }
  if (videoFolder != settings.videoFolder) {
    settings.videoFolder = std::string(videoFolder);
    Write(kVideoFolderKey, videoFolder);
  }
}

bool SettingsStore::IsKoreanWindowLanguage() const {
  return core::IsKoreanWindowLanguage(Read(kLanguageKey), systemLanguage_);
}

bool SettingsStore::IsKoreanComponentLanguage() const {
  return core::IsKoreanComponentLanguage(Read(kLanguageKey), systemLanguage_);
}

bool SettingsStore::LogoPopupEnabled() const {
  const std::string value = Read(kLogoPopupKey);
  return value.empty() || profile::ReadProfileNumber(value) != 0;
}

std::optional<int> SettingsStore::GradeSlot(int grade) const { return core::GradeSlot(Read(kGradeKey), grade); }

std::string SettingsStore::ArInfoFormat() const {
  std::string value = Read(kArInfoKey);
  return value.empty() ? std::string(kDefaultArInfo) : value;
}

}  // namespace orvilo::core
