#include "speechutil/speech_playback.h"

#include <gtest/gtest.h>

#include "speech_test_support.h"

namespace orvilo::speechutil::testing {
namespace {

using audio::testing::ReadSoundFile;
using audio::testing::ScopedEnvironment;
using orvilo::testing::TemporaryFolder;
using Clock = std::chrono::steady_clock;

class SpeechPlaybackTest : public EngineTest {
 protected:
  TemporaryFolder folder;
  RecordingWindow window;
  LogRecorder log;
};

// A mixed Korean and English text: started, every word highlighted in
// order by its bytes in the CP949 text, finished; the WAVE output holds the
// whole speech.
TEST_F(SpeechPlaybackTest, PlaysWithHighlightsInOrderAndFinishes) {
  ScopedEnvironment output("ORVILO_AUDIO_OUT", "wav:" + (folder / "out.wav"));
  const std::u16string text = u"학교 school 가요";
  SpeechJob job = MakeJob(0, text);
  job.post = window.Poster();
  const EngineText engineText = ConvertToEngineText(text, 0);
  SpeechPlayback playback(log.Reports());
  ASSERT_TRUE(playback.Start(job));
  ASSERT_TRUE(window.WaitForStatus(kStatusFinished));
  playback.Stop();
  EXPECT_FALSE(playback.Running());
  EXPECT_FALSE(playback.StoppedByUser());

  const auto messages = window.Messages();
  ASSERT_GE(messages.size(), 3u);
  EXPECT_EQ(messages.front().id, kSpeechStatusMessage);
  EXPECT_EQ(messages.front().wParam, static_cast<std::uintptr_t>(kStatusStarted));
  EXPECT_EQ(messages.back().id, kSpeechStatusMessage);
  EXPECT_EQ(messages.back().wParam, static_cast<std::uintptr_t>(kStatusFinished));
  std::vector<std::u16string> words;
  for (const PostedMessage& m : messages) {
    if (m.id != kSpeechHighlightMessage) continue;
    const auto [a, c] = engineText.Utf16Span(static_cast<int>(m.wParam), static_cast<int>(m.lParam));
    words.push_back(text.substr(static_cast<std::size_t>(a), static_cast<std::size_t>(c)));
  }
  EXPECT_EQ(words, (std::vector<std::u16string>{u"학교", u"school", u"가요"}));

  const auto heard = ReadSoundFile(folder / "out.wav");
  const auto spoken = sonara::testing::SynthesizeText(0, job.text, true, job.markup.c_str());
  ASSERT_TRUE(heard.opened);
  EXPECT_NEAR(static_cast<double>(heard.samples.size()), static_cast<double>(spoken.samples.size()),
              0.1 * static_cast<double>(spoken.samples.size()));
  EXPECT_TRUE(log.lines.empty());
}

TEST_F(SpeechPlaybackTest, EightKilohertzOutputIsResampled) {
  ScopedEnvironment output("ORVILO_AUDIO_OUT", "wav:" + (folder / "out.wav"));
  SpeechJob job = MakeJob(1, u"Reading is fun.", 8000);
  job.post = window.Poster();
  SpeechPlayback playback(log.Reports());
  ASSERT_TRUE(playback.Start(job));
  ASSERT_TRUE(window.WaitForStatus(kStatusFinished));
  playback.Stop();
  const auto heard = ReadSoundFile(folder / "out.wav");
  const auto spoken = sonara::testing::SynthesizeText(1, job.text, true, job.markup.c_str());
  EXPECT_EQ(heard.info.samplerate, 8000);
  EXPECT_NEAR(2.0 * static_cast<double>(heard.samples.size()), static_cast<double>(spoken.samples.size()),
              0.1 * static_cast<double>(spoken.samples.size()));
}

// Stop silences at once; the thread still ends with status 4 and nothing
// comes after it.
TEST_F(SpeechPlaybackTest, StopEndsThePlaybackAtOnce) {
  ScopedEnvironment output("ORVILO_AUDIO_OUT", "wav:" + (folder / "out.wav"));
  std::u16string text;
  for (int i = 0; i < 40; ++i) text += u"The teacher reads the page aloud. ";
  SpeechJob job = MakeJob(1, text);
  job.post = window.Poster();
  SpeechPlayback playback(log.Reports());
  ASSERT_TRUE(playback.Start(job));
  ASSERT_TRUE(window.WaitForHighlight());
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const auto stopAt = Clock::now();
  playback.Stop();
  EXPECT_LT(Clock::now() - stopAt, std::chrono::milliseconds(1000));
  EXPECT_FALSE(playback.Running());
  EXPECT_TRUE(playback.StoppedByUser());
  const auto messages = window.Messages();
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back().id, kSpeechStatusMessage);
  EXPECT_EQ(messages.back().wParam, static_cast<std::uintptr_t>(kStatusFinished));
  EXPECT_LT(ReadSoundFile(folder / "out.wav").samples.size(), 16000u * 3);
}

TEST_F(SpeechPlaybackTest, ASpeakerThatIsNotInstalledFailsAndIsLogged) {
  ScopedEnvironment output("ORVILO_AUDIO_OUT", "null");
  SpeechJob job = MakeJob(1, u"Nobody speaks.");
  job.speaker = 5;
  job.post = window.Poster();
  SpeechPlayback playback(log.Reports());
  ASSERT_TRUE(playback.Start(job));
  ASSERT_TRUE(window.WaitForStatus(kStatusFailed));
  playback.Stop();
  const auto messages = window.Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].wParam, static_cast<std::uintptr_t>(kStatusStarted));
  ASSERT_EQ(log.lines.size(), 1u);
  EXPECT_EQ(log.lines[0], "STTS_CreateThread Err(" + std::to_string(STTS_ERR_SPEAKER) + ")");
}

TEST_F(SpeechPlaybackTest, NoAudioDeviceShowsTheMessageAndStartsNothing) {
  ScopedEnvironment output("ORVILO_AUDIO_OUT", "alsa:no-such-device");
  SpeechJob job = MakeJob(1, u"Silence.");
  job.post = window.Poster();
  SpeechPlayback playback(log.Reports());
  EXPECT_FALSE(playback.Start(job));
  EXPECT_FALSE(playback.Running());
  EXPECT_TRUE(window.Messages().empty());
  ASSERT_EQ(log.boxes.size(), 1u);
  EXPECT_EQ(log.boxes[0].second, "Wave Out Device Open Error !");
}

}  // namespace
}  // namespace orvilo::speechutil::testing
