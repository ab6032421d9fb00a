#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTest>
#include <thread>

#include "main_window_fixture.h"
#include "core/command_ids.h"

namespace orvilo::shell::testing {
namespace {

TEST_F(MainWindowTest, PointerActivityShowsOrHidesTheBarOfTheMode) {
  Run([&](CVyr3Dlg& window) {
    Command(window, command::kModeMovie);
    log.clear();
    Message(window, message::kPointerActivity, 1);  // wParam does not matter in movie mode
    EXPECT_EQ(log, (CallLog{"movieBar.ShowBar"}));

    Command(window, command::kModeReading);
    log.clear();
    Message(window, message::kPointerActivity, 1);
    EXPECT_EQ(window.Children().readingBar->TimerInterval(timer::kControlBarHide), 10);
    Message(window, message::kPointerActivity, 0);
    EXPECT_EQ(log, (CallLog{"readingBar.ShowBar"}));
  });
}

TEST_F(MainWindowTest, MoviePositionIsFormattedForTheMovieBar) {
  Run([&](CVyr3Dlg& window) {
    log.clear();
    Message(window, message::kMoviePosition, 3725, 7322);
    Message(window, message::kMoviePosition, 0, 59);
    EXPECT_EQ(log, (CallLog{"movieBar.SetPosition(3725,7322,01:02:05 / 02:02:02)",
                            "movieBar.SetPosition(0,59,00:00:00 / 00:00:59)"}));
  });
}

TEST_F(MainWindowTest, PickerChoicesSetTheDrawingTools) {
  Run([&](CVyr3Dlg& window) {
    log.clear();
    const std::pair<int, int> choices[] = {{2, 4}, {3, 2}, {6, 1}, {7, 3}, {5, 1}, {0, 0}};
    for (const auto& [tool, entry] : choices) Message(window, message::kPickerChoice, tool, entry);
    EXPECT_EQ(log, (CallLog{"image.SetPenColour(4)", "image.SetPenWidth(5)", "image.SetCurrentTool(4)", "image.SetBoard(3)"}));

    // While the drawing over the live picture shows, its pen takes them.
    Command(window, command::kLiveDrawing);
    log.clear();
    for (const auto& [tool, entry] : choices) Message(window, message::kPickerChoice, tool, entry);
    EXPECT_EQ(log, (CallLog{"camera.SetLiveDrawingPenColour(4)", "camera.SetLiveDrawingPenWidth(5)",
                            "camera.SetLiveDrawingTool(4)", "image.SetBoard(3)"}));
  });
}

TEST_F(MainWindowTest, MovieMessagesReachTheMovieView) {
  Run([&](CVyr3Dlg& window) {
    Command(window, command::kModeMovie);
    log.clear();
    Message(window, message::kMoviePositionSlider, 40);
    Message(window, message::kMovieSpeed, 7);
    Message(window, message::kMovieEnded);
    EXPECT_EQ(log, (CallLog{"movie.SeekPercent(40)", "movie.SetSpeed(7)", "movie.StopMovie", "movieBar.ShowPlaying(0)"}));
  });
}

TEST_F(MainWindowTest, StillButtonSavesTheFrameUnderTheLocalTimeInTheImageFolder) {
  Run([&](CVyr3Dlg& window) {
    log.clear();
    // The still callback posts from a streaming thread.
    std::thread pipeline([&] { window.PostMessage(message::kStillButton); });
    pipeline.join();
    ProcessEvents();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0], "camera.SetOverlayStatus(2)");
    EXPECT_EQ(log[1], "camera.TakeAnnotatedSnapshot");
    const std::string prefix = "camera.SaveBitmapFile(" + window.Settings().imageFolder + "/";
    ASSERT_EQ(log[2].rfind(prefix, 0), 0u) << log[2];
    const std::string name = log[2].substr(prefix.size(), 18);
    EXPECT_TRUE(QRegularExpression("^20[0-9]{12}\\.bmp$").match(QString::fromStdString(name)).hasMatch()) << name;
  });
}

TEST_F(MainWindowTest, ReadingLanguageRegistersItsDictionary) {
  Run([&](CVyr3Dlg& window) {
    log.clear();
    Message(window, message::kReadingLanguage, 1);
    Message(window, message::kReadingLanguage, 0);
    EXPECT_EQ(log, (CallLog{"reading.RegisterUserDictionary(" + ProgramFolder() + "/userE.dic)",
                            "reading.RegisterUserDictionary(" + ProgramFolder() + "/user.dic)"}));
  });
}

TEST_F(MainWindowTest, FocusPopupHiddenReleasesTheManualFocusButton) {
  Run([&](CVyr3Dlg& window) {
    auto* manual = window.Bars().ButtonOfCommand(command::kManualFocus);
    manual->toggleState = ui::ToggleState::On;
    manual->look = ui::ButtonLook::Pressed;
    Message(window, message::kFocusPopupHidden);
    EXPECT_EQ(manual->toggleState, ui::ToggleState::Off);
    EXPECT_EQ(manual->look, ui::ButtonLook::Normal);
  });
}

