#include "shell/frame_geometry.h"

#include <gtest/gtest.h>

using namespace orvilo::shell;

TEST(FrameGeometry, InitialHeightIsTheScreenHeightUpTo861) {
  EXPECT_EQ(InitialMainWindowHeight(1040), 861);
  EXPECT_EQ(InitialMainWindowHeight(700), 700);
}

TEST(FrameGeometry, ContentAndChildRectangles) {
  EXPECT_EQ(ContentRect({1038, 861}), (Rect{7, 85, 1031, 853}));
  EXPECT_EQ(InitialChildRect(861), (Rect{7, 85, 1031, 853}));
  EXPECT_EQ(InitialInsetRect({1038, 861}), (Rect{588, 526, 988, 831}));
  EXPECT_EQ(SplitCameraRect({1038, 861}), (Rect{7 + 1024 / 2, 85, 1031, 853}));
}

TEST(FrameGeometry, GradeButtonsFollowTheRightEdge) {
  for (int slot = 0; slot < 6; ++slot) {
    EXPECT_EQ(BarButtonPosition(4, 10 + slot, 1038, slot), (Point{708 + 24 * slot, 33}));
    EXPECT_EQ(BarButtonPosition(4, 10 + slot, 1200, slot), (Point{870 + 24 * slot, 33}));
  }
  EXPECT_EQ(BarButtonLook(4, 12), (Size{24, 32}));
}

TEST(FrameGeometry, ReplacementButtonsStandInThePlaceOfTheButtonsTheyReplace) {
  EXPECT_EQ(BarButtonPosition(0, 10, 1038), BarButtonPosition(0, 2, 1038));
  EXPECT_EQ(BarButtonPosition(0, 11, 1038), BarButtonPosition(0, 4, 1038));
  EXPECT_EQ(BarButtonPosition(1, 5, 1038), BarButtonPosition(1, 2, 1038));
  EXPECT_EQ(BarButtonPosition(3, 3, 1038), BarButtonPosition(3, 2, 1038));
  EXPECT_EQ(BarButtonPosition(2, 6, 1038), (Point{13 + 53 * 6, 30}));
}

TEST(FrameGeometry, SplitKeepsTheCameraViewsShareOfTheWidth) {
  // Camera 600 and image 400 wide, content 1100 wide: the camera view becomes 660 wide at x = 447.
  const Rect camera = SplitCameraRectAfterResize({1114, 700}, 600, 400);
  EXPECT_EQ(camera.left, 447);
  EXPECT_EQ(camera.Width(), 660);
  EXPECT_EQ(camera.right, 7 + 1100);
}

TEST(FrameGeometry, FloatingWindowsAreKeptInsideAfterAResize) {
  EXPECT_EQ(KeepPaletteInside(Rect::FromPositionAndSize(980, 113, 28, 205), {900, 600}),
            Rect::FromPositionAndSize(900 - 17 - 28, 113, 28, 205));
  EXPECT_EQ(KeepPaletteInside(Rect::FromPositionAndSize(21, 500, 28, 373), {900, 600}),
            Rect::FromPositionAndSize(21, 600 - 18 - 373, 28, 373));
  EXPECT_EQ(KeepPaletteInside(Rect::FromPositionAndSize(21, 113, 28, 205), {900, 600}),
            Rect::FromPositionAndSize(21, 113, 28, 205));
  EXPECT_EQ(KeepInsetInside(Rect{588, 526, 988, 831}, {900, 700}), (Rect{483, 377, 883, 682}));
}
