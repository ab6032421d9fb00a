#include <QCoreApplication>
#include <QKeyEvent>

#include "main_window_fixture.h"
#include "core/command_ids.h"

namespace orvilo::shell::testing {
namespace {

TEST_F(MainWindowTest, ChildrenAreCreatedInOrderWithNameIdentifierRectangleAndVisibility) {
  screenHeight = 1040;
  Run([&](CVyr3Dlg& window) {
    EXPECT_EQ(window.width(), 1038);
    EXPECT_EQ(window.height(), 861);
    EXPECT_EQ(factory.creationOrder, (std::vector<std::string>{"image", "movie", "camera", "ar", "record", "tabs",
                                                                "tools", "reading", "readingBar", "movieBar"}));
    for (int index = 0; index < kChildCount; ++index) {
      win::Window* child = window.Children().At(index);
      ASSERT_NE(child, nullptr) << index;
      EXPECT_EQ(child->objectName(), QString("Vyr3Child%1").arg(index + 2));
      EXPECT_EQ(child->ControlId(), index + 2);
      EXPECT_EQ(child->parentWidget(), &window);
      const bool shown = index == kCameraViewIndex || index == kTabStripIndex || index == kToolsPaletteIndex;
      EXPECT_EQ(child->isVisibleTo(&window), shown) << index;
    }
    // Views that nothing has placed yet keep their creation rectangle.
    EXPECT_EQ(window.Children().At(kRecordIndicatorIndex)->geometry(), QRect(7, 85, 1024, 861 - 8 - 85));
    EXPECT_EQ(window.Mode(), ViewMode::Camera);
    EXPECT_EQ(window.Bars().VisibleBar(), ViewMode::Camera);
  });
}

TEST_F(MainWindowTest, WindowHeightIsTheAvailableScreenHeightUpTo861) {
  screenHeight = 700;
  Run([&](CVyr3Dlg& window) { EXPECT_EQ(window.height(), 700); });
}

TEST_F(MainWindowTest, CameraViewGetsModelResolutionAndRotationAndPanelItsDictionary) {
  WriteSettings("[QEL-3]\r\nRESOLUTION=4\r\nROTATE=5\r\nUserDicPath=/dict/ko.dic\r\n");
  Run([&](CVyr3Dlg&) {});
  EXPECT_TRUE(LogHasInOrder({"camera.SetResolution(8,4)", "camera.SetRotation(1)",
                             "reading.RegisterUserDictionary(/dict/ko.dic)", "camera.SelectDevices(/dev/video9,hw:9)"}));
  EXPECT_EQ(factory.panelModel, 8);
  EXPECT_EQ(factory.tabVariant, 3);
}

TEST_F(MainWindowTest, NoRotationIsGivenWhenTheSettingIsZero) {
  Run([&](CVyr3Dlg&) {});
  for (const auto& call : log) EXPECT_EQ(call.rfind("camera.SetRotation", 0), std::string::npos);
}

TEST_F(MainWindowTest, RecognitionStartsOnlyForCamerasWithTheReadingTab) {
  const std::pair<int, bool> cases[] = {{1, false}, {2, true}, {3, false}, {4, true}, {7, true}, {8, true}};
  for (const auto& [model, reads] : cases) {
    log.clear();
    AttachCamera(model);
    Run([&](CVyr3Dlg& window) { EXPECT_EQ(window.FeatureVariant() & 1, reads ? 1 : 0); });
    EXPECT_EQ(Logged("reading.InitRecognition"), reads) << "model " << model;
  }
}

TEST_F(MainWindowTest, CaptionFollowsTitleOrModel) {
  AttachCamera(2);
  Run([&](CVyr3Dlg& window) { EXPECT_EQ(window.windowTitle(), "QEL-3.2T"); });
  WriteSettings("[QEL-3]\r\nTITLE=3학년 2반\r\n");
  Run([&](CVyr3Dlg& window) { EXPECT_EQ(window.windowTitle(), "3학년 2반"); });
}

struct FullScreenCase {
  const char* value;
  bool on;
  const char* written;
  friend std::ostream& operator<<(std::ostream& out, const FullScreenCase& c) { return out << "FULLSCREEN=" << c.value; }
};

class FullScreenAtStart : public MainWindowTest, public ::testing::WithParamInterface<FullScreenCase> {};

TEST_P(FullScreenAtStart, SetsFitModesAndIsWrittenBackAtShutdown) {
  WriteSettings(std::string("[QEL-3]\r\nFULLSCREEN=") + GetParam().value + "\r\n");
  Run([&](CVyr3Dlg& window) { EXPECT_EQ(window.FullScreenPicture(), GetParam().on); });
  const std::string fit = GetParam().on ? "0" : "1";
  EXPECT_TRUE(LogHasInOrder({"camera.SetFitMode(" + fit + ")", "movie.SetMovieFit(" + fit + ")",
                             std::string("image.SetFullScreenPicture(") + (GetParam().on ? "1" : "0") + ")"}));
  EXPECT_EQ(Setting("FULLSCREEN"), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Values, FullScreenAtStart,
                         ::testing::Values(FullScreenCase{"TRUE", true, "TRUE"}, FullScreenCase{"true", false, "FALSE"},
                                           FullScreenCase{"1", false, "FALSE"}, FullScreenCase{"", false, "FALSE"}));

TEST_F(MainWindowTest, ShutdownWritesResolutionAndRotationFromTheCameraViewThenFullScreen) {
  Run([&](CVyr3Dlg&) {
    factory.camera->resolutionIndex = 5;
    factory.camera->rotation = 3;
  });
  EXPECT_EQ(Setting("RESOLUTION"), "5");
  EXPECT_EQ(Setting("ROTATE"), "3");
  EXPECT_EQ(Setting("FULLSCREEN"), "FALSE");
  // Settings are written first, then the children go in index order.
  EXPECT_TRUE(LogHasInOrder({"image.~", "movie.~", "camera.~", "ar.~", "record.~", "tabs.~", "tools.~", "reading.~",
                             "readingBar.~", "movieBar.~"}));
}

TEST_F(MainWindowTest, WithoutACameraViewOnlyFullScreenIsWrittenAtShutdown) {
  factory.failing = {kCameraViewIndex};
  WriteSettings("[QEL-3]\r\nRESOLUTION=3\r\nROTATE=2\r\n");
  bool ran = false;
  Run([&](CVyr3Dlg& window) {
    ran = true;
    EXPECT_EQ(window.Children().At(kCameraViewIndex), nullptr);
  });
  EXPECT_TRUE(ran);
  EXPECT_EQ(Setting("RESOLUTION"), "3");
  EXPECT_EQ(Setting("ROTATE"), "2");
  EXPECT_EQ(Setting("FULLSCREEN"), "FALSE");
}

TEST_F(MainWindowTest, NoKnownCameraShowsTheNoCameraPageAndEndsWithClose) {
  AttachCamera(0);
  devices.video.push_back({"usb#vid_046d&pid_0825#/dev/video0", "Webcam", "/dev/video0"});
  bool ran = false;
  settingsDialog.steps.push_back({win::kResultClose, nullptr});
  const int result = Run([&](CVyr3Dlg&) { ran = true; });
  EXPECT_FALSE(ran);
  EXPECT_EQ(result, win::kResultClose);
  ASSERT_EQ(settingsDialog.runs.size(), 1u);
  EXPECT_EQ(settingsDialog.runs[0].page, SettingsPage::NoCamera);
  EXPECT_FALSE(Logged("camera.SelectDevices(/dev/video0,hw:9)"));
  // The settings file exists with its defaults all the same.
  EXPECT_EQ(Setting("RESOLUTION"), "2");
  EXPECT_EQ(Setting("FULLSCREEN"), "FALSE");
}

// A camera plugged in while the search page shows: the page ends with OK
// and start-up goes on as if the camera had been there from the start.
TEST_F(MainWindowTest, ACameraPluggedInDuringTheSearchStartsTheProgramWithIt) {
  AttachCamera(0);
  WriteSettings("[QEL-3]\r\nRESOLUTION=4\r\n");
  settingsDialog.steps.push_back({win::kResultOk, [&](SettingsDialogState& state) {
                                    EXPECT_NE(state.cameraSearch, nullptr);
                                    AttachCamera(7);
                                  }});
  bool ran = false;
  Run([&](CVyr3Dlg& window) {
    ran = true;
    EXPECT_EQ(window.Model(), 7);
    EXPECT_EQ(window.windowTitle(), "WRM-5.0");
    EXPECT_EQ(window.Mode(), ViewMode::Camera);
    EXPECT_TRUE(window.Children().At(kCameraViewIndex)->isVisibleTo(&window));
  });
  EXPECT_TRUE(ran);
  ASSERT_EQ(settingsDialog.runs.size(), 1u);
  EXPECT_EQ(settingsDialog.runs[0].page, SettingsPage::NoCamera);
  EXPECT_TRUE(LogHasInOrder({"camera.SetResolution(7,4)", "camera.SelectDevices(/dev/video9,hw:9)"}));
  EXPECT_EQ(factory.panelModel, 7);
  EXPECT_EQ(factory.tabVariant, 1);  // model 7's tabs, not those of no camera
}

// The page saw a camera that was gone again when the window looked: the
// page shows again, and closing it still ends the program.
TEST_F(MainWindowTest, ACameraGoneAgainAtOnceBringsTheSearchBack) {
  AttachCamera(0);
  settingsDialog.steps.push_back({win::kResultOk, nullptr});
  settingsDialog.steps.push_back({win::kResultClose, nullptr});
  bool ran = false;
  const int result = Run([&](CVyr3Dlg&) { ran = true; });
  EXPECT_FALSE(ran);
  EXPECT_EQ(result, win::kResultClose);
  ASSERT_EQ(settingsDialog.runs.size(), 2u);
  EXPECT_EQ(settingsDialog.runs[1].page, SettingsPage::NoCamera);
  EXPECT_FALSE(Logged("camera.SelectDevices(/dev/video9,hw:9)"));
}

// While running, a change of the device list binds a lost camera at once
// when the list has a camera again; only in camera mode while the view
// shows it lost.
TEST_F(MainWindowTest, ALostCameraIsBoundAgainWhenTheDeviceListHasItAgain) {
  using camera::OverlayStatus;
  struct Case {
    const char* what;
    OverlayStatus overlay;
    bool cameraMode;
    bool listed;
    bool bound;
  };
  const Case cases[] = {
      {"lost and listed again", OverlayStatus::Disconnected, true, true, true},
      {"lost, not listed yet", OverlayStatus::Disconnected, true, false, false},
      {"not lost", OverlayStatus::None, true, true, false},
      {"lost in image mode", OverlayStatus::Disconnected, false, true, false},
  };
  const std::string bind = "camera.SelectDevices(/dev/video9,hw:9)";
  for (const Case& c : cases) {
    AttachCamera(8);
    Run([&](CVyr3Dlg& window) {
      if (!c.cameraMode) Command(window, command::kModeImage);
      ASSERT_TRUE(devices.changed) << "the window watches the devices";
      factory.camera->overlay = c.overlay;
      if (!c.listed) AttachCamera(0);
      log.clear();
      devices.changed();  // as from the monitor's thread: only queues a look
      ProcessEvents();
      EXPECT_EQ(Logged(bind), c.bound) << c.what;
      if (!c.bound) return;
      // And the next time it is lost.
      log.clear();
      devices.changed();
      ProcessEvents();
      EXPECT_EQ(Logged(bind), true) << c.what << ", again";
    });
  }
}

TEST_F(MainWindowTest, EveryKnownCameraIsBoundAndTheLastOneStays) {
  devices.video.push_back({"usb#vid_0000&pid_a307#/dev/video4", "Second", "/dev/video4"});
  Run([&](CVyr3Dlg&) {});
  EXPECT_TRUE(LogHasInOrder({"camera.SelectDevices(/dev/video9,hw:9)", "camera.SelectDevices(/dev/video4,hw:9)"}));
}

TEST_F(MainWindowTest, ModelSixTakesTheModelTheCameraViewReports) {
  AttachCamera(6);
  Run([&](CVyr3Dlg& window) { EXPECT_EQ(window.Model(), 8); });
}

TEST_F(MainWindowTest, MissingChildrenAreLeftOutAndTheirCommandsIgnored) {
  factory.failing = {kImageViewIndex, kMovieViewIndex, kArViewIndex, kReadingPanelIndex, kMovieBarIndex};
  Run([&](CVyr3Dlg& window) {
    EXPECT_EQ(window.Children().At(kImageViewIndex), nullptr);
    for (int id : {command::kModeImage, command::kRecognise, command::kModeReading, command::kModeMovie,
                   command::kFrameToImage, command::kModeAr, 1095, command::kPlay, command::kModeCamera}) {
      Command(window, id);
    }
    Message(window, 1279, 10, 20);
    Message(window, 1575, 3, 2);
    Message(window, 1277);
    EXPECT_EQ(window.Mode(), ViewMode::Camera);
  });
}

TEST_F(MainWindowTest, EnterEndsTheWindowWithOkAndEscapeWithCancel) {
  for (const auto& [key, result] : {std::pair{Qt::Key_Return, win::kResultOk}, std::pair{Qt::Key_Escape, win::kResultCancel}}) {
    EXPECT_EQ(Run([&, key = key](CVyr3Dlg& window) {
                QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
                QCoreApplication::sendEvent(&window, &press);
              }),
              result);
    EXPECT_EQ(Setting("FULLSCREEN"), "FALSE");
  }
}

}  // namespace
}  // namespace orvilo::shell::testing
