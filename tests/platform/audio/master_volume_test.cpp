#include "platform/audio/master_volume.h"

#include <gtest/gtest.h>

#include "audio_test_support.h"
#include "platform/audio/audio_output_choice.h"

namespace orvilo::audio {
namespace {

TEST(MasterVolumeTest, HeadlessRunsKeepAVolumeOfTheirOwn) {
  testing::ScopedEnvironment variable(kAudioOutputVariable, "null");
  EXPECT_EQ(ReadMasterVolume(), 100);
  EXPECT_TRUE(WriteMasterVolume(37));
  EXPECT_EQ(ReadMasterVolume(), 37);
  EXPECT_TRUE(WriteMasterVolume(150));
  EXPECT_EQ(ReadMasterVolume(), 100);
  EXPECT_TRUE(WriteMasterVolume(-3));
  EXPECT_EQ(ReadMasterVolume(), 0);
}

TEST(MasterVolumeTest, NoMixerFailsAndChangesNothing) {
  {
    testing::ScopedEnvironment variable(kAudioOutputVariable, "null");
    ASSERT_TRUE(WriteMasterVolume(64));
  }
  {
    testing::ScopedEnvironment variable(kAudioOutputVariable, "alsa:hw:97");  // no such card
    EXPECT_EQ(ReadMasterVolume(), std::nullopt);
    EXPECT_FALSE(WriteMasterVolume(10));
  }
  {
    testing::ScopedEnvironment variable(kAudioOutputVariable, "speakers");
    EXPECT_EQ(ReadMasterVolume(), std::nullopt);
    EXPECT_FALSE(WriteMasterVolume(10));
  }
  testing::ScopedEnvironment variable(kAudioOutputVariable, "null");
  EXPECT_EQ(ReadMasterVolume(), 64);
}

// On a machine with a mixer: a level written is the level read, and the
// user's level is put back afterwards.
TEST(MasterVolumeTest, AlsaMixerRoundTrip) {
  testing::ScopedEnvironment variable(kAudioOutputVariable, "alsa");
  const auto original = ReadMasterVolume();
  if (!original) GTEST_SKIP() << "no ALSA mixer on this machine";
  ASSERT_TRUE(WriteMasterVolume(40));
  EXPECT_NEAR(*ReadMasterVolume(), 40, 2);
  WriteMasterVolume(*original);
}

}  // namespace
}  // namespace orvilo::audio