// The filmstrip's messages: a clicked still opens in image mode, a dropped
// one goes beside the live picture in split screen; its handle's command
// presses the bar's Stills button with the strip open.
TEST_F(MainWindowTest, FilmstripMessagesOpenOrCompareAStillAndItsCommandFollowsTheStrip) {
  Run([&](CVyr3Dlg& window) {
    factory.camera->stills = {"/pictures/a.bmp", "/pictures/b.bmp"};
    log.clear();
    Message(window, message::kCompareStill, 1);
    EXPECT_TRUE(HasInOrder(log, {"image.LoadImageFile(/pictures/b.bmp)", "camera.SetArrangement(Split)"}));
    EXPECT_EQ(window.Mode(), ViewMode::Camera);

    Command(window, command::kFilmstrip);
    EXPECT_TRUE(factory.camera->filmstripShown);
    EXPECT_EQ(window.Bars().ButtonOfCommand(command::kFilmstrip)->toggleState, ui::ToggleState::On);
    Command(window, command::kFilmstrip);
    EXPECT_EQ(window.Bars().ButtonOfCommand(command::kFilmstrip)->toggleState, ui::ToggleState::Off);

    log.clear();
    Message(window, message::kOpenStill, 0);
    EXPECT_TRUE(Contains(log, "image.LoadImageFile(/pictures/a.bmp)"));
    EXPECT_EQ(window.Mode(), ViewMode::Image);
  });
}

TEST_F(MainWindowTest, VolumeSliderSetsTheMasterVolume) {
  Run([&](CVyr3Dlg& window) {
    Message(window, message::kMasterVolume, 70);
    Message(window, message::kMasterVolume, 70);  // no deduplication on this path
    EXPECT_EQ(volume.written, (std::vector<int>{70, 70}));
  });
}

TEST_F(MainWindowTest, CameraSettingsMessageOpensThePropertyPagesOwnedByTheDialog) {
  Run([&](CVyr3Dlg& window) {
    win::Dialog dialog;
    dialog.setObjectName("settings");
    log.clear();
    Message(window, message::kCameraSettings, dialog.Handle()->id);
    EXPECT_EQ(log, (CallLog{"camera.ShowCameraPropertyPages(settings)"}));
  });
}

TEST_F(MainWindowTest, LayOutViewsMessageReplacesTheViews) {
  Run([&](CVyr3Dlg& window) {
    window.Children().camera->setGeometry(0, 0, 10, 10);
    Message(window, message::kLayOutViews);
    EXPECT_EQ(window.Children().camera->geometry(), QRect(7, 85, 1024, 768));
  });
}

TEST_F(MainWindowTest, ResizeKeepsFloatingWindowsInsideAndHidesTheBars) {
  Run([&](CVyr3Dlg& window) {
    window.Children().tools->move(1000, 600);
    Command(window, command::kModeReading);
    window.resize(1000, 600);
    ProcessEvents();
    const QRect palette = window.Children().tools->geometry();
    EXPECT_LE(palette.right() + 1, 1000 - 17);
    EXPECT_LE(palette.bottom() + 1, 600 - 18);
    EXPECT_FALSE(window.Children().readingBar->isVisibleTo(&window));
    EXPECT_EQ(window.Children().reading->geometry().right() + 1, 1000 - 5);
    EXPECT_EQ(window.TitleButton(TitleButtonId::Close)->pos(), QPoint(1000 - 31, 3));
  });
}

}  // namespace
}  // namespace orvilo::shell::testing

namespace orvilo::shell::testing {
namespace {

void SendMouse(QWidget* widget, QEvent::Type type, QPoint global) {
  QMouseEvent event(type, QPointF(widget->mapFromGlobal(global)), QPointF(global),
                    type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                    type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

TEST_F(MainWindowTest, TheTopStripDragsTheWindowAndTheCornerSizesItDownToTheMinimum) {
  Run([&](CVyr3Dlg& window) {
    const QPoint before = window.pos();
    const QPoint grip = window.mapToGlobal(QPoint(500, 10));
    SendMouse(&window, QEvent::MouseButtonPress, grip);
    SendMouse(&window, QEvent::MouseMove, grip + QPoint(30, 20));
    SendMouse(&window, QEvent::MouseButtonRelease, grip + QPoint(30, 20));
    EXPECT_EQ(window.pos(), before + QPoint(30, 20));

    const QPoint corner = window.mapToGlobal(QPoint(window.width() - 2, window.height() - 2));
    SendMouse(&window, QEvent::MouseButtonPress, corner);
    SendMouse(&window, QEvent::MouseMove, corner - QPoint(600, 600));
    SendMouse(&window, QEvent::MouseButtonRelease, corner - QPoint(600, 600));
    EXPECT_EQ(window.size(), QSize(kMinimumTrackingSize.width, kMinimumTrackingSize.height));
  });
}

}  // namespace
}  // namespace orvilo::shell::testing
