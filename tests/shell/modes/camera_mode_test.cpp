#include "shell/modes/camera_mode.h"

#include <QTest>
#include <algorithm>

#include "core/command_ids.h"
#include "fake_services.h"
#include "mode_fixture.h"
#include "platform/media/recording_journal.h"
#include "ui/picker_popup.h"

namespace orvilo::shell::testing {
namespace {

class CameraModeTest : public ModeTest {
 protected:
  CameraModeTest() {
    enumerator.AttachCamera(8);
    devices.EnumerateDevices();
  }
  FakeDevices enumerator;
  camera::CaptureDevices devices{enumerator};
  core::CameraModel model = 8;
  CameraMode mode{Context(), devices, model};
};

class CameraLeave : public CameraModeTest, public ::testing::WithParamInterface<LeaveCase> {};

// Leaving needs nothing but the camera view.
TEST_P(CameraLeave, HandsOverAFrozenFrameOnlyToPictureModesReachedByTheirTab) {
  Give<RecordingCameraView>(children.camera);
  const Handover handover = mode.Leave(GetParam().next, GetParam().entry);
  EXPECT_EQ(log, GetParam().calls);
  EXPECT_EQ(Text(handover.picture), GetParam().handedOver);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CameraLeave,
    ::testing::Values(
        LeaveCase{"TabToImage", ViewMode::Image, Entry::ByTab, {"camera.TakeSnapshot(1)", "camera.CloseCamera"}, "64x48"},
        LeaveCase{"TabToReading", ViewMode::Reading, Entry::ByTab, {"camera.TakeSnapshot(1)", "camera.CloseCamera"}, "64x48"},
        LeaveCase{"TabToMovie", ViewMode::Movie, Entry::ByTab, {"camera.CloseCamera"}, "none"},
        LeaveCase{"TabToAr", ViewMode::AR, Entry::ByTab, {"camera.CloseCamera"}, "none"},
        // A file opened from camera mode: the camera runs on.
        LeaveCase{"FileToMovie", ViewMode::Movie, Entry::WithContent, {}, "none"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CameraModeTest, EnteringBindsTheCameraAndWatchesItAfterAnArViewer) {
  Give<RecordingCameraView>(children.camera);
  Handover fromAr;
  fromAr.arViewerClosed = true;
  mode.Enter(std::move(fromAr));
  EXPECT_TRUE(HasInOrder(log, {"host.ShowCommandBar(Camera)", "camera.SelectDevices(/dev/video9,hw:9)",
                               "host.StartTimer(1344,2000)"}));
  EXPECT_EQ(children.camera->geometry(), QRect(7, 85, 1024, 768));

  log.clear();
  mode.Enter({});
  EXPECT_FALSE(Contains(log, "host.StartTimer(1344,2000)"));
}

TEST_F(CameraModeTest, ThePaletteFollowsItsFlag) {
  auto* tools = Give<RecordingToolsPalette>(children.tools);
  tools->set = ToolSet::Image;
  mode.Enter({});
  EXPECT_EQ(tools->set, ToolSet::Camera);
  EXPECT_TRUE(tools->isVisible());

  mode.OnCommand(command::kPalette);
  EXPECT_FALSE(mode.PaletteEnabled());
  EXPECT_FALSE(tools->isVisible());
  mode.Enter({});
  EXPECT_FALSE(tools->isVisible());
}

TEST_F(CameraModeTest, LayoutToolsActOnlyWhileCurrentAndEveryModeChangeUndoesThem) {
  Give<RecordingCameraView>(children.camera);
  Give<RecordingImageView>(children.image);
  host.current = ViewMode::Image;
  mode.OnCommand(command::kSplitScreen);
  EXPECT_EQ(mode.CurrentArrangement(), Arrangement::Normal);

  host.current = ViewMode::Camera;
  mode.OnCommand(command::kSplitScreen);
  EXPECT_EQ(mode.CurrentArrangement(), Arrangement::Split);
  EXPECT_EQ(children.camera->geometry(), QRect(7 + 512, 85, 512, 768));
  log.clear();
  mode.ReturnToNormal();
  EXPECT_EQ(mode.CurrentArrangement(), Arrangement::Normal);
  EXPECT_EQ(log, (CallLog{"camera.SetArrangement(Normal)", "image.SetArrangement(Normal)"}));
  log.clear();
  mode.ReturnToNormal();
  EXPECT_TRUE(log.empty());
}

TEST_F(CameraModeTest, OpenFileAsksTheHostForTheModeOfTheExtension) {
  host.fileAnswers = {std::string("/x/Page.BMP"), std::string("/x/clip.avi"), std::nullopt};
  for (int i = 0; i < 3; ++i) mode.OnCommand(command::kOpenFile);
  EXPECT_TRUE(HasInOrder(log, {"host.OpenFile(Image,/x/Page.BMP)", "host.OpenFile(Movie,/x/clip.avi)"}));
  EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::string& call) { return call.starts_with("host.OpenFile"); }),
            2);
}

TEST_F(CameraModeTest, TheWatchdogClosesAndRebindsUntilAFrameArrives) {
  auto* camera = Give<RecordingCameraView>(children.camera);
  camera->overlay = camera::OverlayStatus::PleaseWait;
  mode.OnRestartWatchdog();
  EXPECT_EQ(log, (CallLog{"host.StopTimer(1344)", "camera.CloseCamera"}));
  ASSERT_TRUE(QTest::qWaitFor([&] { return Contains(log, "host.StartTimer(1344,5000)"); }, 2000));
  EXPECT_TRUE(HasInOrder(log, {"camera.CloseCamera", "camera.SelectDevices(/dev/video9,hw:9)", "host.StartTimer(1344,5000)"}));
}

}  // namespace
}  // namespace orvilo::shell::testing

