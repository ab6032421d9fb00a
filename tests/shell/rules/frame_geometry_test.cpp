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
  // Picture controls and interval capture follow Pause, leaving no gap.
  EXPECT_EQ(BarButtonPosition(0, 12, 1038), (Point{13 + 53 * 10, 30}));
  EXPECT_EQ(BarButtonPosition(0, 13, 885), (Point{13 + 53 * 11, 30}));
  // Time-lapse and filmstrip after Interval, clear of the zoom buttons at the smallest width.
  EXPECT_EQ(BarButtonPosition(0, 14, 885), (Point{13 + 53 * 12, 30}));
  EXPECT_EQ(BarButtonPosition(0, 15, 885), (Point{13 + 53 * 13, 30}));
  EXPECT_LE(BarButtonPosition(0, 15, 885).x + BarButtonLook(0, 15).width,
            TitleButtonRect(TitleButtonId::ZoomIn, 885, {}).left);
  // Draw and Clear of the live picture two places later; the narrowest
  // window still keeps the last of them clear of the zoom buttons.
  EXPECT_EQ(BarButtonPosition(0, 16, 1038), (Point{13 + 53 * 14, 30}));
  const int narrowest = kMinimumTrackingSize.width;
  EXPECT_LE(BarButtonPosition(0, 17, narrowest).x + BarButtonLook(0, 17).width,
            TitleButtonRect(TitleButtonId::ZoomIn, narrowest, {}).left);
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

TEST(FrameGeometry, TitleButtonsStandByTheRightEdge) {
  const std::pair<TitleButtonId, Rect> cases[] = {
      {TitleButtonId::Logo, Rect{10, 6, 27, 23}},       {TitleButtonId::Minimise, Rect{963, 3, 985, 25}},
      {TitleButtonId::Maximise, Rect{985, 3, 1007, 25}}, {TitleButtonId::Restore, Rect{985, 3, 1007, 25}},
      {TitleButtonId::Close, Rect{1007, 3, 1029, 25}},   {TitleButtonId::ZoomIn, Rect{903, 57, 928, 79}},
      {TitleButtonId::ZoomOut, Rect{933, 57, 958, 79}},  {TitleButtonId::ZoomList, Rect{1007, 60, 1022, 76}}};
  for (const auto& [button, place] : cases) {
    EXPECT_EQ(TitleButtonRect(button, 1038, {17, 17}), place) << static_cast<int>(button);
  }
  // The zoom badge and the zoom list open beside the zoom list button.
  EXPECT_EQ(ZoomBadgeRect(1038).left, TitleButtonRect(TitleButtonId::ZoomList, 1038, {}).left - 43);
}

TEST(FrameGeometry, ArStatusItemsFollowTheRightEdge) {
  EXPECT_EQ(ArMarkerStripPlace(1038), (Point{884, 37}));
  EXPECT_EQ(ArSpeakerIconPlace(1038), (Point{881, 67}));
  EXPECT_EQ(ArCaptionRect(1038), (Rect{708, 65, 852, 81}));
  // The caption ends left of the marker strip.
  EXPECT_LT(ArCaptionRect(1200).right, ArMarkerStripPlace(1200).x);
}
