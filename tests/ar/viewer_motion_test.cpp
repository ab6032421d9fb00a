#include "ar/viewer_motion.h"

#include <gtest/gtest.h>

namespace orvilo::ar {
namespace {

// The factor of one step up and one step down from each step 1..31.
constexpr int kUp[32] = {0,   150, 133, 125, 120, 116, 114, 112, 0,   110, 109, 108, 107, 107, 106, 106,
                         105, 105, 105, 105, 104, 104, 104, 104, 104, 103, 103, 103, 103, 103, 103, 0};
constexpr int kDown[32] = {0,  0,  66, 75, 80, 83, 85, 87, 88, 90, 0,  91, 92, 92, 93, 93,
                           94, 94, 94, 95, 95, 95, 95, 95, 96, 96, 96, 96, 96, 96, 96, 96};

TEST(ViewerMotion, EveryStepUpSendsItsFactor) {
  for (int step = 1; step < kLastZoomStep; ++step) {
    const ZoomMove move = ZoomStepUp(step);
    EXPECT_EQ(move.factor, kUp[step]) << "from step " << step;
    EXPECT_EQ(move.step, step + 1);
    EXPECT_EQ(move.limit, step + 1 == 31) << "from step " << step;
  }
}

TEST(ViewerMotion, EveryStepDownSendsItsFactor) {
  for (int step = 2; step <= kLastZoomStep; ++step) {
    const ZoomMove move = ZoomStepDown(step);
    EXPECT_EQ(move.factor, kDown[step]) << "from step " << step;
    EXPECT_EQ(move.step, step - 1);
    EXPECT_EQ(move.limit, step - 1 == 1) << "from step " << step;
  }
}

TEST(ViewerMotion, FactorsAreTruncatedPercentagesExceptTowardsTheDefault) {
  for (int a = 1; a < kLastZoomStep; ++a) {
    if (a != 8) {
      EXPECT_EQ(ZoomStepUp(a).factor, (a + 2) * 100 / (a + 1)) << a;
    }
  }
  for (int a = 2; a <= kLastZoomStep; ++a) {
    if (a != 10) {
      EXPECT_EQ(ZoomStepDown(a).factor, a * 100 / (a + 1)) << a;
    }
  }
}

TEST(ViewerMotion, ZoomInFromTheDefaultAndToTheTop) {
  ZoomMove move = ZoomStepUp(kDefaultZoomStep);
  EXPECT_EQ(move.factor, 110);
  int step = move.step;
  for (int i = 0; i < 8; ++i) step = ZoomStepUp(step).step;
  EXPECT_EQ(step, 18);
  move = ZoomStepUp(30);
  EXPECT_EQ(move.factor, 103);
  EXPECT_EQ(move.step, 31);
  EXPECT_TRUE(move.limit);
}

TEST(ViewerMotion, ZoomOutToTheDefaultAndToTheBottom) {
  EXPECT_EQ(ZoomStepDown(10).factor, 0);
  EXPECT_EQ(ZoomStepDown(10).step, 9);
  const ZoomMove move = ZoomStepDown(2);
  EXPECT_EQ(move.factor, 66);
  EXPECT_EQ(move.step, 1);
  EXPECT_TRUE(move.limit);
}

TEST(ViewerMotion, NothingMovesBeyondTheRange) {
  for (const ZoomMove& move : {ZoomStepUp(31), ZoomStepDown(1)}) {
    EXPECT_EQ(move.factor, 0);
    EXPECT_TRUE(move.limit);
  }
  EXPECT_FALSE(Moved(ZoomStepUp(31), 31));
  EXPECT_FALSE(Moved(ZoomStepDown(1), 1));
  EXPECT_TRUE(Moved(ZoomStepUp(30), 30));
}

TEST(ViewerMotion, TwentyFourTurnsOfFifteenDegreesComeBackToZero) {
  int angle = 0;
  for (int i = 0; i < 23; ++i) {
    angle = RotatedAngle(angle, 15);
    EXPECT_EQ(angle, 15 * (i + 1));
  }
  EXPECT_EQ(RotatedAngle(angle, 15), 0);
  angle = 0;
  for (int i = 0; i < 24; ++i) angle = RotatedAngle(angle, -15);
  EXPECT_EQ(angle, 0);
}

TEST(ViewerMotion, BackAndForthIsZero) {
  EXPECT_EQ(RotatedAngle(0, -15), -15);
  EXPECT_EQ(RotatedAngle(-15, 15), 0);
  EXPECT_EQ(RotatedAngle(330, 15), 345);
  EXPECT_EQ(RotatedAngle(345, 15), 0);     // a full turn
  EXPECT_EQ(RotatedAngle(-345, -15), 0);
  EXPECT_EQ(RotatedAngle(350, 15), 0);     // wraps to 5, which counts as 0
  EXPECT_EQ(RotatedAngle(20, -15), 0);
}

}  // namespace
}  // namespace orvilo::ar
