#include "platform/audio/clock_pcm_sink.h"

#include <gtest/gtest.h>

#include <numeric>

#include "audio_test_support.h"
#include "tests/platform/sys/temporary_folder.h"

namespace orvilo::audio {
namespace {

using namespace std::chrono_literals;

std::vector<std::int16_t> Ramp(std::size_t count) {
  std::vector<std::int16_t> samples(count);
  std::iota(samples.begin(), samples.end(), static_cast<std::int16_t>(1));
  return samples;
}

// Writes everything, as fast as the sink takes it.
void WriteAll(PcmSink& sink, const std::vector<std::int16_t>& samples) {
  std::size_t done = 0;
  while (done < samples.size()) {
    const long taken = sink.Write(samples.data() + done, samples.size() - done);
    ASSERT_GE(taken, 0);
    done += static_cast<std::size_t>(taken);
    if (taken == 0) std::this_thread::sleep_for(1ms);
  }
}

TEST(ClockPcmSinkTest, PlaysAtTheSampleRateFromAShortBuffer) {
  ClockPcmSink sink(8000, 1);
  EXPECT_EQ(sink.Available(), 800);  // 100 ms
  const auto samples = Ramp(800);
  EXPECT_EQ(sink.Write(samples.data(), 1000), 800);  // never more than the buffer
  EXPECT_GT(sink.Pending(), 700u);                   // not played at once
  EXPECT_TRUE(testing::WaitUntil([&] { return sink.Pending() == 0; }, 1000ms));
}

TEST(ClockPcmSinkTest, PauseHoldsAndDropDiscards) {
  ClockPcmSink sink(8000, 1);
  const auto samples = Ramp(800);
  sink.Write(samples.data(), samples.size());
  ASSERT_TRUE(sink.SetPaused(true));
  const std::size_t held = sink.Pending();
  std::this_thread::sleep_for(150ms);
  EXPECT_EQ(sink.Pending(), held);
  ASSERT_TRUE(sink.SetPaused(false));
  EXPECT_TRUE(testing::WaitUntil([&] { return sink.Pending() < held; }, 1000ms));
  sink.Drop();
  EXPECT_EQ(sink.Pending(), 0u);
  EXPECT_EQ(sink.Available(), 800);
}

TEST(ClockPcmSinkTest, RecordsExactlyWhatWasHeard) {
  orvilo::testing::TemporaryFolder folder;
  const std::string path = folder / "heard.wav";
  const auto samples = Ramp(3200);
  {
    ClockPcmSink sink(16000, 1, path);
    ASSERT_TRUE(sink.Recording());
    WriteAll(sink, samples);
    ASSERT_TRUE(testing::WaitUntil([&] { return sink.Pending() == 0; }, 1000ms));
  }
  const testing::SoundFile all = testing::ReadSoundFile(path);
  ASSERT_TRUE(all.opened);
  EXPECT_EQ(all.info.samplerate, 16000);
  EXPECT_EQ(std::vector<std::int16_t>(all.samples.begin(), all.samples.end()), samples);
}

TEST(ClockPcmSinkTest, RecordingStopsWithADrop) {
  orvilo::testing::TemporaryFolder folder;
  const std::string path = folder / "dropped.wav";
  const auto samples = Ramp(1600);
  ClockPcmSink sink(16000, 1, path);
  sink.Write(samples.data(), samples.size());
  std::this_thread::sleep_for(30ms);
  sink.Drop();
  std::this_thread::sleep_for(30ms);
  sink.Pending();
  // The file is readable while the sink lives and holds a prefix of what was written.
  const testing::SoundFile heard = testing::ReadSoundFile(path);
  ASSERT_TRUE(heard.opened);
  EXPECT_GT(heard.samples.size(), 0u);
  EXPECT_LT(heard.samples.size(), samples.size());
  EXPECT_TRUE(std::equal(heard.samples.begin(), heard.samples.end(), samples.begin()));
}

TEST(ClockPcmSinkTest, UnwritableFileIsNoRecording) {
  ClockPcmSink sink(16000, 1, "/nonexistent-folder/out.wav");
  EXPECT_FALSE(sink.Recording());
}

}  // namespace
}  // namespace orvilo::audio
