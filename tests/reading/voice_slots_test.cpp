#include "reading/voice_slots.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

namespace orvilo::reading {
namespace {

namespace fs = std::filesystem;

void WriteSpeaker(const fs::path& root, const char* language, int slot, const std::string& text) {
  fs::create_directories(root / language / "config");
  std::ofstream(root / language / "config" / ("config." + std::to_string(slot))) << text;
}

TEST(SpeakerName, IsTheWordAfterName) {
  EXPECT_EQ(SpeakerName("NAME Dasol\nVOICE ko\n"), "Dasol");
  EXPECT_EQ(SpeakerName("ID 3\n  NAME\tWenda  VOICE en"), "Wenda");
  EXPECT_EQ(SpeakerName("name Dasol\nNAMES x\n"), "");  // exact and case-sensitive
  EXPECT_EQ(SpeakerName("VOICE ko\nNAME"), "");
}

// The shipped databases give each language its own slot, so that each
// panel names its own speaker and reads with it.
TEST(VoiceSlots, ShippedDatabaseGivesEachLanguageItsOwnSlot) {
  const std::string root = std::string(ORVILO_SOURCE_DIR) + "/engines/sonara/Sonara_M_DB/";
  VoiceSlots voices;
  EXPECT_EQ(ReadVoiceSlots(root, 0, voices), 1);
  EXPECT_EQ(ReadVoiceSlots(root, 1, voices), 1);
  const auto korean = VoiceSlotOf(voices, 0);
  const auto english = VoiceSlotOf(voices, 1);
  ASSERT_TRUE(korean && english);
  EXPECT_NE(*korean, *english);
  EXPECT_EQ(voices[*korean].name, "Dasol");
  EXPECT_EQ(voices[*english].name, "Wenda");
}

TEST(VoiceSlots, LaterLanguageTakesASharedSlotAndNamesAreCut) {
  QTemporaryDir folder;
  const fs::path root = folder.path().toStdString();
  WriteSpeaker(root, "KO_KR", 0, "NAME Dasol\n");
  WriteSpeaker(root, "KO_KR", 4, "VOICE ko\n");  // no name: the slot is still the language's
  WriteSpeaker(root, "EN_US", 0, "NAME Averyveryverylongname\n");
  WriteSpeaker(root, "EN_US", 2, "NAME Wenda\n");
  VoiceSlots voices;
  const std::string rootText = root.string() + "/";
  EXPECT_EQ(ReadVoiceSlots(rootText, 0, voices), 2);
  EXPECT_EQ(ReadVoiceSlots(rootText, 1, voices), 2);
  EXPECT_EQ(voices[0].language, 1);
  EXPECT_EQ(voices[0].name, "Averyveryverylo");  // 15 characters
  EXPECT_EQ(voices[4].language, 0);
  EXPECT_EQ(voices[4].name, "");
  EXPECT_EQ(VoiceSlotOf(voices, 0), 4);  // the highest slot of the language
  EXPECT_EQ(VoiceSlotOf(voices, 1), 2);
  EXPECT_EQ(VoiceSlotOf(voices, 2), std::nullopt);
}

TEST(VoiceSlots, MissingDatabaseFindsNothing) {
  VoiceSlots voices;
  EXPECT_EQ(ReadVoiceSlots("/no/such/folder/", 0, voices), 0);
  EXPECT_EQ(ReadVoiceSlots("/no/such/folder/", 3, voices), 0);
  EXPECT_EQ(VoiceSlotOf(voices, 0), std::nullopt);
}

}  // namespace
}  // namespace orvilo::reading
