#include <QTest>

#include "ui/skin_progress_bar.h"
#include "main_window_fixture.h"
#include "core/command_ids.h"

namespace orvilo::shell::testing {
namespace {

int ModeCommand(ViewMode mode) { return command::kModeCamera + static_cast<int>(mode); }

constexpr TitleButtonId kZoomControls[] = {TitleButtonId::ZoomIn, TitleButtonId::ZoomOut, TitleButtonId::ZoomList};

struct SwitchCase {
  const char* name;
  ViewMode from;
  ViewMode to;
  std::vector<std::string> calls;  // in this order, others may lie between
  friend std::ostream& operator<<(std::ostream& out, const SwitchCase& c) { return out << c.name; }
};

class ModeSwitch : public MainWindowTest, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(ModeSwitch, LeavesTheOldModeAndEntersTheNew) {
  const SwitchCase& c = GetParam();
  Run([&](CVyr3Dlg& window) {
    if (c.from == ViewMode::Movie) factory.movie->state = movie::PlaybackState::Playing;
    if (c.from == ViewMode::AR) factory.ar->viewerRunning = true;
    if (c.from != ViewMode::Camera) Command(window, ModeCommand(c.from));
    ASSERT_EQ(window.Mode(), c.from);
    log.clear();
    Command(window, ModeCommand(c.to));
    EXPECT_EQ(window.Mode(), c.to);
    EXPECT_TRUE(LogHasInOrder(c.calls)) << c.name;
    // Only the view of the mode is shown.
    const int shownView = c.to == ViewMode::Camera ? kCameraViewIndex
                          : c.to == ViewMode::Movie ? kMovieViewIndex
                          : c.to == ViewMode::AR    ? kArViewIndex
                                                    : kImageViewIndex;
    for (int view = kImageViewIndex; view <= kArViewIndex; ++view) {
      EXPECT_EQ(window.Children().At(view)->isVisibleTo(&window), view == shownView) << c.name << " view " << view;
    }
    const bool palette = c.to == ViewMode::Camera || c.to == ViewMode::Image;
    EXPECT_EQ(window.Children().tools->isVisibleTo(&window), palette) << c.name;
    EXPECT_EQ(window.Children().reading->isVisibleTo(&window), c.to == ViewMode::Reading) << c.name;
    EXPECT_EQ(window.Bars().VisibleBar(), c.to) << c.name;
  });
}

INSTANTIATE_TEST_SUITE_P(
    Table, ModeSwitch,
    ::testing::Values(
        SwitchCase{"CameraToImage", ViewMode::Camera, ViewMode::Image,
                   {"camera.TakeSnapshot(1)", "camera.CloseCamera", "image.SetImage(64x48)", "tools.SetToolSet(Image)",
                    "image.SetMode(Image)"}},
        SwitchCase{"CameraToReading", ViewMode::Camera, ViewMode::Reading,
                   {"camera.TakeSnapshot(1)", "camera.CloseCamera", "image.SetImage(64x48)", "image.SetMode(Reading)",
                    "readingBar.ShowBar"}},
        SwitchCase{"CameraToMovie", ViewMode::Camera, ViewMode::Movie, {"camera.CloseCamera", "image.SetMode(Movie)"}},
        SwitchCase{"CameraToAr", ViewMode::Camera, ViewMode::AR, {"camera.CloseCamera"}},
        SwitchCase{"ImageToCamera", ViewMode::Image, ViewMode::Camera,
                   {"image.SetZoom(1)", "camera.SetZoom(1)", "image.ResetDrawing", "image.SetMode(Camera)",
                    "tools.SetToolSet(Camera)", "camera.SelectDevices(/dev/video9,hw:9)"}},
        SwitchCase{"ReadingToImage", ViewMode::Reading, ViewMode::Image,
                   {"image.RemoveAllBlinds", "reading.Stop", "reading.SetText()", "image.SetMode(Image)"}},
        SwitchCase{"MovieToImage", ViewMode::Movie, ViewMode::Image,
                   {"movie.GrabMovieFrame", "movie.StopMovie", "movieBar.ShowPlaying(0)", "image.SetImage(32x24)",
                    "image.SetMode(Image)"}},
        SwitchCase{"MovieToAr", ViewMode::Movie, ViewMode::AR, {"movie.StopMovie", "movieBar.ShowPlaying(0)"}},
        SwitchCase{"ArToCamera", ViewMode::AR, ViewMode::Camera,
                   {"ar.CloseViewer", "camera.SelectDevices(/dev/video9,hw:9)"}},
        SwitchCase{"ArToReading", ViewMode::AR, ViewMode::Reading, {"ar.CloseViewer", "image.SetMode(Reading)"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, MovieToPictureModesGrabsBeforeStopping) {
  Run([&](CVyr3Dlg& window) {
    Command(window, command::kModeMovie);
    log.clear();
    Command(window, command::kModeReading);
    EXPECT_TRUE(LogHasInOrder({"movie.GrabMovieFrame", "movie.StopMovie", "image.SetImage(32x24)"}));
    EXPECT_FALSE(Logged("image.SetImage(1x1)"));
  });
}

TEST_F(MainWindowTest, RequestingTheCurrentModeDoesNothingExceptForCamera) {
  Run([&](CVyr3Dlg& window) {
    Command(window, command::kModeImage);
    log.clear();
    Command(window, command::kModeImage);
    EXPECT_TRUE(log.empty()) << log.front();

    Command(window, command::kModeCamera);
    Command(window, command::kZoomIn);
    ASSERT_EQ(window.ZoomPercent(), 125);
    log.clear();
    Command(window, command::kModeCamera);
    EXPECT_EQ(window.ZoomPercent(), 100);
    EXPECT_TRUE(LogHasInOrder({"image.SetZoom(1)", "camera.SetZoom(1)", "camera.SelectDevices(/dev/video9,hw:9)"}));
    EXPECT_FALSE(Logged("camera.CloseCamera"));
  });
}

TEST_F(MainWindowTest, ClosingAnArViewerForCameraStartsTheRestartWatchdog) {
  Run([&](CVyr3Dlg& window) {
    Command(window, command::kModeAr);
    factory.ar->viewerRunning = true;
    Command(window, command::kModeCamera);
    EXPECT_EQ(window.TimerInterval(timer::kCameraRestartWatchdog), 2000);

    // No frame yet: close, wait, bind again, and look again in 5 seconds.
    factory.camera->overlay = camera::OverlayStatus::PleaseWait;
    log.clear();
    window.SendMessage(win::kTimer, timer::kCameraRestartWatchdog);
    EXPECT_TRUE(LogHasInOrder({"camera.CloseCamera"}));
    EXPECT_FALSE(window.TimerInterval(timer::kCameraRestartWatchdog).has_value());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.TimerInterval(timer::kCameraRestartWatchdog).has_value(); }, 2000));
    EXPECT_EQ(window.TimerInterval(timer::kCameraRestartWatchdog), 5000);
    EXPECT_TRUE(LogHasInOrder({"camera.CloseCamera", "camera.SelectDevices(/dev/video9,hw:9)"}));

    // A frame arrived: the watchdog stops.
    factory.camera->overlay = camera::OverlayStatus::None;
    log.clear();
    window.SendMessage(win::kTimer, timer::kCameraRestartWatchdog);
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(window.TimerInterval(timer::kCameraRestartWatchdog).has_value());
  });
}

TEST_F(MainWindowTest, NoWatchdogWhenNoViewerWasClosed) {
  Run([&](CVyr3Dlg& window) {
    Command(window, command::kModeAr);
    Command(window, command::kModeCamera);
    EXPECT_FALSE(window.TimerInterval(timer::kCameraRestartWatchdog).has_value());
  });
}

TEST_F(MainWindowTest, ReadingPanelIsPlacedByItsViewAndAlwaysOpensOnItsText) {
  const std::pair<reading::ReadingView, int> cases[] = {{reading::ReadingView::Text, 230},
                                                        {reading::ReadingView::List, 230},
                                                        {reading::ReadingView::TextCollapsed, 5},
                                                        {reading::ReadingView::ListCollapsed, 5}};
  for (const auto& [view, width] : cases) {
    Run([&, view = view, width = width](CVyr3Dlg& window) {
      factory.reading->view = view;
      Command(window, command::kModeReading);
      const QRect panel = window.Children().reading->geometry();
      EXPECT_EQ(panel, QRect(1038 - width - 7, 85, width, 861 - 93));
      EXPECT_EQ(window.Children().image->geometry(), QRect(7, 85, 1024 - width, 861 - 93));
      EXPECT_FALSE(reading::IsListView(factory.reading->view));
    });
  }
}

TEST_F(MainWindowTest, SplitReturnsToNormalOnAModeSwitchAndTurnsOnAgain) {
  Run([&](CVyr3Dlg& window) {
    Command(window, command::kSplitScreen);
    ASSERT_EQ(window.CurrentArrangement(), Arrangement::Split);
    EXPECT_TRUE(LogHasInOrder({"camera.TakeSnapshot(0)", "image.SetImage(64x48)", "camera.SetArrangement(Split)",
                               "image.SetArrangement(Split)"}));
    EXPECT_EQ(window.Children().camera->geometry(), QRect(7 + 512, 85, 512, 768));
    EXPECT_TRUE(window.Children().image->isVisibleTo(&window));

    Command(window, command::kModeImage);
    EXPECT_EQ(window.CurrentArrangement(), Arrangement::Normal);
    Command(window, command::kModeCamera);
    EXPECT_EQ(window.Children().camera->geometry(), QRect(7, 85, 1024, 768));
    EXPECT_FALSE(window.Children().image->isVisibleTo(&window));
    Command(window, command::kSplitScreen);
    EXPECT_EQ(window.CurrentArrangement(), Arrangement::Split);
  });
}

TEST_F(MainWindowTest, SplitFollowsTheCameraViewsResizes) {
  Run([&](CVyr3Dlg& window) {
    Command(window, command::kSplitResized);  // not in Split: ignored
    EXPECT_NE(window.Children().image->geometry(), QRect(7, 85, 293, 700));
    Command(window, command::kSplitScreen);
    window.Children().camera->setGeometry(300, 85, 600, 700);
    Command(window, command::kSplitResized);
    EXPECT_EQ(window.Children().image->geometry(), QRect(7, 85, 293, 700));
  });
}

TEST_F(MainWindowTest, PictureInPictureAndItsSwaps) {
  Run([&](CVyr3Dlg& window) {
    Command(window, command::kPictureInPicture);
    EXPECT_EQ(window.CurrentArrangement(), Arrangement::ImageInset);
    EXPECT_TRUE(LogHasInOrder({"camera.TakeSnapshot(0)", "image.SetImage(64x48)", "camera.SetArrangement(ImageInset)",
                               "camera.ShowNavigator(0)", "image.ShowNavigator(0)", "image.SetArrangement(ImageInset)"}));
    const QRect inset(1038 - 450, 861 - 335, 400, 305);
    EXPECT_EQ(window.Children().image->geometry(), inset);
    EXPECT_EQ(window.Children().camera->geometry(), QRect(7, 85, 1024, 768));

    Command(window, command::kSwapToImageInset);  // only from CameraInset: ignored
    EXPECT_EQ(window.CurrentArrangement(), Arrangement::ImageInset);
    Command(window, command::kSwapToCameraInset);
    EXPECT_EQ(window.CurrentArrangement(), Arrangement::CameraInset);
    EXPECT_EQ(window.Children().camera->geometry(), inset);
    EXPECT_EQ(window.Children().image->geometry(), QRect(7, 85, 1024, 768));
    Command(window, command::kSwapToImageInset);
    EXPECT_EQ(window.CurrentArrangement(), Arrangement::ImageInset);
    EXPECT_EQ(window.Children().image->geometry(), inset);

    log.clear();
    Command(window, command::kPictureInPicture);
    EXPECT_EQ(window.CurrentArrangement(), Arrangement::Normal);
    EXPECT_FALSE(window.Children().image->isVisibleTo(&window));
    EXPECT_TRUE(LogHasInOrder({"camera.ShowNavigator(1)", "image.ShowNavigator(1)"}));
  });
}

TEST_F(MainWindowTest, LayoutCommandsActOnlyInCameraMode) {
  Run([&](CVyr3Dlg& window) {
    Command(window, command::kModeImage);
    Command(window, command::kSplitScreen);
    Command(window, command::kPictureInPicture);
    EXPECT_EQ(window.CurrentArrangement(), Arrangement::Normal);
  });
}

TEST_F(MainWindowTest, FullScreenPictureSwapsTheButtonsAndHidesZoomControls) {
  Run([&](CVyr3Dlg& window) {
    Command(window, command::kCameraFullScreenOn);
    EXPECT_TRUE(window.FullScreenPicture());
    EXPECT_TRUE(LogHasInOrder({"camera.SetFitMode(0)", "movie.SetMovieFit(0)", "image.SetFullScreenPicture(1)"}));
    EXPECT_FALSE(window.Bars().ButtonOfCommand(command::kCameraFullScreenOn)->isVisibleTo(&window));
    EXPECT_TRUE(window.Bars().ButtonOfCommand(command::kCameraFullScreenOff)->isVisibleTo(&window));
    for (TitleButtonId zoom : kZoomControls) EXPECT_FALSE(window.TitleButton(zoom)->isVisibleTo(&window));

    // The flag is shared: image mode's bar shows its off button.
    Command(window, command::kModeImage);
    EXPECT_FALSE(window.Bars().ButtonOfCommand(command::kImageFullScreenOn)->isVisibleTo(&window));
    EXPECT_TRUE(window.Bars().ButtonOfCommand(command::kImageFullScreenOff)->isVisibleTo(&window));
    Command(window, command::kImageFullScreenOff);
    EXPECT_FALSE(window.FullScreenPicture());
    for (TitleButtonId zoom : kZoomControls) EXPECT_TRUE(window.TitleButton(zoom)->isVisibleTo(&window));
    EXPECT_TRUE(window.Bars().ButtonOfCommand(command::kImageFullScreenOn)->isVisibleTo(&window));
  });
  EXPECT_EQ(Setting("FULLSCREEN"), "FALSE");
}

TEST_F(MainWindowTest, ZoomControlsAreHiddenInMovieAndArModes) {
  Run([&](CVyr3Dlg& window) {
    for (const auto& [mode, shown] : {std::pair{command::kModeMovie, false}, std::pair{command::kModeAr, false},
                                      std::pair{command::kModeImage, true}, std::pair{command::kModeReading, true}}) {
      Command(window, mode);
      for (TitleButtonId zoom : kZoomControls) EXPECT_EQ(window.TitleButton(zoom)->isVisibleTo(&window), shown) << mode;
    }
  });
}

TEST_F(MainWindowTest, ArBarShowsTheVolumeSliderAndTheGradesOfTheGradeSetting) {
  WriteSettings("[QEL-3]\r\nGRADE=356\r\n");
  Run([&](CVyr3Dlg& window) {
    factory.ar->gradesWithContent = {3, 6};
    Command(window, command::kModeAr);
    ASSERT_NE(window.VolumeSlider(), nullptr);
    EXPECT_TRUE(window.VolumeSlider()->isVisibleTo(&window));
    const std::pair<int, int> shown[] = {{3, 708}, {5, 732}, {6, 756}};
    for (const auto& [grade, x] : shown) {
      auto* button = window.Bars().ButtonOfCommand(command::kFirstArGrade + grade - 1);
      EXPECT_TRUE(button->isVisibleTo(&window)) << grade;
      EXPECT_EQ(button->pos(), QPoint(x, 33)) << grade;
    }
    EXPECT_EQ(window.Bars().ButtonOfCommand(command::kFirstArGrade + 4)->look, ui::ButtonLook::Disabled);
    EXPECT_EQ(window.Bars().ButtonOfCommand(command::kFirstArGrade + 2)->look, ui::ButtonLook::Normal);
    for (int grade : {1, 2, 4}) {
      EXPECT_FALSE(window.Bars().ButtonOfCommand(command::kFirstArGrade + grade - 1)->isVisibleTo(&window)) << grade;
    }
    Command(window, command::kModeCamera);
    EXPECT_FALSE(window.VolumeSlider()->isVisibleTo(&window));
    EXPECT_EQ(window.Bars().VisibleBar(), ViewMode::Camera);
  });
}

}  // namespace
}  // namespace orvilo::shell::testing
