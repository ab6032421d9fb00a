// Which frames a time-lapse keeps and the timestamps they get in the file.
#include <gtest/gtest.h>

#include <vector>

#include "platform/media/time_lapse.h"

namespace orvilo::media {
namespace {

constexpr std::uint64_t kMs = 1'000'000;
constexpr std::uint64_t kFrame = 1'000'000'000ull / kTimeLapseFramesPerSecond;

struct LapseCase {
  const char* name;
  int seconds;
  std::vector<std::uint64_t> arrivalsMs;  // timestamps of the camera's frames
  std::vector<int> kept;                  // indexes of the frames kept
};

class TimeLapseFrames : public ::testing::TestWithParam<LapseCase> {};

// Kept frames are numbered 0, 1, 2 … at 1/30 s each, whatever their spacing.
TEST_P(TimeLapseFrames, KeepsTheFirstAndOneAnIntervalStampedAt30Fps) {
  const LapseCase& c = GetParam();
  TimeLapseClock clock(c.seconds);
  std::vector<int> kept;
  for (std::size_t i = 0; i < c.arrivalsMs.size(); ++i) {
    if (const auto stamp = clock.Take(c.arrivalsMs[i] * kMs)) {
      EXPECT_EQ(*stamp, kept.size() * kFrame) << "frame " << i;
      kept.push_back(static_cast<int>(i));
    }
  }
  EXPECT_EQ(kept, c.kept);
  EXPECT_EQ(clock.Frames(), static_cast<int>(c.kept.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Table, TimeLapseFrames,
    ::testing::Values(
        // 20 fps for 3.1 s at 1 s: frames at 0, 1, 2, 3 s.
        LapseCase{"EverySecond", 1, {0, 50, 950, 1000, 1050, 1999, 2000, 2950, 3000, 3100}, {0, 3, 6, 8}},
        // Camera frames that do not fall on the second: the first after it,
        // and the rhythm stays on the whole seconds (no drift).
        LapseCase{"NoDrift", 1, {10, 990, 1040, 2030, 2100, 3020}, {0, 2, 3, 5}},
        // A camera stalled for 3.5 s: one frame when it comes back, then the
        // interval counts from there.
        LapseCase{"AfterAStall", 1, {0, 1000, 4500, 5000, 5500}, {0, 1, 2, 4}},
        // Out of range intervals are clamped up to a second.
        LapseCase{"ZeroIsOneSecond", 0, {0, 500, 1000}, {0, 2}},
        LapseCase{"Hourly", 3600, {0, 1000, 3'599'999, 3'600'000}, {0, 3}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvilo::media
