#include "platform/media/recording_journal.h"
#include "main_window_fixture.h"
#include "platform/sys/file_io.h"
#include "core/command_ids.h"
#include "reading/learning_file.h"

namespace orvilo::shell::testing {
namespace {

using ui::ButtonLook;
using ui::ToggleState;

struct LogoCase {
  const char* settings;
  bool opens;
  friend std::ostream& operator<<(std::ostream& out, const LogoCase& c) { return out << '"' << c.settings << '"'; }
};

class LogoClick : public MainWindowTest, public ::testing::WithParamInterface<LogoCase> {};

TEST_P(LogoClick, OpensTheAboutPageUnlessLogoPopupIsZero) {
  WriteSettings(GetParam().settings);
  Run([&](CVyr3Dlg& window) { Command(window, command::kLogo); });
  EXPECT_EQ(settingsDialog.runs.size(), GetParam().opens ? 1u : 0u);
  if (GetParam().opens) {
    EXPECT_EQ(settingsDialog.runs[0].page, SettingsPage::About);
  }
}

INSTANTIATE_TEST_SUITE_P(Values, LogoClick,
                         ::testing::Values(LogoCase{"", true}, LogoCase{"[QEL-3]\r\nLOGOPOPUP=0\r\n", false},
                                           LogoCase{"[QEL-3]\r\nLOGOPOPUP=2\r\n", true},
                                           LogoCase{"[QEL-3]\r\nLOGOPOPUP=off\r\n", false}));

TEST_F(MainWindowTest, ZoomStepsStopAtTheirLimitsAndReachBothViews) {
  Run([&](CVyr3Dlg& window) {
    Command(window, command::kZoomIn);
    EXPECT_EQ(window.ZoomPercent(), 125);
    EXPECT_TRUE(LogHasInOrder({"image.SetZoom(1.25)", "camera.SetZoom(1.25)"}));
    for (int i = 0; i < 50; ++i) Command(window, command::kZoomIn);
    EXPECT_EQ(window.ZoomPercent(), 1000);
    for (int i = 0; i < 50; ++i) Command(window, command::kZoomOut);
    EXPECT_EQ(window.ZoomPercent(), 25);
  });
}

TEST_F(MainWindowTest, ZoomListOpensOnTheEntryOfThePercentageAndTakesTheChoice) {
  Run([&](CVyr3Dlg& window) {
    for (int i = 0; i < 2; ++i) Command(window, command::kZoomIn);  // 150 %
    pickers.answers.push_back({win::kResultOk, 4});                // "200%"
    Command(window, command::kZoomList);
    ASSERT_EQ(pickers.requests.size(), 1u);
    EXPECT_EQ(pickers.requests[0].kind, ui::PickerKind::ZoomPercent);
    EXPECT_EQ(pickers.requests[0].selected, 3);  // "100%"
    EXPECT_EQ(pickers.requests[0].firstRow.Width(), 60);
    EXPECT_EQ(pickers.requests[0].firstRow.Height(), 15);
    EXPECT_EQ(window.ZoomPercent(), 200);
    pickers.answers.push_back({win::kResultClose, 7});
    Command(window, command::kZoomList);
    EXPECT_EQ(window.ZoomPercent(), 200);
  });
}

TEST_F(MainWindowTest, OpenFileTellsPicturesFromMoviesByTheLastThreeLetters) {
  Run([&](CVyr3Dlg& window) {
    files.fileAnswers.push_back(std::string("/pages/PAGE.JPG"));
    Command(window, command::kOpenFile);
    EXPECT_EQ(files.fileRequests.at(0).filter,
              "이미지 파일 (bmp,jpg)|*.bmp;*.jpg|동영상 파일 (wmv,asf,avi,mp4,mpg)|*.wmv;*.asf;*.avi;*.mp4;*.mpg|모든 파일|"
              "*.bmp;*.jpg;*.wmv;*.asf;*.avi;*.mp4;*.mpg||");
    EXPECT_EQ(window.Mode(), ViewMode::Image);
    EXPECT_TRUE(LogHasInOrder({"image.LoadImageFile(/pages/PAGE.JPG)", "tools.SetToolSet(Image)", "image.SetMode(Image)",
                               "tabs.SelectTabOf(Image)"}));
    // The loaded picture is not replaced by a camera snapshot.
    EXPECT_FALSE(Logged("camera.TakeSnapshot(1)"));
    EXPECT_EQ(window.Bars().VisibleBar(), ViewMode::Image);

    Command(window, command::kModeCamera);
    log.clear();
    files.fileAnswers.push_back(std::string("/movies/clip.MP4"));
    Command(window, command::kOpenFile);
    EXPECT_EQ(window.Mode(), ViewMode::Movie);
    EXPECT_TRUE(LogHasInOrder({"movie.OpenMovie(/movies/clip.MP4)", "image.SetMode(Movie)", "movieBar.ShowPlaying(1)",
                               "movieBar.ShowBar", "tabs.SelectTabOf(Movie)"}));
    EXPECT_TRUE(window.Children().movieBar->isVisibleTo(&window));
    EXPECT_FALSE(Logged("camera.CloseCamera"));
    EXPECT_FALSE(window.Children().tools->isVisibleTo(&window));
  });
}

// Open File takes the tabs' path into image mode: a camera-mode layout ends
// on the way, so the image view does not stay in its split or inset role.
TEST_F(MainWindowTest, OpenFileFromALayoutEndsTheLayout) {
  for (int layout : {command::kSplitScreen, command::kPictureInPicture}) {
    Run([&](CVyr3Dlg& window) {
      Command(window, layout);
      ASSERT_NE(window.CurrentArrangement(), Arrangement::Normal);
      files.fileAnswers.push_back(std::string("/x/page.bmp"));
      Command(window, command::kOpenFile);
      EXPECT_EQ(window.Mode(), ViewMode::Image);
      EXPECT_EQ(window.CurrentArrangement(), Arrangement::Normal);
      EXPECT_TRUE(LogHasInOrder({"image.SetArrangement(Normal)", "image.SetMode(Image)"}));
      EXPECT_EQ(window.Children().image->geometry(), QRect(7, 85, 1024, 768));
      EXPECT_FALSE(window.Children().camera->isVisibleTo(&window));
    });
  }
}

TEST_F(MainWindowTest, AFailedLoadOrACancelLeavesTheModeAlone) {
  Run([&](CVyr3Dlg& window) {
    factory.image->loadResult = false;
    files.fileAnswers.push_back(std::string("/x/a.bmp"));
    Command(window, command::kOpenFile);
    files.fileAnswers.push_back(std::nullopt);
    Command(window, command::kOpenFile);
    EXPECT_EQ(window.Mode(), ViewMode::Camera);
    EXPECT_EQ(window.Bars().VisibleBar(), ViewMode::Camera);
  });
}

TEST_F(MainWindowTest, EnglishMainWindowUsesEnglishFilters) {
  WriteSettings("[QEL-3]\r\nLANGUAGE=1\r\n");
  Run([&](CVyr3Dlg& window) {
    Command(window, command::kModeImage);
    files.fileAnswers.push_back(std::string("/x/out.bmp"));
    Command(window, command::kSavePicture);
    ASSERT_EQ(files.fileRequests.size(), 1u);
    EXPECT_EQ(files.fileRequests[0].filter, "Image file (*.bmp)|*.bmp||");
    EXPECT_EQ(files.fileRequests[0].defaultExtension, "bmp");
    EXPECT_TRUE(files.fileRequests[0].overwritePrompt);
    EXPECT_TRUE(Logged("image.SaveAnnotatedImage(/x/out.bmp)"));
  });
}

TEST_F(MainWindowTest, RecordingSwapsRecordForStopAndDisablesTheOtherButtons) {
  Run([&](CVyr3Dlg& window) {
    files.fileAnswers.push_back(std::string("/videos/lesson.avi"));
    Command(window, command::kRecord);
    EXPECT_EQ(files.fileRequests.at(0).filter, "동영상 파일 (*.avi)|*.avi||");
    EXPECT_EQ(files.fileRequests.at(0).defaultExtension, "avi");
    EXPECT_TRUE(LogHasInOrder({"camera.StartRecording(/videos/lesson.avi)", "record.StartBlinking"}));
    EXPECT_FALSE(window.Bars().ButtonOfCommand(command::kRecord)->isVisibleTo(&window));
    EXPECT_TRUE(window.Bars().ButtonOfCommand(command::kStopRecording)->isVisibleTo(&window));
    EXPECT_EQ(window.Bars().ButtonOfCommand(command::kSettings)->look, ButtonLook::Disabled);
    EXPECT_FALSE(window.Children().tools->isVisibleTo(&window));
    // Named in the video folder's journal while it is written.
    const media::RecordingJournal journal(window.Settings().videoFolder);
    EXPECT_EQ(journal.Entries(), std::vector<std::string>{"/videos/lesson.avi"});

    log.clear();
    Command(window, command::kStopRecording);
    EXPECT_TRUE(journal.Entries().empty());
    EXPECT_TRUE(LogHasInOrder({"record.StopBlinking", "camera.StopRecording", "camera.SelectDevices(/dev/video9,hw:9)"}));
    EXPECT_TRUE(window.Bars().ButtonOfCommand(command::kRecord)->isVisibleTo(&window));
    EXPECT_FALSE(window.Bars().ButtonOfCommand(command::kStopRecording)->isVisibleTo(&window));
    EXPECT_EQ(window.Bars().ButtonOfCommand(command::kSettings)->look, ButtonLook::Normal);
    EXPECT_TRUE(window.Children().tools->isVisibleTo(&window));
  });
}

TEST_F(MainWindowTest, RecordingThatFailsOrIsCancelledChangesNothing) {
  Run([&](CVyr3Dlg& window) {
    factory.camera->recordingStarts = false;
    files.fileAnswers = {std::string("/v/a.avi"), std::nullopt, std::string("")};
    for (int i = 0; i < 3; ++i) Command(window, command::kRecord);
    EXPECT_FALSE(Logged("record.StartBlinking"));
    EXPECT_TRUE(media::RecordingJournal(window.Settings().videoFolder).Entries().empty());
    EXPECT_TRUE(window.Bars().ButtonOfCommand(command::kRecord)->isVisibleTo(&window));
  });
}

TEST_F(MainWindowTest, RecordAndStopRecordingActOnlyInCameraMode) {
  Run([&](CVyr3Dlg& window) {
    Command(window, command::kModeImage);
    log.clear();
    Command(window, command::kRecord);
    Command(window, command::kStopRecording);
    EXPECT_TRUE(files.fileRequests.empty());
    EXPECT_TRUE(log.empty());
  });
}

TEST_F(MainWindowTest, ResolutionPageByModelAndNewIndexAppliedOnOk) {
  const std::pair<int, SettingsPage> cases[] = {{2, SettingsPage::Resolution},
                                                {5, SettingsPage::ResolutionGroupB},
                                                {8, SettingsPage::ResolutionGroupC}};
  for (const auto& [model, page] : cases) {
    AttachCamera(model);
    settingsDialog.runs.clear();
    log.clear();
    Run([&, model = model](CVyr3Dlg& window) {
      factory.camera->resolutionIndex = 3;
      settingsDialog.steps.push_back({win::kResultOk, [](SettingsDialogState& state) { state.resolutionIndex = 1; }});
      log.clear();
      Command(window, command::kResolution);
      EXPECT_TRUE(LogHasInOrder({"camera.SetResolution(" + std::to_string(window.Model()) + ",1)",
                                 "camera.SelectDevices(/dev/video9,hw:9)"}))
          << model;
      settingsDialog.steps.push_back({win::kResultCancel, nullptr});
      log.clear();
      Command(window, command::kResolution);
      EXPECT_TRUE(log.empty());
    });
    ASSERT_GE(settingsDialog.runs.size(), 1u);
    EXPECT_EQ(settingsDialog.runs[0].page, page) << model;
    EXPECT_EQ(settingsDialog.runs[0].resolutionIndex, 3);
  }
}

TEST_F(MainWindowTest, SettingsPageWritesOnlyChangedFolders) {
  Run([&](CVyr3Dlg& window) {
    const std::string videoBefore = window.Settings().videoFolder;
    settingsDialog.steps.push_back({win::kResultOk, [](SettingsDialogState& state) { state.text1 = "/srv/pictures"; }});
    Command(window, command::kSettings);
    EXPECT_EQ(window.Settings().imageFolder, "/srv/pictures");
    EXPECT_EQ(window.Settings().videoFolder, videoBefore);
    EXPECT_EQ(Setting("ImageFolder"), "/srv/pictures");
    EXPECT_EQ(settingsDialog.runs.at(0).page, SettingsPage::Settings);
  });
}

TEST_F(MainWindowTest, PaletteCommandTogglesThePaletteAndItsFlag) {
  Run([&](CVyr3Dlg& window) {
    Command(window, command::kPalette);
    EXPECT_FALSE(window.PaletteEnabled());
    EXPECT_FALSE(window.Children().tools->isVisibleTo(&window));
    Command(window, command::kModeImage);  // image mode shows it regardless
    EXPECT_TRUE(window.Children().tools->isVisibleTo(&window));
    Command(window, command::kModeCamera);
    EXPECT_FALSE(window.Children().tools->isVisibleTo(&window));
    Command(window, command::kPalette);
    EXPECT_TRUE(window.PaletteEnabled());
    EXPECT_TRUE(window.Children().tools->isVisibleTo(&window));
    EXPECT_EQ(factory.tools->set, ToolSet::Camera);
  });
}

TEST_F(MainWindowTest, FocusAndPauseCommandsReachTheCameraView) {
  Run([&](CVyr3Dlg& window) {
    auto* manual = window.Bars().ButtonOfCommand(command::kManualFocus);
    ASSERT_NE(manual, nullptr);
    EXPECT_EQ(manual->toggle, 1);
    manual->toggleState = ToggleState::On;
    Command(window, command::kAutoFocus);
    EXPECT_EQ(manual->toggleState, ToggleState::Off);
    Command(window, command::kManualFocus);
    Command(window, command::kPause);
    EXPECT_TRUE(LogHasInOrder({"camera.AutoFocus", "camera.ToggleFocusPopup", "camera.TogglePause"}));
  });
}

TEST_F(MainWindowTest, SaveFrameAsksForAFileOnlyWhenThereIsAFrame) {
  Run([&](CVyr3Dlg& window) {
    files.fileAnswers.push_back(std::string("/x/frame.bmp"));
    Command(window, command::kSaveFrame);
    EXPECT_TRUE(LogHasInOrder({"camera.TakeAnnotatedSnapshot", "camera.SaveBitmapFile(/x/frame.bmp,64x48)"}));
    factory.camera->snapshotWidth = 0;
    Command(window, command::kSaveFrame);
    EXPECT_EQ(files.fileRequests.size(), 1u);
  });
}

TEST_F(MainWindowTest, ReadingCommands) {
  Run([&](CVyr3Dlg& window) {
    Command(window, command::kModeReading);
    log.clear();
    Command(window, command::kRecognise);
    EXPECT_TRUE(Logged("reading.Recognise(64x48)"));  // the picture the image view shows

    files.fileAnswers.push_back(std::string("/music/song.mp3"));
    Command(window, command::kBackgroundMusic);
    files.fileAnswers.push_back(std::nullopt);
    Command(window, command::kBackgroundMusic);
    EXPECT_TRUE(LogHasInOrder({"reading.SetBackgroundMusic(/music/song.mp3)", "reading.Refresh",
                               "reading.SetBackgroundMusic()", "reading.Refresh"}));
    EXPECT_EQ(files.fileRequests.at(0).filter, "배경음악 파일 (mp3, wav)|*.mp3;*.wav||");

    files.fileAnswers.push_back(std::nullopt);
    Command(window, command::kOpenLearningFile);
    EXPECT_EQ(files.fileRequests.back().filter, "QEL Learning File (*.qel)|*.qel||");
    EXPECT_EQ(log.back(), "reading.Refresh");

    Command(window, command::kBlind);
    Command(window, command::kPanelView);
    EXPECT_TRUE(LogHasInOrder({"image.AddBlind(0,0,0,0)", "reading.ToggleView"}));
  });
}

TEST_F(MainWindowTest, UserDictionaryIsWrittenForTheChosenLanguageAndRegistered) {
  Run([&](CVyr3Dlg& window) {
    factory.reading->language = 1;
    settingsDialog.steps.push_back({win::kResultOk, [](SettingsDialogState& state) {
                                      state.dictionaryLanguage = 0;
                                      state.dictionaryText = "학교 학꾜\r\n";
                                    }});
    Command(window, command::kUserDictionary);
    const auto& run = settingsDialog.runs.at(0);
    EXPECT_EQ(run.page, SettingsPage::Dictionary);
    EXPECT_EQ(run.dictionaryLanguage, 1);
    EXPECT_EQ(run.text1, ProgramFolder() + "/user.dic");
    EXPECT_EQ(run.text2, ProgramFolder() + "/userE.dic");
    EXPECT_EQ(sys::ReadFileBytes(ProgramFolder() + "/user.dic", 1024).bytes, "학교 학꾜\r\n");
    EXPECT_TRUE(LogHasInOrder({"reading.RegisterUserDictionary(" + ProgramFolder() + "/user.dic)", "reading.Refresh"}));
  });
}

TEST_F(MainWindowTest, FrameToImageKeepsThePickedFrame) {
  Run([&](CVyr3Dlg& window) {
    Command(window, command::kModeMovie);
    factory.movie->state = movie::PlaybackState::Playing;
    log.clear();
    Command(window, command::kFrameToImage);
    EXPECT_EQ(window.Mode(), ViewMode::Image);
    EXPECT_TRUE(LogHasInOrder({"movie.GrabMovieFrame", "movie.StopMovie", "image.SetImage(32x24)", "image.SetMode(Image)",
                               "tabs.SelectTabOf(Image)"}));
    // The rewound movie is not grabbed a second time over the picked frame.
    EXPECT_FALSE(Logged("image.SetImage(1x1)"));
    EXPECT_EQ(std::count(log.begin(), log.end(), "movie.GrabMovieFrame"), 1);
  });
}

TEST_F(MainWindowTest, FrameToImageWithoutAFrameStaysInMovieMode) {
  Run([&](CVyr3Dlg& window) {
    Command(window, command::kModeMovie);
    factory.movie->frameWidth = 0;
    Command(window, command::kFrameToImage);
    EXPECT_EQ(window.Mode(), ViewMode::Movie);
  });
}

TEST_F(MainWindowTest, CameraToolsActOnlyWhileTheCameraViewIsVisible) {
  Run([&](CVyr3Dlg& window) {
    for (int id = command::kCameraNegative; id <= command::kCameraRotate; ++id) Command(window, id);
    EXPECT_TRUE(LogHasInOrder({"camera.ToggleNegative", "camera.ToggleBlackWhite", "camera.ToggleMirror",
                               "camera.ToggleFlip", "camera.RotateQuarter"}));
    Command(window, command::kModeImage);
    log.clear();
    for (int id = command::kCameraNegative; id <= command::kCameraRotate; ++id) Command(window, id);
    EXPECT_TRUE(log.empty());
  });
}

TEST_F(MainWindowTest, ImageToolsSetAToolOnlyWhenItDiffers) {
  Run([&](CVyr3Dlg& window) {
    Command(window, command::kPen);  // camera mode: image view hidden
    Command(window, command::kModeImage);
    log.clear();
    Command(window, command::kPen);  // already the pen
    Command(window, command::kHighlighter);
    Command(window, command::kEraser);
    Command(window, command::kEraseAll);
    Command(window, command::kColour);  // from a long press on the picture: the palette opens its picker
    for (int id = command::kImageNegative; id <= command::kImageRotate; ++id) Command(window, id);
    EXPECT_EQ(log, (CallLog{"image.SetCurrentTool(1)", "image.SetCurrentTool(2)", "image.EraseAll",
                            "tools.OpenPicker(1536)", "image.ToggleNegative",
                            "image.ToggleBlackWhite", "image.ToggleMirror", "image.ToggleFlip", "image.RotateQuarter"}));
  });
}

TEST_F(MainWindowTest, ControlBarCommandsFollowTheMode) {
  Run([&](CVyr3Dlg& window) {
    log.clear();
    Command(window, command::kPlay);  // camera mode: ignored
    Command(window, command::kReading);
    EXPECT_TRUE(log.empty());

    Command(window, command::kModeMovie);
    log.clear();
    for (int id = command::kPlay; id <= command::kRepeat; ++id) Command(window, id);
    EXPECT_EQ(log, (CallLog{"movie.Play", "movie.TogglePauseMovie", "movie.StopMovie", "movie.SkipBack",
                            "movie.SkipForward"}));

    Command(window, command::kModeReading);
    log.clear();
    for (int id = command::kPlay; id <= command::kRepeat; ++id) Command(window, id);
    EXPECT_EQ(log, (CallLog{"reading.Reading(0)", "reading.PauseOrResume", "reading.Stop", "reading.ToggleRepeat"}));
  });
}

// The panel plays voice books and renames them through the main window.
TEST_F(MainWindowTest, ThePanelsVoiceBooksLoadAndAreRenamedThroughTheMainWindow) {
  Run([&](CVyr3Dlg& window) {
    Command(window, command::kModeReading);
    const auto& services = factory.reading->services;
    ASSERT_TRUE(services.loadBook && services.askNewName);
    const std::string book = ProgramFolder() + "/lesson.qel";
    const gdi::PackedDib picture = TestPicture(8, 6);
    ASSERT_TRUE(reading::WriteLearningFile(book, {{1, 2, 3, 4}, {{5, 6, 7, 8}}, "Page one.", "", &picture}));
    log.clear();
    EXPECT_TRUE(services.loadBook(book));
    EXPECT_EQ(log, (CallLog{"image.RemoveAllBlinds", "image.AddBlind(5,6,7,8)", "reading.SetText(Page one.)",
                            "image.SetImage(8x6)"}));
    EXPECT_EQ(factory.image->selection, (gdi::Rect{1, 2, 3, 4}));

    settingsDialog.steps.push_back({win::kResultOk, [](SettingsDialogState& state) { state.text1 = "lesson two"; }});
    EXPECT_EQ(services.askNewName("lesson"), "lesson two");
    EXPECT_EQ(settingsDialog.runs.at(0).page, SettingsPage::Rename);
    EXPECT_EQ(settingsDialog.runs.at(0).text1, "lesson");
    EXPECT_EQ(services.askNewName("lesson"), std::nullopt);  // cancelled

    // The Reading command goes to the panel, which picks the book itself.
    factory.reading->view = reading::ReadingView::List;
    log.clear();
    Command(window, command::kReading);
    EXPECT_EQ(log, (CallLog{"reading.Reading(0)"}));
  });
}

TEST_F(MainWindowTest, UndoAndRedoButtonsFollowAvailabilityOnlyInImageMode) {
  Run([&](CVyr3Dlg& window) {
    auto* undo = window.Bars().ButtonOfCommand(command::kUndo);
    auto* redo = window.Bars().ButtonOfCommand(command::kRedo);
    Command(window, command::kModeImage);
    EXPECT_EQ(undo->look, ButtonLook::Disabled);
    EXPECT_EQ(redo->look, ButtonLook::Disabled);
    Command(window, command::kUndoPossible);
    Command(window, command::kRedoPossible);
    EXPECT_EQ(undo->look, ButtonLook::Normal);
    EXPECT_EQ(redo->look, ButtonLook::Normal);
    Command(window, command::kNothingToRedo);
    EXPECT_EQ(redo->look, ButtonLook::Disabled);
    EXPECT_EQ(undo->look, ButtonLook::Normal);
    // Outside image mode the reports change nothing.
    Command(window, command::kModeReading);
    Command(window, command::kNothingToUndo);
    Command(window, command::kRedoPossible);
    EXPECT_EQ(undo->look, ButtonLook::Normal);
    EXPECT_EQ(redo->look, ButtonLook::Disabled);
  });
}

TEST_F(MainWindowTest, MaximiseAndRestoreSwapTheirButtonsAndTheSizingCorner) {
  Run([&](CVyr3Dlg& window) {
    const QPoint corner(window.width() - 3, window.height() - 3);
    EXPECT_EQ(window.HitTestAt(QPoint(500, 10)), win::HitTest::Caption);
    EXPECT_EQ(window.HitTestAt(corner), win::HitTest::BottomRight);
    EXPECT_EQ(window.HitTestAt(QPoint(500, 400)), win::HitTest::Client);
    Command(window, command::kMaximise);
    EXPECT_TRUE(window.TitleButton(TitleButtonId::Restore)->isVisibleTo(&window));
    EXPECT_FALSE(window.TitleButton(TitleButtonId::Maximise)->isVisibleTo(&window));
    EXPECT_EQ(window.HitTestAt(QPoint(window.width() - 3, window.height() - 3)), win::HitTest::Client);
    Command(window, command::kRestore);
    EXPECT_TRUE(window.TitleButton(TitleButtonId::Maximise)->isVisibleTo(&window));
    EXPECT_FALSE(window.TitleButton(TitleButtonId::Restore)->isVisibleTo(&window));
  });
}

TEST_F(MainWindowTest, CloseEndsWithResultEightAndUnknownCommandsAreIgnored) {
  const int result = Run([&](CVyr3Dlg& window) {
    log.clear();
    Command(window, 1133);
    Command(window, 9999);
    EXPECT_TRUE(log.empty());
    Command(window, command::kClose);
  });
  EXPECT_EQ(result, win::kResultClose);
}

TEST_F(MainWindowTest, ArCommandsGoToTheArView) {
  Run([&](CVyr3Dlg& window) {
    log.clear();
    Command(window, 1095);
    Command(window, 1110);
    EXPECT_EQ(log, (CallLog{"ar.OnBarCommand(1095)", "ar.OnBarCommand(1110)"}));
  });
}

}  // namespace
}  // namespace orvilo::shell::testing
