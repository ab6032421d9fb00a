// The speech editor's settings file "Sonara_PC_App_M.INI" in the folder the
// program was started from, section "Sonara": read once at start, written
// back whole at exit.
#pragma once

#include <array>
#include <string>

namespace orvilo::speechutil {

inline constexpr const char* kSettingsFileName = "Sonara_PC_App_M.INI";
inline constexpr const char* kSettingsSection = "Sonara";

struct SonaraSettings {
  int dbSampleRate = 16000;  // "DBSRAT": 8000 or 16000
  // "DBPATH_KOKR", "DBPATH_ENUS", "DBPATH_ZHCN", "DBPATH_JAJP" by language.
  std::array<std::string, 4> dbPaths = {"..\\Sonara_M_DB\\KO_KR\\", "..\\Sonara_M_DB\\EN_US\\",
                                        "..\\Sonara_M_DB\\ZH_CN\\", "..\\Sonara_M_DB\\JA_JP\\"};
  int fileFormat = 1;  // "TTS_FILEFORMAT": the export format last chosen, 1..28
};

// Path of the settings file in `startFolder`.
std::string SettingsPath(const std::string& startFolder);

// Reads the file; missing keys and values out of range keep their defaults
// (a rate other than 8000 or 16000, a format outside 1..28, an empty path).
SonaraSettings LoadSettings(const std::string& path);

// Writes every key; false when the file could not be written (it is then
// untouched).
bool SaveSettings(const std::string& path, const SonaraSettings& settings);

// The folder a database setting names, as a path the engine can load:
// backslashes become "/", a relative path is taken from `startFolder`, and
// the result ends in "/". When that folder does not exist but the program
// folder holds a database folder of the same name (the layout the build
// stages), that one is used instead.
std::string ResolveDatabaseFolder(const std::string& setting, const std::string& startFolder,
                                  const std::string& programFolder);

}  // namespace orvilo::speechutil
