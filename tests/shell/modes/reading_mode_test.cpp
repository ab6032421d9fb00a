#include "shell/modes/reading_mode.h"

#include "core/command_ids.h"
#include "mode_fixture.h"
#include "ui/picker_popup.h"

#include <QFile>

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

namespace orvilo::shell::testing {
namespace {

// Export offers PDF, clipboard and text file; the text file holds the
// panel's text byte for byte, the PDF its words.
TEST_F(ReadingModeTest, ExportWritesThePanelsTextToATextFileAndAPdf) {
  host.current = ViewMode::Reading;
  Give<RecordingImageView>(children.image);
  auto* panel = Give<RecordingReadingPanel>(children.reading);
  panel->text = "Read me aloud.\n읽어 주세요.";
  ui::ScopedScriptedPickers pickers;
  pickers.answers = {{win::kResultOk, 2}, {win::kResultOk, 0}, {win::kResultCancel, 0}};
  const std::string text = folder.filePath("page.txt").toStdString();
  const std::string pdf = folder.filePath("page.pdf").toStdString();
  host.fileAnswers = {text, pdf};
  mode.OnCommand(command::kExport);
  ASSERT_EQ(pickers.requests.size(), 1u);
  EXPECT_EQ(pickers.requests[0].customItems.size(), 3u);
  EXPECT_TRUE(Contains(log, "host.RunFileDialog(1,8,txt)"));
  QFile file(QString::fromStdString(text));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll().toStdString(), panel->text);

  mode.OnCommand(command::kExport);
  EXPECT_TRUE(Contains(log, "host.RunFileDialog(1,7,pdf)"));
  const std::string scratch = store.ScratchFolder() + "/export_page.bmp";
  EXPECT_TRUE(Contains(log, "image.SaveAnnotatedImage(" + scratch + ")"));
  QFile written(QString::fromStdString(pdf));
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_TRUE(written.read(5) == "%PDF-");

  log.clear();
  mode.OnCommand(command::kExport);  // closed without a choice
  EXPECT_TRUE(log.empty());
}

}  // namespace
}  // namespace orvilo::shell::testing
