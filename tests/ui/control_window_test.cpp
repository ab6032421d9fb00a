#include "ui/control_window.h"

#include <QCursor>
#include <QMouseEvent>
#include <QTest>
#include <array>
#include <gtest/gtest.h>

#include "core/command_ids.h"
#include "ui/picker_popup.h"
#include "ui/skin_button.h"
#include "ui/skin_progress_bar.h"

namespace orvilo::ui {
namespace {

TEST(ControlWindow, TakesTheSizeAndShapeOfItsFace) {
  for (const auto& [readingBar, size] : {std::pair{true, QSize(290, 36)}, std::pair{false, QSize(570, 36)}}) {
    QWidget owner;
    owner.resize(1024, 768);
    CVyr3ControlWnd bar(readingBar);
    ASSERT_TRUE(bar.Create(&owner, "bar", 10, QRect(7, 85, 1024, 760), false));
    EXPECT_EQ(bar.size(), size);
    EXPECT_FALSE(bar.mask().isEmpty());
    EXPECT_TRUE(bar.mask().boundingRect().width() <= size.width());
  }
}

TEST(ControlWindow, ShowsCentredAtTheBottomAndAtTheLeftEdgeWhenTheWindowIsNarrower) {
  QWidget owner;
  owner.resize(1024, 768);
  CVyr3ControlWnd bar(false);
  bar.Create(&owner, "bar", 11, QRect(), false);
  bar.ShowBar();
  EXPECT_EQ(bar.pos(), QPoint((1024 - 570) / 2, 768 - 36 - 8));
  EXPECT_TRUE(bar.isVisibleTo(&owner));
  owner.resize(400, 500);
  bar.ShowBar();
  EXPECT_EQ(bar.pos(), QPoint(0, 500 - 36 - 8));
}

TEST(ControlWindow, HideTimerHidesTheBarOnce) {
  QWidget owner;
  owner.resize(1024, 768);
  CVyr3ControlWnd bar(true);
  bar.Create(&owner, "bar", 10, QRect(), false);
  bar.ShowBar();
  bar.SetTimer(timer::kControlBarHide, 10);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !bar.isVisibleTo(&owner); }, 2000));
  EXPECT_FALSE(bar.TimerInterval(timer::kControlBarHide).has_value());
}


// The main window as a bar sees it: it records what reaches it.
class Owner : public win::Window {
 public:
  std::vector<std::array<std::intptr_t, 3>> received;
  bool Heard(std::uint32_t id, std::uintptr_t wParam) {
    QCoreApplication::processEvents();
    for (const auto& m : received) {
      if (m[0] == static_cast<std::intptr_t>(id) && m[1] == static_cast<std::intptr_t>(wParam)) return true;
    }
    return false;
  }

 protected:
  std::intptr_t OnMessage(const win::Msg& msg) override {
    received.push_back({static_cast<std::intptr_t>(msg.id), static_cast<std::intptr_t>(msg.wParam), msg.lParam});
    return win::Window::OnMessage(msg);
  }
};

class RecordingVolume : public audio::MasterVolume {
 public:
  std::optional<int> level = 70;
  std::vector<int> writes;
  std::optional<int> ReadPercent() override { return level; }
  bool SetPercent(int percent) override {
    writes.push_back(percent);
    return true;
  }
};

class ControlBarTest : public ::testing::Test {
 protected:
  void SetUp() override { owner.resize(1024, 768); }
  std::unique_ptr<CVyr3ControlWnd> Make(bool readingBar, bool korean = false) {
    auto bar = std::make_unique<CVyr3ControlWnd>(readingBar, nullptr, korean, &volume);
    EXPECT_TRUE(bar->Create(&owner, "bar", readingBar ? 10 : 11, QRect(), false));
    return bar;
  }
  Owner owner;
  RecordingVolume volume;
};

TEST_F(ControlBarTest, ShowsTheButtonsOfItsKindWithTheirTooltips) {
  auto reading = Make(true);
  auto movie = Make(false, true);
  for (int id = command::kPlay; id <= command::kRepeat; ++id) {
    const bool readingButton = id >= command::kReading;
    EXPECT_EQ(reading->Button(id)->isVisibleTo(reading.get()), readingButton) << id;
    EXPECT_EQ(movie->Button(id)->isVisibleTo(movie.get()), !readingButton && id != command::kPauseMovie) << id;
  }
  EXPECT_EQ(reading->Button(command::kReading)->ToolTipText(), "Reading");
  EXPECT_EQ(reading->Button(command::kRepeat)->ToolTipText(), "Repeat");
  EXPECT_EQ(reading->Button(command::kRepeat)->toggle, 1);
  EXPECT_EQ(movie->Button(command::kPauseReading)->ToolTipText(), "일시정시");
  EXPECT_EQ(reading->Button(command::kRepeat)->pos(), QPoint(106, 6));
  EXPECT_EQ(reading->PositionSlider(), nullptr);
  ASSERT_NE(movie->PositionSlider(), nullptr);
  EXPECT_EQ(movie->PositionSlider()->pos(), QPoint(206, 10));
  EXPECT_EQ(movie->SpeedButton()->pos(), QPoint(178, 11));
  EXPECT_EQ(reading->VolumeSlider()->geometry(), QRect(223, 11, 53, 15));
  EXPECT_EQ(movie->VolumeSlider()->geometry(), QRect(501, 11, 53, 15));
}

