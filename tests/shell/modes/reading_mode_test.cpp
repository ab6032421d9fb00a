#include "shell/modes/reading_mode.h"

#include "core/command_ids.h"
#include "mode_fixture.h"

namespace orvilo::shell::testing {
namespace {

class ReadingModeTest : public ModeTest {
 protected:
  ReadingMode mode{Context()};
};

TEST_F(ReadingModeTest, EnteringPlacesThePictureBesideThePanelOpenOnItsText) {
  auto* image = Give<RecordingImageView>(children.image);
  auto* panel = Give<RecordingReadingPanel>(children.reading);
  auto* bar = Give<RecordingControlBar>(children.readingBar, true);
  panel->view = reading::ReadingView::ListCollapsed;
  Handover handover;
  handover.picture = TestPicture(64, 48);
  mode.Enter(std::move(handover));
  EXPECT_TRUE(HasInOrder(log, {"image.SetImage(64x48)", "host.ShowCommandBar(Reading)", "reading.ToggleView",
                               "image.SetMode(Reading)", "readingBar.ShowBar"}));
  EXPECT_EQ(panel->view, reading::ReadingView::TextCollapsed);
  EXPECT_EQ(panel->geometry(), QRect(1038 - 5 - 7, 85, 5, 768));
  EXPECT_EQ(image->geometry(), QRect(7, 85, 1024 - 5, 768));
  EXPECT_TRUE(bar->isVisible());
}

TEST_F(ReadingModeTest, LeavingStopsReadingAndClearsPanelAndBlinds) {
  Give<RecordingImageView>(children.image);
  auto* panel = Give<RecordingReadingPanel>(children.reading);
  mode.Leave(ViewMode::Image, Entry::ByTab);
  EXPECT_EQ(log, (CallLog{"image.RemoveAllBlinds", "reading.Stop", "reading.SetText()"}));
  EXPECT_FALSE(panel->isVisible());
}

TEST_F(ReadingModeTest, NextAndPreviousKeysStepThePanel) {
  Give<RecordingReadingPanel>(children.reading);
  EXPECT_TRUE(mode.OnCommandWhileCurrent(command::kNextItem));
  EXPECT_TRUE(mode.OnCommandWhileCurrent(command::kPreviousItem));
  EXPECT_EQ(log, (CallLog{"reading.StepItem(1)", "reading.StepItem(-1)"}));
}

TEST_F(ReadingModeTest, PointerActivityShowsOrHidesTheSpeechBar) {
  auto* bar = Give<RecordingControlBar>(children.readingBar, true);
  mode.OnPointerActivity(1);
  EXPECT_EQ(bar->TimerInterval(timer::kControlBarHide), 10);
  mode.OnPointerActivity(0);
  EXPECT_EQ(log, (CallLog{"readingBar.ShowBar"}));
}

TEST_F(ReadingModeTest, TheSpeechBarsCommandsReachThePanelOnlyWithIt) {
  for (int id = command::kReading; id <= command::kRepeat; ++id) EXPECT_TRUE(mode.OnCommandWhileCurrent(id));
  EXPECT_FALSE(mode.OnCommandWhileCurrent(command::kPlay));
  EXPECT_TRUE(log.empty());
}

}  // namespace
}  // namespace orvilo::shell::testing
