// Speaking on the audio output (the null and WAVE-file stand-ins): status
// messages, pause, restart and stop, through the C header.
#include <fstream>
#include <sys/stat.h>
#include <thread>

#include "sonara_test_support.h"

namespace orvilo::sonara::testing {
namespace {

using namespace std::chrono_literals;

constexpr std::uint32_t kStatusMessage = 1433;
const std::string kSentence = "오늘은 날씨가 좋습니다.";

// Frames recorded so far in a WAVE file of 16-bit mono (its header is kept current).
long RecordedFrames(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || info.st_size < 44) return 0;
  return static_cast<long>((info.st_size - 44) / 2);
}

class PlaybackTest : public EngineTest {
 protected:
  RecordingWindow window;
};

TEST_F(PlaybackTest, StartedThenFinishedOnceTheSoundWasHeard) {
  const double seconds = Seconds(SynthesizeText(0, kSentence, false).samples);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(STTS_PlayTTS(window.Handle(), kStatusMessage, kSentence.c_str(), "<speed=\"100\"> </speed>", 0, 0),
            STTS_DONE);
  ASSERT_TRUE(window.WaitFor(STTS_STATUS_FINISHED));
  const auto all = window.All();
  ASSERT_EQ(window.Statuses(), (std::vector<std::uintptr_t>{STTS_STATUS_STARTED, STTS_STATUS_FINISHED}));
  EXPECT_EQ(all[0].message, kStatusMessage);
  EXPECT_LT(all[0].when - start, 150ms);  // the first sound goes out at once
  // Finished means heard: not before the sound's own length has passed.
  EXPECT_GT(std::chrono::duration<double>(all[1].when - start).count(), seconds * 0.95);
}

TEST_F(PlaybackTest, PauseAndRestartAreReportedInOrderAndLoseNothing) {
  TemporaryFolder scratch;
  const std::string path = scratch / "spoken.wav";
  ScopedEnvironment recording("ORVILO_AUDIO_OUT", "wav:" + path);
  const Capture reference = SynthesizeText(0, kSentence, false);
  ASSERT_EQ(STTS_PlayTTS(window.Handle(), kStatusMessage, kSentence.c_str(), nullptr, 0, 0), STTS_DONE);
  ASSERT_TRUE(window.WaitFor(STTS_STATUS_STARTED));
  std::this_thread::sleep_for(400ms);
  ASSERT_EQ(STTS_PauseTTS(), STTS_OK);
  ASSERT_TRUE(window.WaitFor(STTS_STATUS_PAUSED));
  std::this_thread::sleep_for(20ms);
  const long atPause = RecordedFrames(path);
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(RecordedFrames(path), atPause);  // silent while paused
  EXPECT_EQ(STTS_PauseTTS(), STTS_ERR_NOTHING_PLAYING);
  ASSERT_EQ(STTS_RestartTTS(), STTS_OK);
  ASSERT_TRUE(window.WaitFor(STTS_STATUS_FINISHED));
  EXPECT_EQ(window.Statuses(), (std::vector<std::uintptr_t>{STTS_STATUS_STARTED, STTS_STATUS_PAUSED,
                                                              STTS_STATUS_RESUMED, STTS_STATUS_FINISHED}));
  EXPECT_EQ(STTS_RestartTTS(), STTS_ERR_NOTHING_PLAYING);
  // The whole sentence was heard once: as long as its synthesis (which
  // varies by a few samples from run to run), with nothing lost or repeated.
  const auto heard = ReadSoundFile(path);
  ASSERT_TRUE(heard.opened);
  EXPECT_NEAR(static_cast<double>(heard.samples.size()), static_cast<double>(reference.samples.size()), 160.0);
}

TEST_F(PlaybackTest, StopSilencesWithinATenthOfASecondOfAudio) {
  TemporaryFolder scratch;
  const std::string path = scratch / "stopped.wav";
  ScopedEnvironment recording("ORVILO_AUDIO_OUT", "wav:" + path);
  std::string text;
  for (int i = 0; i < 20; ++i) text += kSentence + " ";
  ASSERT_EQ(STTS_PlayTTS(window.Handle(), kStatusMessage, text.c_str(), nullptr, 0, 0), STTS_DONE);
  ASSERT_TRUE(window.WaitFor(STTS_STATUS_STARTED));
  std::this_thread::sleep_for(300ms);
  const long beforeStop = RecordedFrames(path);
  ASSERT_EQ(STTS_StopTTS(), STTS_OK);
  // FINISHED is posted before the stop returns, and the sound ends there.
  EXPECT_EQ(window.Statuses(), (std::vector<std::uintptr_t>{STTS_STATUS_STARTED, STTS_STATUS_FINISHED}));
  const long afterStop = RecordedFrames(path);
  std::this_thread::sleep_for(200ms);
  EXPECT_EQ(RecordedFrames(path), afterStop);
  EXPECT_GT(beforeStop, 0);
  EXPECT_LE(afterStop - beforeStop, 1600) << "frames heard after the stop";
  EXPECT_EQ(STTS_StopTTS(), STTS_ERR_NOTHING_PLAYING);
}

TEST_F(PlaybackTest, ANewSpeechEndsTheOneBefore) {
  ASSERT_EQ(STTS_PlayTTS(window.Handle(), kStatusMessage, "The first speech is long enough to be cut off.", nullptr, 1,
                         ShippedSpeaker(1)),
            STTS_DONE);
  ASSERT_TRUE(window.WaitFor(STTS_STATUS_STARTED));
  ASSERT_EQ(STTS_PlayTTS(window.Handle(), kStatusMessage, "Second.", nullptr, 1, ShippedSpeaker(1)), STTS_DONE);
  ASSERT_TRUE(window.WaitFor(STTS_STATUS_FINISHED, 2));
  EXPECT_EQ(window.Statuses(), (std::vector<std::uintptr_t>{STTS_STATUS_STARTED, STTS_STATUS_FINISHED,
                                                              STTS_STATUS_STARTED, STTS_STATUS_FINISHED}));
}

TEST_F(PlaybackTest, TextWithoutSoundStillStartsAndFinishes) {
  ASSERT_EQ(STTS_PlayTTS(window.Handle(), kStatusMessage, "   ", nullptr, 1, ShippedSpeaker(1)), STTS_DONE);
  ASSERT_TRUE(window.WaitFor(STTS_STATUS_FINISHED));
  EXPECT_EQ(window.Statuses(), (std::vector<std::uintptr_t>{STTS_STATUS_STARTED, STTS_STATUS_FINISHED}));
}

TEST_F(PlaybackTest, AMegabyteStartsAtOnceAndStops) {
  std::string megabyte;
  while (megabyte.size() < (1 << 20)) megabyte += "교사는 언제든지 읽기를 멈출 수 있습니다. ";
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(STTS_PlayTTS(window.Handle(), kStatusMessage, megabyte.c_str(), nullptr, 0, 0), STTS_DONE);
  ASSERT_TRUE(window.WaitFor(STTS_STATUS_STARTED));
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
  ASSERT_EQ(STTS_StopTTS(), STTS_OK);
  EXPECT_EQ(window.Statuses().back(), STTS_STATUS_FINISHED);
}

TEST_F(PlaybackTest, PlaybackDictionaryIsUsedAndBadFilesAreRefused) {
  const std::string data = ORVILO_TEST_DATA_DIR;
  EXPECT_EQ(STTS_RegisterUserDict((data + "/not_text.dic").c_str()), STTS_ERR_DICTIONARY);
  EXPECT_EQ(STTS_RegisterUserDict((data + "/missing.dic").c_str()), STTS_ERR_DICTIONARY);
  EXPECT_EQ(STTS_RegisterUserDict(""), STTS_ERR_ARGUMENT);
  ASSERT_EQ(STTS_RegisterUserDict((data + "/user_cp949.dic").c_str()), STTS_OK);
  ASSERT_EQ(STTS_PlayTTS(window.Handle(), kStatusMessage, "OCR", nullptr, 1, ShippedSpeaker(1)), STTS_DONE);
  ASSERT_TRUE(window.WaitFor(STTS_STATUS_FINISHED));
  EXPECT_EQ(STTS_DeleteUserDict(), STTS_OK);
}

TEST_F(PlaybackTest, RefusalsPostNothing) {
  struct Case {
    const char* label;
    const char* text;
    const char* markup;
    int language;
    int speaker;
    int expected;
  } cases[] = {{"empty", "", nullptr, 0, 0, STTS_ERR_EMPTY_TEXT},
               {"null", nullptr, nullptr, 0, 0, STTS_ERR_EMPTY_TEXT},
               {"language", "a", nullptr, 4, 0, STTS_ERR_LANGUAGE},
               {"speaker out of range", "a", nullptr, 0, -1, STTS_ERR_SPEAKER},
               {"speaker not installed", "a", nullptr, 0, 9, STTS_ERR_SPEAKER},
               {"markup", "a", "loud", 0, 0, STTS_ERR_MARKUP}};
  for (const Case& c : cases) {
    EXPECT_EQ(STTS_PlayTTS(window.Handle(), kStatusMessage, c.text, c.markup, c.language, c.speaker), c.expected)
        << c.label;
  }
  {
    ScopedEnvironment noDevice("ORVILO_AUDIO_OUT", "alsa:orvilo_no_such_device");
    EXPECT_EQ(STTS_PlayTTS(window.Handle(), kStatusMessage, "a", nullptr, 0, 0), STTS_ERR_AUDIO_DEVICE);
  }
  std::this_thread::sleep_for(50ms);
  EXPECT_TRUE(window.Statuses().empty());
  EXPECT_EQ(STTS_PauseTTS(), STTS_ERR_NOTHING_PLAYING);
}

}  // namespace
}  // namespace orvilo::sonara::testing
