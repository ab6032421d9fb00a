#include "camera/live_view_geometry.h"

#include <gtest/gtest.h>

namespace orvilo::camera {
namespace {

TEST(PlanFrameDraw, AFourThreeFrameInASixteenNineViewIsCentredWithBarsAtTheSides) {
  const FrameDraw plan = PlanFrameDraw({1280, 720}, {640, 480}, 1, 1.0, Arrangement::Normal, {});
  ASSERT_TRUE(plan.draw);
  EXPECT_EQ(plan.source, QRect(0, 0, 640, 480));
  EXPECT_EQ(plan.target, QRect(160, 0, 960, 720));
}

TEST(PlanFrameDraw, StretchAndTheInsetFillTheWholeView) {
  EXPECT_EQ(PlanFrameDraw({1280, 720}, {640, 480}, 0, 1.0, Arrangement::Normal, {}).target, QRect(0, 0, 1280, 720));
  EXPECT_EQ(PlanFrameDraw({400, 305}, {640, 480}, 1, 3.0, Arrangement::CameraInset, {}).target, QRect(0, 0, 400, 305));
}

TEST(PlanFrameDraw, ZoomedInDrawsTheChosenRegionAndNothingBeforeOneIsChosen) {
  EXPECT_FALSE(PlanFrameDraw({1024, 776}, {1280, 720}, 1, 2.0, Arrangement::Normal, {}).draw);
  const gdi::Rect region{100, 50, 740, 410};
  const FrameDraw plan = PlanFrameDraw({1024, 776}, {1280, 720}, 1, 2.0, Arrangement::Normal, region);
  ASSERT_TRUE(plan.draw);
  EXPECT_EQ(plan.source, QRect(100, 50, 640, 360));
  // 1280 x 720 at 2 x 0.8 is 2048 x 1152: wider and taller than the view.
  EXPECT_EQ(plan.target, QRect(0, 0, 1024, 776));
  // A tall view keeps the frame's centred vertical span; the width fills.
  const FrameDraw tall = PlanFrameDraw({400, 2000}, {1280, 720}, 1, 2.0, Arrangement::Normal, region);
  EXPECT_EQ(tall.target, QRect(0, 775, 400, 450));
}

TEST(NavigatorPlacement, TopRightTwoHundredTwentyOneHigh) {
  EXPECT_EQ(NavigatorPlacement({1024, 776}), QRect(1024 - 291, 0, 291, 221));
  EXPECT_TRUE(NavigatorPlacement({0, 0}).isEmpty());
}

TEST(ZoomSourceFromSelection, MapsTheSelectionOntoFramePixels) {
  const gdi::Rect thumbnail{10, 5, 210, 155};  // 200 x 150
  EXPECT_EQ(ZoomSourceFromSelection({10, 5, 110, 80}, thumbnail, {2048, 1536}), (gdi::Rect{0, 0, 1024, 768}));
  // Clipped to the thumbnail first.
  EXPECT_EQ(ZoomSourceFromSelection({0, 0, 110, 80}, thumbnail, {2048, 1536}), (gdi::Rect{0, 0, 1024, 768}));
  EXPECT_EQ(ZoomSourceFromSelection({1, 1, 2, 2}, {0, 0, 0, 0}, {2048, 1536}), (gdi::Rect{}));
}

}  // namespace
}  // namespace orvilo::camera
