#include "platform/audio/audio_output_choice.h"

#include <gtest/gtest.h>

#include "audio_test_support.h"

namespace orvilo::audio {
namespace {

using Kind = AudioOutputChoice::Kind;

struct ChoiceCase {
  const char* value;
  Kind kind;
  const char* target;
};

class AudioOutputChoiceTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(AudioOutputChoiceTest, ReadsTheVariable) {
  const AudioOutputChoice choice = ParseAudioOutputChoice(GetParam().value);
  EXPECT_EQ(choice.kind, GetParam().kind);
  EXPECT_EQ(choice.target, GetParam().target);
}

INSTANTIATE_TEST_SUITE_P(Values, AudioOutputChoiceTest,
                         ::testing::Values(ChoiceCase{nullptr, Kind::kAlsa, "default"},
                                           ChoiceCase{"", Kind::kAlsa, "default"},
                                           ChoiceCase{"alsa", Kind::kAlsa, "default"},
                                           ChoiceCase{"alsa:hw:1,0", Kind::kAlsa, "hw:1,0"},
                                           ChoiceCase{"null", Kind::kNull, ""},
                                           ChoiceCase{"wav:/tmp/a b.wav", Kind::kWaveFile, "/tmp/a b.wav"},
                                           ChoiceCase{"wav:", Kind::kInvalid, "wav:"},
                                           ChoiceCase{"speakers", Kind::kInvalid, "speakers"}));

TEST(AudioOutputChoiceTest, OpensTheStandInsAndExplainsRefusals) {
  std::string error;
  EXPECT_NE(OpenPcmSink({Kind::kNull, ""}, 16000, 1, &error), nullptr);
  EXPECT_EQ(OpenPcmSink({Kind::kWaveFile, "/nonexistent-folder/x.wav"}, 16000, 1, &error), nullptr);
  EXPECT_NE(error.find("/nonexistent-folder/x.wav"), std::string::npos);
  EXPECT_EQ(OpenPcmSink(ParseAudioOutputChoice("speakers"), 16000, 1, &error), nullptr);
  EXPECT_NE(error.find("ORVILO_AUDIO_OUT"), std::string::npos);
  EXPECT_EQ(OpenPcmSink({Kind::kNull, ""}, 0, 1, &error), nullptr);
}

}  // namespace
}  // namespace orvilo::audio
