#include "speechutil/sonara_settings.h"

#include <algorithm>
#include <string_view>

#include "platform/profile/private_profile.h"
#include "platform/profile/profile_file.h"
#include "platform/sys/file_io.h"
#include "platform/sys/program_folder.h"

namespace orvilo::speechutil {
namespace {

constexpr std::array<const char*, 4> kDbPathKeys = {"DBPATH_KOKR", "DBPATH_ENUS", "DBPATH_ZHCN", "DBPATH_JAJP"};
// Text values are read as the fixed 256-byte buffers of the original did.
constexpr std::size_t kTextLimit = 255;

int ReadNumber(const profile::ProfileFile& file, const char* key, int fallback) {
  const std::string text = file.Read(kSettingsSection, key);
  return text.empty() ? fallback : profile::ReadProfileNumber(text);
}

}  // namespace

std::string SettingsPath(const std::string& startFolder) { return sys::JoinPath(startFolder, kSettingsFileName); }

SonaraSettings LoadSettings(const std::string& path) {
  const profile::ProfileFile file = profile::ProfileFile::Load(path);
  SonaraSettings settings;
  const int rate = ReadNumber(file, "DBSRAT", settings.dbSampleRate);
  if (rate == 8000 || rate == 16000) settings.dbSampleRate = rate;
  for (std::size_t language = 0; language < kDbPathKeys.size(); ++language) {
    std::string value = file.Read(kSettingsSection, kDbPathKeys[language], kTextLimit);
    if (!value.empty()) settings.dbPaths[language] = std::move(value);
  }
  const int format = ReadNumber(file, "TTS_FILEFORMAT", settings.fileFormat);
  if (format >= 1 && format <= 28) settings.fileFormat = format;
  return settings;
}

bool SaveSettings(const std::string& path, const SonaraSettings& settings) {
  profile::ProfileFile file = profile::ProfileFile::Load(path);
  bool ok = file.Write(kSettingsSection, "DBSRAT", std::to_string(settings.dbSampleRate));
  for (std::size_t language = 0; language < kDbPathKeys.size(); ++language) {
    ok = file.Write(kSettingsSection, kDbPathKeys[language], settings.dbPaths[language]) && ok;
  }
  ok = file.Write(kSettingsSection, "TTS_FILEFORMAT", std::to_string(settings.fileFormat)) && ok;
  return file.Save() && ok;
}

std::string ResolveDatabaseFolder(const std::string& setting, const std::string& startFolder,
                                  const std::string& programFolder) {
  std::string path = setting;
  std::replace(path.begin(), path.end(), '\\', '/');
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  if (!path.empty() && path.front() != '/') path = sys::JoinPath(startFolder, path);
  if (!sys::IsDirectory(path) && !programFolder.empty()) {
    // "..\Sonara_M_DB\KO_KR\" names the databases one folder above the start
    // folder; the staged program folder keeps them beside the program.
    const std::size_t cut = path.find_last_of('/');
    const std::string language = path.substr(cut == std::string::npos ? 0 : cut + 1);
    const std::string staged = sys::JoinPath(sys::JoinPath(programFolder, "Sonara_M_DB"), language);
    if (!language.empty() && sys::IsDirectory(staged)) path = staged;
  }
  return path + "/";
}

}  // namespace orvilo::speechutil