namespace orvilo::shell::testing {
namespace {

TEST_F(CameraModeTest, PictureControlsOpenTheCamerasPopupAndBindingNamesTheSettingsFile) {
  auto* camera = Give<RecordingCameraView>(children.camera);
  mode.OnCommand(command::kPictureControls);
  EXPECT_EQ(log, (CallLog{"camera.TogglePictureControls"}));
  mode.BindCamera();
  EXPECT_EQ(camera->settingsFile, store.settingsPath());
}

// The interval comes from a list under the bar button; the choice is kept
// and offered first the next time; a second press stops the run.
TEST_F(CameraModeTest, IntervalCaptureAsksTheIntervalStartsIntoTheImageFolderAndStops) {
  auto* camera = Give<RecordingCameraView>(children.camera);
  settings.imageFolder = "/pictures";
  ui::ScopedScriptedPickers pickers;
  pickers.answers = {{win::kResultOk, 4}, {win::kResultCancel, 0}};
  mode.OnCommand(command::kIntervalCapture);
  ASSERT_EQ(pickers.requests.size(), 1u);
  EXPECT_EQ(pickers.requests[0].kind, ui::PickerKind::Custom);
  EXPECT_EQ(pickers.requests[0].customItems.size(), 10u);
  EXPECT_EQ(pickers.requests[0].customItems.front().text, "1 s");
  EXPECT_EQ(pickers.requests[0].customItems.back().text, "1 h");
  EXPECT_EQ(log, (CallLog{"camera.StartIntervalCapture(/pictures,30)"}));
  EXPECT_EQ(store.Read("INTERVAL"), "30");

  log.clear();
  mode.OnCommand(command::kIntervalCapture);
  EXPECT_EQ(log, (CallLog{"camera.StopIntervalCapture"}));
  EXPECT_FALSE(camera->intervalRunning);

  log.clear();
  mode.OnCommand(command::kIntervalCapture);  // cancelled: nothing starts
  ASSERT_EQ(pickers.requests.size(), 2u);
  EXPECT_EQ(pickers.requests[1].selected, 4);  // 30 s offered first
  EXPECT_TRUE(log.empty());
}

}  // namespace
}  // namespace orvilo::shell::testing

