#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "speechutil/wave_out_player.h"
#include "tests/platform/audio/audio_test_support.h"
#include "tests/platform/sys/temporary_folder.h"

namespace orvilo::speechutil {
namespace {

using audio::testing::ReadSoundFile;
using audio::testing::ScopedEnvironment;
using Clock = std::chrono::steady_clock;

std::vector<std::int16_t> Tone(int rate, double seconds) {
  std::vector<std::int16_t> samples(static_cast<std::size_t>(rate * seconds));
  for (std::size_t i = 0; i < samples.size(); ++i) {
    samples[i] = static_cast<std::int16_t>(8000 * std::sin(2 * M_PI * 440 * static_cast<double>(i) / rate));
  }
  return samples;
}

struct Reported {
  std::vector<std::pair<std::string, std::string>> boxes;
  CWaveOutPlayer::Reporter Reporter() {
    return [this](const std::string& text, const std::string& caption) { boxes.emplace_back(text, caption); };
  }
};

TEST(WaveOutPlayerTest, ErrorTexts) {
  EXPECT_EQ(WaveOutErrorText(2), "The specified device ID is out of range.");
  EXPECT_EQ(WaveOutErrorText(6), "No device driver is present.");
  EXPECT_EQ(WaveOutErrorText(32), "The system attempted to open with an unsupported wave format");
  EXPECT_EQ(WaveOutErrorText(33), "There are still buffers in the queue.");
  EXPECT_EQ(WaveOutErrorText(34), "The lpWaveInHdr buffer hasn't been prepared.");
  EXPECT_EQ(WaveOutErrorText(99), "Error code is 99.");
}

TEST(WaveOutPlayerTest, NoDeviceIsReportedAndGivesNoPlayer) {
  ScopedEnvironment output("ORVILO_AUDIO_OUT", "speaker-in-the-ceiling");
  Reported reported;
  EXPECT_EQ(CWaveOutPlayer::Open(16000, reported.Reporter()), nullptr);
  ASSERT_EQ(reported.boxes.size(), 1u);
  EXPECT_EQ(reported.boxes[0].second, "Wave Out Device Open Error !");
  EXPECT_TRUE(reported.boxes[0].first.starts_with("No device driver is present.")) << reported.boxes[0].first;
}

TEST(WaveOutPlayerTest, WhatIsWrittenIsHeardWholeInBuffersOf6400Bytes) {
  orvilo::testing::TemporaryFolder folder;
  ScopedEnvironment output("ORVILO_AUDIO_OUT", "wav:" + (folder / "out.wav"));
  Reported reported;
  auto player = CWaveOutPlayer::Open(8000, reported.Reporter());
  ASSERT_NE(player, nullptr);
  EXPECT_EQ(player->BufferMilliseconds(), 400);
  EXPECT_EQ(player->WriteIndex(), 1);
  EXPECT_EQ(player->DoneIndex(), 0);
  const auto tone = Tone(8000, 0.5);  // 8000 bytes: one full buffer and one of 1600 bytes
  ASSERT_TRUE(player->Write(tone.data(), tone.size() * 2));
  EXPECT_EQ(player->WriteIndex(), 3);
  player->Drain();
  EXPECT_EQ(player->DoneIndex(), 2);
  player->Close();
  const auto file = ReadSoundFile(folder / "out.wav");
  ASSERT_TRUE(file.opened);
  EXPECT_EQ(file.info.samplerate, 8000);
  EXPECT_EQ(file.samples, std::vector<short>(tone.begin(), tone.end()));
  EXPECT_TRUE(reported.boxes.empty());
  EXPECT_EQ(CWaveOutPlayer::Open(16000, nullptr)->BufferMilliseconds(), 200);
}

// A mark runs when the sound written before it has been heard: the
// highlight follows the voice, not the writer.
TEST(WaveOutPlayerTest, MarksRunWhenTheSoundBeforeThemWasHeard) {
  ScopedEnvironment output("ORVILO_AUDIO_OUT", "null");
  auto player = CWaveOutPlayer::Open(16000, nullptr);
  ASSERT_NE(player, nullptr);
  const auto tone = Tone(16000, 0.3);
  std::mutex lock;
  std::vector<std::pair<int, Clock::time_point>> marks;
  const auto start = Clock::now();
  for (int word = 0; word < 3; ++word) {
    player->Mark([&, word] {
      std::lock_guard guard(lock);
      marks.emplace_back(word, Clock::now());
    });
    ASSERT_TRUE(player->Write(tone.data(), tone.size() * 2));
  }
  // Everything is queued at once; the marks come as the sound plays.
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(500));
  player->Close();
  ASSERT_EQ(marks.size(), 3u);
  for (int word = 0; word < 3; ++word) {
    EXPECT_EQ(marks[static_cast<std::size_t>(word)].first, word);
    const auto at = marks[static_cast<std::size_t>(word)].second - start;
    EXPECT_GE(at, std::chrono::milliseconds(300 * word - 20)) << word;
    EXPECT_LT(at, std::chrono::milliseconds(300 * word + 600)) << word;
  }
}

// With the ring full the writer sleeps; a stop silences the output at once
// and the blocked writer returns.
TEST(WaveOutPlayerTest, StopEndsABlockedWriteAndSilencesTheOutput) {
  orvilo::testing::TemporaryFolder folder;
  ScopedEnvironment output("ORVILO_AUDIO_OUT", "wav:" + (folder / "out.wav"));
  auto player = CWaveOutPlayer::Open(16000, nullptr);
  ASSERT_NE(player, nullptr);
  const auto speech = Tone(16000, 30);  // more than the ring's 19.8 s
  bool written = true;
  std::thread writer([&] { written = player->Write(speech.data(), speech.size() * 2); });
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  const auto stopAt = Clock::now();
  player->RequestStop();
  writer.join();
  EXPECT_LT(Clock::now() - stopAt, std::chrono::milliseconds(1000));
  EXPECT_FALSE(written);
  EXPECT_TRUE(player->StopRequested());
  EXPECT_EQ(player->WriteIndex(), 1);
  EXPECT_EQ(player->DoneIndex(), 0);
  bool marked = false;
  player->Mark([&] { marked = true; });
  player->Close();  // no drain after a stop
  EXPECT_LT(Clock::now() - stopAt, std::chrono::milliseconds(1500));
  EXPECT_FALSE(marked);
  const auto file = ReadSoundFile(folder / "out.wav");
  EXPECT_LT(file.samples.size(), 16000u);  // well under a second was heard
}

}  // namespace
}  // namespace orvilo::speechutil
