#include "core/zoom.h"

#include <gtest/gtest.h>

using namespace orvilo::core;

TEST(Zoom, StepsStopAtTheLimits) {
  EXPECT_EQ(ZoomedIn(100), 125);
  EXPECT_EQ(ZoomedIn(1000), 1000);
  EXPECT_EQ(ZoomedIn(990), 1000);
  EXPECT_EQ(ZoomedOut(100), 75);
  EXPECT_EQ(ZoomedOut(25), 25);
  EXPECT_DOUBLE_EQ(ZoomFactor(150), 1.5);
}

TEST(Zoom, ListSelectsTheLargestValueNotAboveThePercentage) {
  const std::pair<int, int> cases[] = {{25, 25},   {49, 25},   {50, 50},   {74, 50},   {75, 75},  {99, 75},
                                       {100, 100}, {150, 100}, {199, 100}, {200, 200}, {950, 900}, {1000, 1000}};
  for (const auto& [percent, selected] : cases) {
    EXPECT_EQ(kZoomListValues[ZoomListIndexFor(percent)], selected) << percent;
  }
}