namespace orvilo::shell::testing {
namespace {

// Time-lapse: the interval from the same list, kept apart from interval
// capture's; the file is new in the video folder and named in the journal
// while it is written; a second press stops it and binds the camera again.
TEST_F(CameraModeTest, TimeLapseRecordsIntoANewFileOfTheVideoFolderUntilPressedAgain) {
  auto* camera = Give<RecordingCameraView>(children.camera);
  settings.videoFolder = (folder.path() + "/Video").toStdString();
  ui::ScopedScriptedPickers pickers;
  pickers.answers = {{win::kResultOk, 2}, {win::kResultCancel, 0}};
  mode.OnCommand(command::kTimeLapse);
  ASSERT_EQ(pickers.requests.size(), 1u);
  EXPECT_EQ(pickers.requests[0].customItems.size(), 10u);
  EXPECT_EQ(store.Read("TIMELAPSE"), "5");
  EXPECT_EQ(store.Read("INTERVAL"), "");
  ASSERT_EQ(log.size(), 1u);
  const std::string call = log[0];
  EXPECT_TRUE(call.starts_with("camera.StartTimeLapse(" + settings.videoFolder + "/")) << call;
  EXPECT_TRUE(call.ends_with("-timelapse.avi,5)")) << call;
  const std::string file = call.substr(22, call.size() - 22 - 3);
  EXPECT_EQ(media::RecordingJournal(settings.videoFolder).Entries(), std::vector<std::string>{file});

  log.clear();
  mode.OnCommand(command::kTimeLapse);
  EXPECT_TRUE(HasInOrder(log, {"camera.StopRecording", "camera.SelectDevices(/dev/video9,hw:9)"}));
  EXPECT_FALSE(camera->timeLapseRunning);
  EXPECT_TRUE(media::RecordingJournal(settings.videoFolder).Entries().empty());

  log.clear();
  mode.OnCommand(command::kTimeLapse);  // cancelled
  EXPECT_EQ(pickers.requests[1].selected, 2);
  EXPECT_TRUE(log.empty());
}

TEST_F(CameraModeTest, ATimeLapseThatCannotStartLeavesNoJournalEntry) {
  auto* camera = Give<RecordingCameraView>(children.camera);
  camera->recordingStarts = false;
  settings.videoFolder = (folder.path() + "/Video").toStdString();
  ui::ScopedScriptedPickers pickers;
  pickers.answers = {{win::kResultOk, 0}};
  mode.OnCommand(command::kTimeLapse);
  ASSERT_EQ(log.size(), 1u);
  EXPECT_TRUE(log[0].starts_with("camera.StartTimeLapse(")) << log[0];
  EXPECT_FALSE(camera->timeLapseRunning);
  EXPECT_TRUE(media::RecordingJournal(settings.videoFolder).Entries().empty());
}

// The camera view stopped a time-lapse by itself (its camera or disk lost)
// and tells the main window as a stop: the journal entry goes.
TEST_F(CameraModeTest, ATimeLapseEndedByTheCameraViewIsTidiedUpByTheStop) {
  auto* camera = Give<RecordingCameraView>(children.camera);
  settings.videoFolder = (folder.path() + "/Video").toStdString();
  ui::ScopedScriptedPickers pickers;
  pickers.answers = {{win::kResultOk, 0}, {win::kResultOk, 0}};
  mode.OnCommand(command::kTimeLapse);
  ASSERT_TRUE(camera->timeLapseRunning);
  camera->timeLapseRunning = false;
  mode.OnCommand(command::kStopRecording);
  EXPECT_TRUE(media::RecordingJournal(settings.videoFolder).Entries().empty());
  log.clear();
  mode.OnCommand(command::kTimeLapse);  // a new start, not a stop
  ASSERT_FALSE(log.empty());
  EXPECT_TRUE(log[0].starts_with("camera.StartTimeLapse(")) << log[0];
}

TEST_F(CameraModeTest, TheFilmstripButtonOpensAndClosesTheStrip) {
  Give<RecordingCameraView>(children.camera);
  mode.OnCommand(command::kFilmstrip);
  mode.OnCommand(command::kFilmstrip);
  EXPECT_EQ(log, (CallLog{"camera.ShowFilmstrip(1)", "camera.ShowFilmstrip(0)"}));
}

// A click opens the still in image mode the way Open File does; a still
// the strip does not have opens nothing.
TEST_F(CameraModeTest, AClickedStillOpensInImageModeThroughTheHost) {
  auto* camera = Give<RecordingCameraView>(children.camera);
  camera->stills = {"/pictures/a.bmp", "/pictures/b.bmp"};
  mode.OnOpenStill(1);
  mode.OnOpenStill(2);
  EXPECT_EQ(log, (CallLog{"host.OpenFile(Image,/pictures/b.bmp)"}));
}

// A dropped still goes into the image view of split screen: from Normal
// split screen opens with it, while split only the still changes.
TEST_F(CameraModeTest, ADroppedStillIsComparedWithTheLivePictureInSplitScreen) {
  auto* camera = Give<RecordingCameraView>(children.camera);
  auto* image = Give<RecordingImageView>(children.image);
  camera->stills = {"/pictures/a.bmp", "/pictures/b.bmp"};
  mode.OnCompareStill(0);
  EXPECT_EQ(mode.CurrentArrangement(), Arrangement::Split);
  EXPECT_EQ(children.camera->geometry(), QRect(7 + 512, 85, 512, 768));
  EXPECT_TRUE(image->isVisible());
  EXPECT_TRUE(HasInOrder(log, {"image.LoadImageFile(/pictures/a.bmp)", "camera.SetArrangement(Split)"}));
  EXPECT_FALSE(Contains(log, "camera.TakeSnapshot(0)"));

  log.clear();
  mode.OnCompareStill(1);
  EXPECT_EQ(log, (CallLog{"image.LoadImageFile(/pictures/b.bmp)"}));
  EXPECT_EQ(mode.CurrentArrangement(), Arrangement::Split);

  // A still the image view cannot open leaves the layout as it was.
  mode.ReturnToNormal();
  image->loadResult = false;
  log.clear();
  mode.OnCompareStill(0);
  EXPECT_EQ(mode.CurrentArrangement(), Arrangement::Normal);
}

// The drawing over the live picture: the bar button shows it with the pen
// tools in the palette (even with the palette turned off) and hides it
// again; the pen tools and pickers reach the camera view only while it shows
// and camera mode is current; otherwise they stay the image view's.
TEST_F(CameraModeTest, LiveDrawingShowsWithThePenToolsWhichReachTheCameraOnlyWhileItShows) {
  auto* camera = Give<RecordingCameraView>(children.camera);
  auto* tools = Give<RecordingToolsPalette>(children.tools);
  mode.OnCommand(command::kPalette);  // the palette off
  ASSERT_FALSE(tools->isVisible());
  EXPECT_FALSE(mode.OnCommand(command::kHighlighter));  // the image view's
  log.clear();

  mode.OnCommand(command::kLiveDrawing);
  EXPECT_TRUE(camera->liveDrawingShown);
  EXPECT_EQ(tools->set, ToolSet::LiveDrawing);
  EXPECT_TRUE(tools->isVisible());
  struct Case {
    int command;
    const char* call;
  };
  const Case tools_[] = {{command::kHighlighter, "camera.SetLiveDrawingTool(1)"},
                         {command::kEraser, "camera.SetLiveDrawingTool(2)"},
                         {command::kPen, "camera.SetLiveDrawingTool(0)"},
                         {command::kEraseAll, "camera.ClearLiveDrawing"},
                         {command::kClearLiveDrawing, "camera.ClearLiveDrawing"}};
  for (const Case& c : tools_) {
    log.clear();
    EXPECT_TRUE(mode.OnCommand(c.command)) << c.command;
    EXPECT_EQ(log, (CallLog{c.call})) << c.command;
  }
  log.clear();
  mode.OnCommand(command::kColour);  // a long press on the picture
  EXPECT_EQ(log, (CallLog{"tools.OpenPicker(1536)"}));
  log.clear();
  EXPECT_TRUE(mode.OnPickerChoice(command::kColour - command::kFirstImageTool, 2));
  EXPECT_TRUE(mode.OnPickerChoice(command::kPenType - command::kFirstImageTool, 3));
  EXPECT_TRUE(mode.OnPickerChoice(command::kShapes - command::kFirstImageTool, 1));
  EXPECT_FALSE(mode.OnPickerChoice(command::kBoard - command::kFirstImageTool, 1));
  EXPECT_EQ(log, (CallLog{"camera.SetLiveDrawingPenColour(2)", "camera.SetLiveDrawingPenWidth(7)",
                          "camera.SetLiveDrawingTool(4)"}));

  host.current = ViewMode::Image;  // another mode's tools are its own
  EXPECT_FALSE(mode.OnCommand(command::kPen));
  EXPECT_FALSE(mode.OnPickerChoice(command::kColour - command::kFirstImageTool, 2));
  host.current = ViewMode::Camera;

  log.clear();
  mode.OnCommand(command::kLiveDrawing);  // off: the palette goes back to off
  EXPECT_EQ(log, (CallLog{"camera.ShowLiveDrawing(0)"}));
  EXPECT_FALSE(tools->isVisible());
  EXPECT_FALSE(mode.OnCommand(command::kPen));
}

// Stills carry the drawing: Save frame and the camera's still button take
// the annotated snapshot; leaving the mode hides the drawing.
TEST_F(CameraModeTest, StillsTakeTheDrawingAndLeavingHidesIt) {
  auto* camera = Give<RecordingCameraView>(children.camera);
  host.fileAnswers = {std::string("/x/frame.bmp")};
  mode.OnCommand(command::kSaveFrame);
  EXPECT_TRUE(HasInOrder(log, {"camera.TakeAnnotatedSnapshot", "camera.SaveBitmapFile(/x/frame.bmp,64x48)"}));
  log.clear();
  settings.imageFolder = "/pictures";
  mode.OnStillButton();
  EXPECT_TRUE(Contains(log, "camera.TakeAnnotatedSnapshot"));

  camera->liveDrawingShown = true;
  log.clear();
  mode.Leave(ViewMode::Movie, Entry::ByTab);
  EXPECT_EQ(log, (CallLog{"camera.ShowLiveDrawing(0)", "camera.CloseCamera"}));
}

}  // namespace
}  // namespace orvilo::shell::testing
