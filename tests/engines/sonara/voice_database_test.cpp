#include "engines/sonara/voice_database.h"

#include <gtest/gtest.h>

namespace orvilo::sonara {
namespace {

TEST(VoiceDatabaseTest, ParsesASpeaker) {
  const auto speaker = ParseSpeakerConfig(
      "NAME Dasol\nVOICE ko\nVARIANT f3\nPITCH 55\nWORDS_PER_MINUTE 165\nSAMPLE_RATE 8000\nID 7\nCOMMENT x\n", 3);
  ASSERT_TRUE(speaker);
  EXPECT_EQ(speaker->number, 3);
  EXPECT_EQ(speaker->id, 7);
  EXPECT_EQ(speaker->name, "Dasol");
  EXPECT_EQ(speaker->SynthesizerVoice(), "ko+f3");
  EXPECT_EQ(speaker->pitch, 55);
  EXPECT_EQ(speaker->wordsPerMinute, 165);
  EXPECT_EQ(speaker->sampleRate, 8000);
}

TEST(VoiceDatabaseTest, RefusesIncompleteSpeakers) {
  EXPECT_FALSE(ParseSpeakerConfig("VOICE ko\nSAMPLE_RATE 16000\n", 0));             // no name
  EXPECT_FALSE(ParseSpeakerConfig("NAME A\nSAMPLE_RATE 16000\n", 0));               // no voice
  EXPECT_FALSE(ParseSpeakerConfig("NAME A\nVOICE ko\nSAMPLE_RATE 44100\n", 0));     // unusable rate
  EXPECT_FALSE(ParseSpeakerConfig("NAME A\nVOICE ko/../x\nSAMPLE_RATE 16000\n", 0));  // not a voice name
  EXPECT_FALSE(ParseSpeakerConfig(std::string("\0\x01\x02", 3), 0));
}

// The databases shipped with the program.
struct ShippedCase {
  Language language;
  const char* folder;
  const char* name;
};

class ShippedDatabaseTest : public ::testing::TestWithParam<ShippedCase> {};

TEST_P(ShippedDatabaseTest, HasItsSpeakerUnderItsOwnNumber) {
  const std::string folder = std::string(ORVILO_PROGRAM_DIR) + "/Sonara_M_DB/" + GetParam().folder;
  const auto database = ReadLanguageDatabase(GetParam().language, folder);
  ASSERT_TRUE(database);
  // Each language has its own speaker number, so that a program listing the
  // speakers of two languages side by side never finds one number in both.
  const Speaker* first = database->Find(static_cast<int>(GetParam().language));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->name, GetParam().name);
  EXPECT_EQ(first->sampleRate, 16000);
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedDatabaseTest,
                         ::testing::Values(ShippedCase{Language::kKorean, "KO_KR", "Dasol"},
                                           ShippedCase{Language::kEnglish, "EN_US", "Wenda"},
                                           ShippedCase{Language::kChinese, "ZH_CN", "Meilin"},
                                           ShippedCase{Language::kJapanese, "JA_JP", "Haruka"}));

TEST(VoiceDatabaseTest, AcceptsEitherSeparatorAndRefusesMissingFolders) {
  const std::string root = std::string(ORVILO_PROGRAM_DIR) + "/Sonara_M_DB";
  const auto windowsStyle = ReadLanguageDatabase(Language::kKorean, root + "\\KO_KR\\");
  ASSERT_TRUE(windowsStyle);
  EXPECT_EQ(windowsStyle->folder, root + "/KO_KR/");
  EXPECT_EQ(windowsStyle->InstalledCount(), 1);
  EXPECT_FALSE(ReadLanguageDatabase(Language::kKorean, root + "/NO_SUCH/"));
  EXPECT_FALSE(ReadLanguageDatabase(Language::kKorean, ""));
}

}  // namespace
}  // namespace orvilo::sonara
