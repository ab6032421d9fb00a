// Starting the engine, loading databases and describing speakers, through the C header.
#include <filesystem>
#include <fstream>

#include "sonara_test_support.h"

namespace orvilo::sonara::testing {
namespace {

struct SpeakerCase {
  int language;
  const char* name;
  const char* languageName;
};

class ShippedSpeakerTest : public EngineTest, public ::testing::WithParamInterface<SpeakerCase> {};

TEST_P(ShippedSpeakerTest, DescribesTheLanguagesSpeaker) {
  SpeakerDbInfo info;
  const int speaker = ShippedSpeaker(GetParam().language);
  ASSERT_EQ(STTS_GetDBInfo(GetParam().language, speaker, &info), STTS_OK);
  EXPECT_EQ(info.id, speaker);
  EXPECT_STREQ(info.name, GetParam().name);
  EXPECT_STREQ(info.languageName, GetParam().languageName);
  EXPECT_EQ(info.sampleRate, 16000);

  EXPECT_EQ(STTS_GetDBInfo(GetParam().language, 5, &info), STTS_ERR_SPEAKER);
  EXPECT_LT(info.id, 0);  // not installed
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedSpeakerTest,
                         ::testing::Values(SpeakerCase{0, "Dasol", "Korean"}, SpeakerCase{1, "Wenda", "English"},
                                           SpeakerCase{2, "Meilin", "Chinese"}, SpeakerCase{3, "Haruka", "Japanese"}));

// A folder with one speaker file of the given contents.
std::string MakeDatabase(const TemporaryFolder& scratch, const std::string& name, const std::string& config) {
  const std::string folder = scratch / name;
  std::filesystem::create_directories(folder + "/config");
  std::ofstream(folder + "/config/config.0") << config;
  return folder + "/";
}

TEST_F(EngineTest, RefusesFoldersWithoutAUsableSpeaker) {
  TemporaryFolder scratch;
  std::filesystem::create_directories(scratch / "empty");
  struct Case {
    const char* label;
    std::string folder;
    int language;
    int expected;
  } cases[] = {
      {"missing folder", scratch / "nowhere/", 0, STTS_ERR_DATABASE},
      {"no config files", scratch / "empty/", 0, STTS_ERR_DATABASE},
      {"unknown voice", MakeDatabase(scratch, "voiceless", "NAME X\nVOICE zz-nothing\nSAMPLE_RATE 16000\n"), 0,
       STTS_ERR_DATABASE},
      {"config not text", MakeDatabase(scratch, "binary", std::string("\x7f" "ELF\0\0\x01", 7)), 0, STTS_ERR_DATABASE},
      {"config too large",
       MakeDatabase(scratch, "huge", "NAME X\nVOICE ko\nSAMPLE_RATE 16000\n" + std::string(64 * 1024, '#')), 0,
       STTS_ERR_DATABASE},
      {"unknown language", DatabaseFolder("KO_KR"), 7, STTS_ERR_LANGUAGE},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(STTS_LoadEngine(c.language, c.folder.c_str(), 0), c.expected) << c.label;
  }
  EXPECT_EQ(STTS_LoadEngine(0, nullptr, 0), STTS_ERR_ARGUMENT);
  // A refused load keeps the database that was loaded.
  SpeakerDbInfo info;
  EXPECT_EQ(STTS_GetDBInfo(0, 0, &info), STTS_OK);
  EXPECT_STREQ(info.name, "Dasol");
}

TEST_F(EngineTest, AcceptsWindowsSeparatorsAndReplacesTheDatabase) {
  TemporaryFolder scratch;
  std::string folder =
      MakeDatabase(scratch, "own", "NAME Minsu\nVOICE ko\nSAMPLE_RATE 8000\nID 12\n");
  std::replace(folder.begin(), folder.end(), '/', '\\');
  // Written with backslashes, as settings from Windows hold it.
  ASSERT_EQ(STTS_LoadEngine(0, folder.c_str(), 0), STTS_OK);
  SpeakerDbInfo info;
  ASSERT_EQ(STTS_GetDBInfo(0, 0, &info), STTS_OK);
  EXPECT_STREQ(info.name, "Minsu");
  EXPECT_EQ(info.id, 12);
  EXPECT_EQ(info.sampleRate, 8000);
}

TEST_F(EngineTest, UnloadedLanguagesHaveNoSpeakers) {
  ASSERT_EQ(STTS_UnLoadEngine(2), STTS_OK);
  SpeakerDbInfo info;
  EXPECT_EQ(STTS_GetDBInfo(2, 0, &info), STTS_ERR_NOT_LOADED);
  EXPECT_EQ(info.id, -1);
  EXPECT_EQ(STTS_UnLoadEngine(2), STTS_ERR_NOT_LOADED);
  EXPECT_EQ(STTS_GetDBInfo(9, 0, &info), STTS_ERR_LANGUAGE);
  EXPECT_EQ(STTS_GetDBInfo(0, 10, &info), STTS_ERR_SPEAKER);
  EXPECT_EQ(STTS_GetDBInfo(0, 0, nullptr), STTS_ERR_ARGUMENT);
}

TEST_F(EngineTest, EngineInfoTellsWhatIsLoaded) {
  EngineInfo info;
  ASSERT_EQ(STTS_GetEngineInfo(1, &info), STTS_OK);
  EXPECT_STREQ(info.engineName, "SONARA_M");
  EXPECT_STREQ(info.languageName, "English");
  EXPECT_EQ(info.state, 'L');
  EXPECT_EQ(std::string(info.synthesizer).rfind("espeak-ng ", 0), 0u);
  STTS_UnLoadEngine(1);
  ASSERT_EQ(STTS_GetEngineInfo(1, &info), STTS_OK);
  EXPECT_EQ(info.state, 'U');
  EXPECT_EQ(STTS_GetEngineInfo(4, &info), STTS_ERR_LANGUAGE);
}

TEST(EngineDefaultsTest, DefaultsAndRangesOfTheMarkups) {
  int minimum = 0;
  int maximum = 0;
  EXPECT_EQ(STTS_GetSpeedDefault(0, &minimum, &maximum), 100);
  EXPECT_EQ(minimum, 50);
  EXPECT_EQ(maximum, 200);
  EXPECT_EQ(STTS_GetVolumeDefault(1, &minimum, &maximum), 100);
  EXPECT_EQ(minimum, 0);
  EXPECT_EQ(maximum, 200);
  EXPECT_EQ(STTS_GetPitchDefault(1, 0, &minimum, &maximum), 100);
  EXPECT_EQ(minimum, 80);
  EXPECT_EQ(maximum, 120);
  EXPECT_EQ(STTS_GetSpeedDefault(-1, nullptr, nullptr), STTS_ERR_LANGUAGE);
  EXPECT_EQ(STTS_GetPitchDefault(0, 11, nullptr, nullptr), STTS_ERR_SPEAKER);
}

TEST(EngineLifeTest, NothingWorksBeforeTheEngineStarts) {
  EXPECT_EQ(STTS_LoadEngine(0, DatabaseFolder("KO_KR").c_str(), 0), STTS_ERR_NOT_INITIALIZED);
  SpeakerDbInfo info;
  EXPECT_EQ(STTS_GetDBInfo(0, 0, &info), STTS_ERR_NOT_INITIALIZED);
  EXPECT_EQ(STTS_CreateThread(nullptr, &Capture::Receive, 0, 0), nullptr);
  EXPECT_EQ(STTS_GetError(), STTS_ERR_NOT_INITIALIZED);
  RecordingWindow window;
  EXPECT_EQ(STTS_PlayTTS(window.Handle(), 1433, "안녕", nullptr, 0, 0), STTS_ERR_NOT_INITIALIZED);
  EXPECT_EQ(STTS_StopTTS(), STTS_ERR_NOT_INITIALIZED);
  EXPECT_EQ(STTS_RegisterUserDict("user.dic"), STTS_ERR_NOT_INITIALIZED);
  // Starting twice is harmless; after stopping, a new start loads afresh.
  ASSERT_EQ(STTS_Initialize(), STTS_OK);
  ASSERT_EQ(STTS_Initialize(), STTS_OK);
  ASSERT_EQ(STTS_LoadEngine(0, DatabaseFolder("KO_KR").c_str(), 0), STTS_OK);
  STTS_UnInitialize();
  ASSERT_EQ(STTS_Initialize(), STTS_OK);
  EXPECT_EQ(STTS_GetDBInfo(0, 0, &info), STTS_ERR_NOT_LOADED);
  STTS_UnInitialize();
  EXPECT_TRUE(window.Statuses().empty());
}

}  // namespace
}  // namespace orvilo::sonara::testing