TEST_F(ControlBarTest, ButtonsBecomeCommandsOfTheMainWindow) {
  auto reading = Make(true);
  for (int id : {command::kReading, command::kPauseReading, command::kStopReading, command::kRepeat}) {
    reading->SendCommand(id);
    EXPECT_TRUE(owner.Heard(win::kCommand, id)) << id;
  }
  auto movie = Make(false);
  movie->SendCommand(command::kPlay);
  EXPECT_TRUE(owner.Heard(win::kCommand, command::kPlay));
  EXPECT_TRUE(movie->Button(command::kPauseMovie)->isVisibleTo(movie.get()));
  EXPECT_FALSE(movie->Button(command::kPlay)->isVisibleTo(movie.get()));
  movie->SendCommand(command::kStopMovie);
  EXPECT_TRUE(owner.Heard(win::kCommand, command::kStopMovie));
  EXPECT_TRUE(movie->Button(command::kPlay)->isVisibleTo(movie.get()));
  movie->SendMessage(message::kMoviePositionSlider, 42, 2);
  EXPECT_TRUE(owner.Heard(message::kMoviePositionSlider, 42));
}

TEST_F(ControlBarTest, VolumeSliderSetsTheMasterVolumeOncePerValue) {
  auto bar = Make(true);
  bar->ShowBar();
  EXPECT_EQ(bar->LastVolume(), 70 * 65535 / 100);
  EXPECT_GT(bar->VolumeSlider()->ThumbLeft(), 0);
  for (int percent : {40, 40, 40, 100, 100, 0, 70}) bar->SendMessage(message::kVolumeSliderOfBar, percent);
  EXPECT_EQ(volume.writes, (std::vector<int>{40, 100, 0, 70}));
  bar->SendMessage(message::kVolumeSliderOfBar, 100);
  EXPECT_EQ(bar->LastVolume(), 65535);
  volume.level.reset();  // no mixer: the slider stays where it was
  const int thumb = bar->VolumeSlider()->ThumbLeft();
  bar->ShowBar();
  EXPECT_EQ(bar->VolumeSlider()->ThumbLeft(), thumb);
}

TEST_F(ControlBarTest, SpeedPickerTellsTheMainWindow) {
  auto movie = Make(false);
  ScopedScriptedPickers pickers;
  pickers.answers.push_back({win::kResultOk, 8});
  pickers.answers.push_back({win::kResultClose, 2});
  movie->SendCommand(kSpeedButtonId);
  EXPECT_EQ(movie->SpeedIndex(), 8);
  EXPECT_TRUE(owner.Heard(message::kMovieSpeed, 8));
  movie->SendCommand(kSpeedButtonId);
  EXPECT_EQ(movie->SpeedIndex(), 8);
  ASSERT_EQ(pickers.requests.size(), 2u);
  EXPECT_EQ(pickers.requests[0].kind, PickerKind::SpeedFactor);
  EXPECT_EQ(pickers.requests[0].firstRow.Width(), 55);
  EXPECT_EQ(pickers.requests[0].firstRow.Height(), 15);
}

TEST_F(ControlBarTest, LeavingArmsTheHideTimerAndComingBackDisarmsIt) {
  auto bar = Make(true);
  bar->ShowBar();
  QCursor::setPos(QPoint(5000, 5000));
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(bar.get(), &leave);
  EXPECT_EQ(bar->TimerInterval(timer::kControlBarHide), 500);
  QMouseEvent move(QEvent::MouseMove, QPointF(20, 20), QPointF(20, 20), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(bar.get(), &move);
  EXPECT_FALSE(bar->TimerInterval(timer::kControlBarHide).has_value());
  EXPECT_TRUE(bar->isVisibleTo(&owner));
}

TEST_F(ControlBarTest, MovieBarKeepsItsPositionText) {
  auto movie = Make(false);
  movie->SetPosition(30, 100, "00:00:30 / 00:01:40");
  EXPECT_EQ(movie->PositionText(), "00:00:30 / 00:01:40");
  EXPECT_GT(movie->PositionSlider()->ThumbLeft(), 0);
}

}  // namespace
}  // namespace orvilo::ui
