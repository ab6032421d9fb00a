#include "platform/audio/pcm_output.h"

#include <gtest/gtest.h>

#include <deque>
#include <numeric>

#include "audio_test_support.h"
#include "platform/audio/audio_output_choice.h"

namespace orvilo::audio {
namespace {

using namespace std::chrono_literals;

// A device whose playing the test drives by hand: Play(n) makes n more
// frames heard. It can refuse to pause, like many ALSA devices.
class ManualSink : public PcmSink {
 public:
  struct Device {
    std::mutex mutex;
    std::deque<std::int16_t> pending;
    std::vector<std::int16_t> heard;
    bool canPause = true;
    bool paused = false;
    bool failing = false;
    int drops = 0;

    void Play(std::size_t frames) {
      std::lock_guard lock(mutex);
      if (paused) return;
      frames = std::min(frames, pending.size());
      heard.insert(heard.end(), pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(frames));
      pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(frames));
    }
    std::vector<std::int16_t> Heard() {
      std::lock_guard lock(mutex);
      return heard;
    }
  };

  explicit ManualSink(std::shared_ptr<Device> device) : device_(std::move(device)) {}
  int SampleRate() const override { return 2000; }
  int Channels() const override { return 1; }
  std::size_t PeriodFrames() const override { return 4; }
  long Available() override {
    std::lock_guard lock(device_->mutex);
    return static_cast<long>(kBuffer - device_->pending.size());
  }
  long Write(const std::int16_t* frames, std::size_t count) override {
    std::lock_guard lock(device_->mutex);
    if (device_->failing) return -1;
    count = std::min(count, kBuffer - device_->pending.size());
    device_->pending.insert(device_->pending.end(), frames, frames + count);
    return static_cast<long>(count);
  }
  std::size_t Pending() override {
    std::lock_guard lock(device_->mutex);
    return device_->pending.size();
  }
  bool SetPaused(bool paused) override {
    std::lock_guard lock(device_->mutex);
    if (!device_->canPause) return false;
    device_->paused = paused;
    return true;
  }
  void Drop() override {
    std::lock_guard lock(device_->mutex);
    device_->pending.clear();
    ++device_->drops;
  }

 private:
  static constexpr std::size_t kBuffer = 32;
  std::shared_ptr<Device> device_;
};

class PcmOutputTest : public ::testing::Test {
 protected:
  std::unique_ptr<PcmOutput> MakeOutput() {
    return std::make_unique<PcmOutput>(std::make_unique<ManualSink>(device), [this](std::uint64_t tag, bool played) {
      std::lock_guard lock(mutex);
      completions.emplace_back(tag, played);
    });
  }
  // Queues frames 1..count in buffers of `size`, tagged 0, 1, 2, ...
  void QueueRamp(PcmOutput& output, int count, int size) {
    for (int start = 0, tag = 0; start < count; start += size, ++tag) {
      std::vector<std::int16_t> frames(static_cast<std::size_t>(std::min(size, count - start)));
      std::iota(frames.begin(), frames.end(), static_cast<std::int16_t>(start + 1));
      output.Queue(frames.data(), frames.size(), static_cast<std::uint64_t>(tag));
    }
  }
  // Lets the device play until `frames` frames have been heard in all.
  void PlayUntilHeard(std::size_t frames) {
    ASSERT_TRUE(testing::WaitUntil([&] {
      device->Play(8);
      return device->Heard().size() >= frames;
    }));
  }
  std::vector<std::pair<std::uint64_t, bool>> Completions() {
    std::lock_guard lock(mutex);
    return completions;
  }
  static std::vector<std::int16_t> Ramp(int count) {
    std::vector<std::int16_t> frames(static_cast<std::size_t>(count));
    std::iota(frames.begin(), frames.end(), static_cast<std::int16_t>(1));
    return frames;
  }

