#include "movie/movie_timing.h"

#include <gtest/gtest.h>

#include <climits>

namespace orvilo::movie {
namespace {

constexpr std::int64_t kSecond = kNanosecondsPerSecond;

TEST(MovieTiming, SpeedTableAndUnknownEntriesPlayAtNormalSpeed) {
  const struct {
    int entry;
    double rate;
  } cases[] = {{0, 0.5}, {1, 0.6}, {4, 0.9}, {5, 1.0}, {6, 1.2}, {9, 1.8}, {10, 2.0},
               {-1, 1.0}, {11, 1.0}, {INT_MAX, 1.0}, {INT_MIN, 1.0}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(RateForSpeedEntry(c.entry), c.rate) << "entry " << c.entry;
  EXPECT_DOUBLE_EQ(RateForSpeedEntry(kNormalSpeedEntry), 1.0);
}

TEST(MovieTiming, PositionTextIsHoursMinutesSeconds) {
  const struct {
    int seconds;
    const char* text;
  } cases[] = {{0, "00:00:00"}, {59, "00:00:59"}, {60, "00:01:00"}, {3599, "00:59:59"},
               {3725, "01:02:05"}, {360000, "100:00:00"}, {-5, "00:00:00"}};
  for (const auto& c : cases) EXPECT_EQ(PositionText(c.seconds), c.text) << c.seconds;
}

TEST(MovieTiming, WholeSecondsTruncateAndUnknownIsZero) {
  EXPECT_EQ(WholeSeconds(95 * kSecond - 1), 94);
  EXPECT_EQ(WholeSeconds(95 * kSecond), 95);
  EXPECT_EQ(WholeSeconds(-1), 0);
  EXPECT_EQ(WholeSeconds(INT64_MAX), INT32_MAX);
}

TEST(MovieTiming, SeekPercentUsesWholeSecondsAndIntegerDivision) {
  const struct {
    int percent;
    int duration;
    int target;
  } cases[] = {{50, 95, 47}, {0, 95, 0}, {100, 95, 95}, {99, 95, 94}, {1, 95, 0}, {33, 3725, 1229},
               {50, 0, 0},   {150, 95, 95}, {-20, 95, 0}, {50, -3, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(SeekPercentSeconds(c.percent, c.duration), c.target) << c.percent << "% of " << c.duration;
  }
}

TEST(MovieTiming, SkipsAreTenSecondsAndStopAtBothEnds) {
  EXPECT_EQ(SkipBackTarget(47 * kSecond), 37 * kSecond);
  EXPECT_EQ(SkipBackTarget(10 * kSecond), 0);
  EXPECT_EQ(SkipBackTarget(3 * kSecond), 0);  // within the first 10 s: the start

  const std::int64_t duration = 95 * kSecond;
  EXPECT_EQ(SkipForwardTarget(47 * kSecond, duration), 57 * kSecond);
  EXPECT_EQ(SkipForwardTarget(85 * kSecond - 1, duration), 95 * kSecond - 1);
  EXPECT_EQ(SkipForwardTarget(85 * kSecond, duration), std::nullopt);  // reaches the end: stop
  EXPECT_EQ(SkipForwardTarget(90 * kSecond, duration), std::nullopt);
  EXPECT_EQ(SkipForwardTarget(90 * kSecond, -1), 100 * kSecond);  // no known end
}

TEST(MovieTiming, PictureKeepsItsShapeCentredOrFillsTheView) {
  const struct {
    int fw, fh, vw, vh;
    bool keep;
    ViewRect rect;
  } cases[] = {
      {160, 120, 400, 100, true, {133, 0, 133, 100}},   // bars left and right
      {160, 120, 400, 600, true, {0, 150, 400, 300}},   // bars above and below
      {160, 120, 320, 240, true, {0, 0, 320, 240}},     // same shape
      {1920, 1080, 1024, 768, true, {0, 96, 1024, 576}},
      {160, 120, 400, 100, false, {0, 0, 400, 100}},    // stretched
      {4000, 1, 100, 100, true, {0, 49, 100, 1}},       // never thinner than a pixel
      {0, 120, 400, 100, true, {}},
      {160, 120, 0, 100, false, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PictureRect(c.fw, c.fh, c.vw, c.vh, c.keep), c.rect)
        << c.fw << "x" << c.fh << " in " << c.vw << "x" << c.vh << (c.keep ? " kept" : " stretched");
  }
}

TEST(MovieTiming, ControlBarBandIsCentredAlongTheBottom) {
  EXPECT_EQ(ControlBarBand(1024, 768), (ViewRect{262, 732, 500, 36}));
  const ViewRect band = ControlBarBand(1024, 768);
  EXPECT_TRUE(band.Contains(262, 767));
  EXPECT_FALSE(band.Contains(261, 767));
  EXPECT_FALSE(band.Contains(762, 767));
  EXPECT_FALSE(band.Contains(512, 731));
}

}  // namespace
}  // namespace orvilo::movie
