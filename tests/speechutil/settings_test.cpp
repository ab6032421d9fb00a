#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/sys/file_io.h"
#include "speechutil/sonara_settings.h"
#include "tests/platform/sys/temporary_folder.h"

namespace orvilo::speechutil {
namespace {

using orvilo::testing::TemporaryFolder;

TEST(SonaraSettingsTest, MissingFileGivesTheDefaults) {
  TemporaryFolder folder;
  const SonaraSettings settings = LoadSettings(SettingsPath(folder.path()));
  EXPECT_EQ(settings.dbSampleRate, 16000);
  EXPECT_EQ(settings.dbPaths[0], "..\\Sonara_M_DB\\KO_KR\\");
  EXPECT_EQ(settings.dbPaths[3], "..\\Sonara_M_DB\\JA_JP\\");
  EXPECT_EQ(settings.fileFormat, 1);
  EXPECT_EQ(SettingsPath(folder.path()), folder / "Sonara_PC_App_M.INI");
}

TEST(SonaraSettingsTest, EveryKeyIsWrittenAndReadBack) {
  TemporaryFolder folder;
  SonaraSettings settings;
  settings.dbSampleRate = 8000;
  settings.dbPaths[1] = "/opt/voices/EN_US/";
  settings.fileFormat = 27;
  ASSERT_TRUE(SaveSettings(SettingsPath(folder.path()), settings));
  const auto bytes = sys::ReadFileBytes(SettingsPath(folder.path()), 4096).bytes;
  EXPECT_NE(bytes.find("[Sonara]\r\nDBSRAT=8000\r\n"), std::string::npos) << bytes;
  EXPECT_NE(bytes.find("DBPATH_KOKR=..\\Sonara_M_DB\\KO_KR\\\r\n"), std::string::npos) << bytes;
  EXPECT_NE(bytes.find("TTS_FILEFORMAT=27\r\n"), std::string::npos) << bytes;
  const SonaraSettings back = LoadSettings(SettingsPath(folder.path()));
  EXPECT_EQ(back.dbSampleRate, 8000);
  EXPECT_EQ(back.dbPaths[1], "/opt/voices/EN_US/");
  EXPECT_EQ(back.fileFormat, 27);
}

TEST(SonaraSettingsTest, ValuesOutOfRangeKeepTheirDefaults) {
  TemporaryFolder folder;
  std::ofstream(SettingsPath(folder.path())) << "[Sonara]\nDBSRAT=44100\nTTS_FILEFORMAT=29\nDBPATH_ZHCN=\n";
  const SonaraSettings settings = LoadSettings(SettingsPath(folder.path()));
  EXPECT_EQ(settings.dbSampleRate, 16000);
  EXPECT_EQ(settings.fileFormat, 1);
  EXPECT_EQ(settings.dbPaths[2], "..\\Sonara_M_DB\\ZH_CN\\");
}

TEST(SonaraSettingsTest, DatabaseFoldersResolveFromTheStartFolderOrTheProgramFolder) {
  TemporaryFolder folder;
  std::filesystem::create_directories(folder / "start");
  std::filesystem::create_directories(folder / "Sonara_M_DB/KO_KR");
  std::filesystem::create_directories(folder / "program/Sonara_M_DB/EN_US");
  const std::string start = folder / "start";
  // Relative to the start folder, with backslashes, when it exists there.
  EXPECT_EQ(ResolveDatabaseFolder("..\\Sonara_M_DB\\KO_KR\\", start, folder / "program"),
            start + "/../Sonara_M_DB/KO_KR/");
  // Not there: the program folder's copy of the same language.
  EXPECT_EQ(ResolveDatabaseFolder("..\\Sonara_M_DB\\EN_US\\", start, folder / "program"),
            folder / "program/Sonara_M_DB/EN_US/");
  // Nowhere: the setting as it stands, for the engine to refuse.
  EXPECT_EQ(ResolveDatabaseFolder("/nowhere/JA_JP", start, folder / "program"), "/nowhere/JA_JP/");
}

}  // namespace
}  // namespace orvilo::speechutil