  std::shared_ptr<ManualSink::Device> device = std::make_shared<ManualSink::Device>();
  std::mutex mutex;
  std::vector<std::pair<std::uint64_t, bool>> completions;
};

TEST_F(PcmOutputTest, BuffersCompleteInOrderOnceHeardToTheirEnd) {
  auto output = MakeOutput();
  QueueRamp(*output, 300, 100);
  PlayUntilHeard(150);
  ASSERT_TRUE(testing::WaitUntil([&] { return Completions().size() == 1; }));
  EXPECT_EQ(Completions()[0], std::make_pair(std::uint64_t{0}, true));
  EXPECT_GT(output->QueuedFrames(), 100u);
  PlayUntilHeard(300);
  ASSERT_TRUE(testing::WaitUntil([&] { return Completions().size() == 3; }));
  EXPECT_EQ(Completions()[2], std::make_pair(std::uint64_t{2}, true));
  EXPECT_EQ(device->Heard(), Ramp(300));
  EXPECT_EQ(output->QueuedFrames(), 0u);
}

// A pause must neither lose nor repeat a frame, whether the device can
// hold its buffer or has to drop it.
class PcmOutputPauseTest : public PcmOutputTest, public ::testing::WithParamInterface<bool> {};

TEST_P(PcmOutputPauseTest, ResumesWithTheFirstUnheardFrame) {
  device->canPause = GetParam();
  auto output = MakeOutput();
  QueueRamp(*output, 200, 50);
  PlayUntilHeard(70);
  output->Pause();
  EXPECT_TRUE(output->Paused());
  const std::size_t heardAtPause = device->Heard().size();
  device->Play(100);
  std::this_thread::sleep_for(20ms);
  device->Play(100);
  EXPECT_EQ(device->Heard().size(), heardAtPause);
  output->Resume();
  PlayUntilHeard(200);
  std::this_thread::sleep_for(20ms);
  device->Play(100);
  EXPECT_EQ(device->Heard(), Ramp(200));
  EXPECT_EQ(device->drops > 0, !GetParam());
  ASSERT_TRUE(testing::WaitUntil([&] { return Completions().size() == 4; }));
}

INSTANTIATE_TEST_SUITE_P(Devices, PcmOutputPauseTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Holding" : "Dropping"; });

TEST_F(PcmOutputTest, ResetSilencesAtOnceAndDiscardsEverything) {
  auto output = MakeOutput();
  QueueRamp(*output, 300, 100);
  PlayUntilHeard(10);
  output->Reset();
  EXPECT_EQ(output->QueuedFrames(), 0u);
  EXPECT_EQ(device->drops, 1);
  ASSERT_TRUE(testing::WaitUntil([&] { return Completions().size() == 3; }));
  for (const auto& [tag, played] : Completions()) EXPECT_FALSE(played) << tag;
  // The output goes on working afterwards.
  const auto more = Ramp(5);
  output->Queue(more.data(), more.size(), 9);
  ASSERT_TRUE(testing::WaitUntil([&] {
    device->Play(8);
    return Completions().size() == 4;
  }));
  EXPECT_EQ(Completions().back(), std::make_pair(std::uint64_t{9}, true));
}

TEST_F(PcmOutputTest, DeviceFailureDiscardsInsteadOfHanging) {
  auto output = MakeOutput();
  device->failing = true;
  QueueRamp(*output, 100, 50);
  ASSERT_TRUE(testing::WaitUntil([&] { return Completions().size() == 2; }));
  EXPECT_TRUE(output->Failed());
  EXPECT_FALSE(Completions()[0].second);
  EXPECT_EQ(output->QueuedFrames(), 0u);
}

TEST_F(PcmOutputTest, CompletionMayQueueTheNextBuffer) {
  std::atomic<int> completed{0};
  PcmOutput* self = nullptr;
  PcmOutput output(std::make_unique<ManualSink>(device), [&](std::uint64_t tag, bool) {
    if (++completed < 3) {
      const std::int16_t frame = static_cast<std::int16_t>(tag + 2);
      self->Queue(&frame, 1, tag + 1);
    }
  });
  self = &output;
  const std::int16_t first = 1;
  output.Queue(&first, 1, 0);
  ASSERT_TRUE(testing::WaitUntil([&] {
    device->Play(8);
    return completed == 3;
  }));
  EXPECT_EQ(device->Heard(), (std::vector<std::int16_t>{1, 2, 3}));
}

TEST(PcmOutputOpenTest, ReportsWhyNoDeviceOpens) {
  testing::ScopedEnvironment variable(kAudioOutputVariable, "alsa:orvilo_no_such_device");
  std::string error;
  EXPECT_EQ(PcmOutput::Open(16000, 1, nullptr, &error), nullptr);
  EXPECT_NE(error.find("orvilo_no_such_device"), std::string::npos) << error;
}

// ALSA's own "null" device exists wherever alsa-lib does: the ALSA path
// runs end to end even on a machine without sound.
TEST(PcmOutputOpenTest, PlaysThroughAlsa) {
  testing::ScopedEnvironment variable(kAudioOutputVariable, "alsa:null");
  std::atomic<int> played{0};
  auto output = PcmOutput::Open(16000, 1, [&](std::uint64_t, bool heard) { played += heard ? 1 : 0; }, nullptr);
  if (!output) GTEST_SKIP() << "ALSA has no null device here";
  const std::vector<std::int16_t> frames(3200, 100);
  output->Queue(frames.data(), frames.size(), 1);
  output->Queue(frames.data(), frames.size(), 2);
  EXPECT_TRUE(testing::WaitUntil([&] { return played == 2; }, 5000ms));
  output->Pause();
  output->Resume();
  output->Reset();
}

}  // namespace
}  // namespace orvilo::audio
