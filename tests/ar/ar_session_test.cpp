#include "ar/ar_session.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

#include <deque>
#include <set>

#include "tests/ar/ar_folder.h"

namespace orvilo::ar {
namespace {

using testing::ArFolder;
using Log = std::vector<std::string>;

// Records what the session asks of its window; viewers are live while in
// `liveViewers`, and the picker answers from a script (Cancel when empty).
class RecordingHost : public ArSessionHost {
 public:
  Log log;
  std::set<std::int64_t> liveViewers;
  std::deque<std::optional<Chapter>> picks;
  std::vector<Chapter> presets;
  std::string captionFormat;
  std::string loadedPicture;

  bool IsViewerWindow(std::int64_t handle) override { return liveViewers.count(handle) != 0; }
  std::optional<std::intptr_t> SendToViewer(std::int64_t handle, std::uint32_t number, std::uintptr_t wParam,
                                            std::intptr_t lParam) override {
    log.push_back("send " + std::to_string(handle) + " " + std::to_string(number) + " " +
                  std::to_string(static_cast<std::intptr_t>(wParam)) + " " + std::to_string(lParam));
    return 1;
  }
  void ShowViewer(std::int64_t handle) override { log.push_back("show " + std::to_string(handle)); }
  void ForgetViewer(std::int64_t handle) override { log.push_back("forget " + std::to_string(handle)); }
  std::int64_t OwnHandle() override { return 4242; }
  bool StartViewer(const ViewerLaunch& launch) override {
    log.push_back("start " + launch.CommandLine());
    return true;
  }
  void Pause(int milliseconds) override { log.push_back("pause " + std::to_string(milliseconds)); }
  void SetBusy(bool busy) override { log.push_back(busy ? "busy" : "idle"); }
  int ClientWidth() override { return 1024; }
  int ClientHeight() override { return 700; }
  bool LoadPicture(const std::string& path) override {
    loadedPicture = path.substr(path.rfind('/') + 1);
    log.push_back("picture " + loadedPicture);
    return true;
  }
  void ClearPicture() override { log.push_back("clear picture"); }
  void Repaint() override { log.push_back("repaint"); }
  std::optional<Chapter> PickChapter(int grade, Chapter preset) override {
    presets.push_back(preset);
    log.push_back("pick " + std::to_string(grade));
    if (picks.empty()) return std::nullopt;
    const auto pick = picks.front();
    picks.pop_front();
    return pick;
  }
  std::string CaptionFormat() override { return captionFormat; }
  void ShowUnitCaption(int marker, const std::string& caption) override {
    log.push_back("caption " + std::to_string(marker) + " " + caption);
  }
  void SetButtonDisabled(int commandId, bool disabled) override {
    log.push_back(std::to_string(commandId) + (disabled ? " disabled" : " normal"));
  }
};

class ArSessionTest : public ::testing::Test {
 protected:
  ArSessionTest() : session(ArContent(folder.program()), host) {
    folder.WriteDescription(
        "[AR]\r\nIMAGE=title.png\r\n"
        "[GRADE03]\r\nIMAGE=grade3.png\r\nSEMESTER1=3\r\nSEMESTER2=2\r\nMARKER11=2\r\nMARKER21=5\r\n"
        "[GRADE04]\r\nIMAGE=grade4.png\r\nSEMESTER1=1\r\n");
    for (const char* name : {"title.png", "grade3.png", "grade4.png"}) folder.AddPicture(name);
  }

  // A live viewer 77 registered.
  void Register(std::int64_t viewer = 77) {
    host.liveViewers.insert(viewer);
    EXPECT_EQ(session.OnViewerMessage(viewer_message::kRegister, static_cast<std::uintptr_t>(viewer), 0), 1);
    host.log.clear();
  }

  Log Commands(std::initializer_list<int> ids) {
    host.log.clear();
    for (int id : ids) session.OnBarCommand(id);
    return host.log;
  }

  ArFolder folder;
  RecordingHost host;
  ArSession session;
};

TEST_F(ArSessionTest, RegisteringStoresTheViewerSendsTheSizeAndShowsIt) {
  host.liveViewers.insert(77);
  EXPECT_EQ(session.OnViewerMessage(viewer_message::kRegister, 77, 0), 1);
  EXPECT_EQ(host.log, (Log{"send 77 5027 0 " + std::to_string(1024 | (700 << 16)), "show 77"}));
  EXPECT_EQ(session.Viewer(), 77);
  EXPECT_EQ(session.OnViewerMessage(viewer_message::kAcknowledge, 0, 0), 1);
  EXPECT_EQ(session.OnViewerMessage(4711, 0, 0), 0);
}

TEST_F(ArSessionTest, RegisteringHandleZeroStoresNothing) {
  EXPECT_EQ(session.OnViewerMessage(viewer_message::kRegister, 0, 0), 0);
  EXPECT_FALSE(session.HasViewer());
  EXPECT_TRUE(host.log.empty());
}

TEST_F(ArSessionTest, ASecondViewerReplacesTheFirst) {
  Register(77);
  host.liveViewers.insert(88);
  EXPECT_EQ(session.OnViewerMessage(viewer_message::kRegister, 88, 0), 1);
  EXPECT_EQ(host.log.front(), "forget 77");
  EXPECT_EQ(session.Viewer(), 88);
  EXPECT_EQ(Commands({ar_command::kTenth}), (Log{"send 88 5037 0 0"}));
}

TEST_F(ArSessionTest, ZoomInFromTheDefaultToTheTopDisablesZoomIn) {
  Register();
  EXPECT_EQ(Commands({ar_command::kZoomIn}), (Log{"send 77 5032 110 0", "1097 normal"}));
  for (int i = 0; i < 20; ++i) session.OnBarCommand(ar_command::kZoomIn);
  EXPECT_EQ(session.ZoomStep(), 30);
  EXPECT_EQ(Commands({ar_command::kZoomIn}), (Log{"send 77 5032 103 0", "1095 disabled", "1097 normal"}));
  EXPECT_EQ(session.ZoomStep(), 31);
}

TEST_F(ArSessionTest, ZoomOutBackToTheDefaultSendsZeroAndToTheBottomDisablesZoomOut) {
  Register();
  session.OnBarCommand(ar_command::kZoomIn);  // step 10
  EXPECT_EQ(Commands({ar_command::kZoomOut}), (Log{"send 77 5032 0 0", "1095 normal"}));
  EXPECT_EQ(session.ZoomStep(), 9);
  for (int i = 0; i < 7; ++i) session.OnBarCommand(ar_command::kZoomOut);
  EXPECT_EQ(Commands({ar_command::kZoomOut}), (Log{"send 77 5032 66 0", "1097 disabled", "1095 normal"}));
  EXPECT_EQ(session.ZoomStep(), 1);
  // Beyond the end nothing is sent; the button stays disabled.
  EXPECT_EQ(Commands({ar_command::kZoomOut}), (Log{"1097 disabled", "1095 normal"}));
}

TEST_F(ArSessionTest, ResetZoomGoesBackToStepNineAndEnablesBothButtons) {
  Register();
  session.OnBarCommand(ar_command::kZoomIn);
  EXPECT_EQ(Commands({ar_command::kResetZoom}), (Log{"send 77 5032 0 0", "1095 normal", "1097 normal"}));
  EXPECT_EQ(session.ZoomStep(), 9);
}

TEST_F(ArSessionTest, WithoutAViewerZoomOnlyDisablesItselfAndRotationDoesNothing) {
  EXPECT_EQ(Commands({ar_command::kZoomIn}), (Log{"1095 disabled", "1097 normal"}));
  EXPECT_EQ(Commands({ar_command::kZoomOut}), (Log{"1097 disabled", "1095 normal"}));
  EXPECT_EQ(Commands({ar_command::kResetZoom}), (Log{"1095 normal", "1097 normal"}));
  EXPECT_TRUE(Commands({ar_command::kAxis1Plus, ar_command::kAxis1Reset, ar_command::kAxis2Minus,
                        ar_command::kAxis2Reset, ar_command::kTenth})
                  .empty());
  EXPECT_EQ(session.ZoomStep(), 9);
  EXPECT_EQ(session.Angle1(), 0);
}

TEST_F(ArSessionTest, RotationSendsTheStepAndTracksTheAngle) {
  Register();
  EXPECT_EQ(Commands({ar_command::kAxis1Minus, ar_command::kAxis2Plus, ar_command::kAxis2Plus}),
            (Log{"send 77 5033 -15 0", "send 77 5036 15 0", "send 77 5036 15 0"}));
  EXPECT_EQ(session.Angle1(), -15);
  EXPECT_EQ(session.Angle2(), 30);
  session.OnBarCommand(ar_command::kAxis1Plus);
  EXPECT_EQ(session.Angle1(), 0);
  for (int i = 0; i < 22; ++i) session.OnBarCommand(ar_command::kAxis2Plus);
  EXPECT_EQ(session.Angle2(), 0);  // 24 turns of 15 degrees
  session.OnBarCommand(ar_command::kAxis2Plus);
  EXPECT_EQ(Commands({ar_command::kAxis2Reset, ar_command::kAxis1Reset, ar_command::kTenth}),
            (Log{"send 77 5036 0 0", "send 77 5033 0 0", "send 77 5037 0 0"}));
  EXPECT_EQ(session.Angle2(), 0);
}

TEST_F(ArSessionTest, ADeadViewerIsClosedWithoutAMessage) {
  Register();
  host.liveViewers.clear();
  EXPECT_TRUE(Commands({ar_command::kAxis1Plus}).empty());
  host.log.clear();
  EXPECT_TRUE(session.CloseViewer());
  EXPECT_EQ(host.log, (Log{"busy", "forget 77", "idle"}));
  EXPECT_FALSE(session.HasViewer());
  EXPECT_FALSE(session.CloseViewer());
}

TEST_F(ArSessionTest, ClosingALiveViewerSendsClose) {
  Register();
  EXPECT_TRUE(session.CloseViewer());
  EXPECT_EQ(host.log, (Log{"busy", "send 77 5026 0 0", "forget 77", "idle"}));
}

TEST_F(ArSessionTest, ResizingTellsALiveViewerItsSize) {
  session.OnResized();
  EXPECT_TRUE(host.log.empty());
  Register();
  session.OnResized();
  EXPECT_EQ(host.log, (Log{"send 77 5027 0 " + std::to_string(1024 | (700 << 16))}));
}

TEST_F(ArSessionTest, ChoosingAGradeShowsItsPictureRunsThePickerAndLaunchesTheUnit) {
  folder.AddViewer(3, 1, 1);
  host.picks.push_back(Chapter{1, 1});
  EXPECT_EQ(Commands({1107}), (Log{"picture grade3.png", "repaint", "pick 3", "caption 2 3 학년 1 학기 1 단원",
                                    "start \"" + folder.ar("3/1/1/ARViewer.exe") + "\" 4242"}));
  EXPECT_EQ(host.presets, (std::vector<Chapter>{{1, 1}}));
  EXPECT_EQ(session.ChosenGrade(), 3);
  EXPECT_EQ(session.PictureGrade(), 3);
}

TEST_F(ArSessionTest, CancellingThePickerGoesBackToTheDefaultPicture) {
  EXPECT_EQ(Commands({1107}), (Log{"picture grade3.png", "repaint", "pick 3", "picture title.png", "repaint"}));
  EXPECT_EQ(session.PictureGrade(), 0);
  EXPECT_EQ(session.ChosenGrade(), 0);
}

TEST_F(ArSessionTest, TheSameGradeAgainPresetsTheLastUnitAnotherGradeUnitOne) {
  host.picks = {Chapter{2, 1}, std::nullopt, std::nullopt};
  session.ChooseGrade(3);
  session.ChooseGrade(3);
  session.ChooseGrade(4);
  EXPECT_EQ(host.presets, (std::vector<Chapter>{{1, 1}, {2, 1}, {1, 1}}));
}

TEST_F(ArSessionTest, AMissingMarkerKeepsTheCaption) {
  host.picks.push_back(Chapter{1, 2});  // no MARKER12
  session.ChooseGrade(3);
  for (const std::string& entry : host.log) EXPECT_EQ(entry.find("caption"), std::string::npos) << entry;
  EXPECT_EQ(session.ChosenChapter(), (Chapter{1, 2}));
}

TEST_F(ArSessionTest, TheCaptionFollowsArInfo) {
  host.captionFormat = "G%d S%d U%02d";
  host.picks.push_back(Chapter{2, 1});
  session.ChooseGrade(3);
  EXPECT_NE(std::find(host.log.begin(), host.log.end(), "caption 5 G3 S2 U01"), host.log.end());
}

TEST_F(ArSessionTest, ARunningViewerIsClosedAndGivenTimeBeforeTheNextLaunch) {
  folder.AddViewer(3, 1, 2);
  Register();
  host.picks.push_back(Chapter{1, 2});
  EXPECT_EQ(Commands({1107}), (Log{"picture grade3.png", "repaint", "pick 3", "busy", "send 77 5026 0 0", "forget 77",
                                    "idle", "pause 300", "start \"" + folder.ar("3/1/2/ARViewer.exe") + "\" 4242"}));
}

TEST_F(ArSessionTest, AUnitWithoutViewerLaunchesNothing) {
  host.picks.push_back(Chapter{2, 2});
  session.ChooseGrade(3);
  for (const std::string& entry : host.log) EXPECT_NE(entry.rfind("start", 0), 0u) << entry;
  EXPECT_EQ(session.ChosenChapter(), (Chapter{2, 2}));
}

TEST_F(ArSessionTest, AGradeWithoutPictureLoadsItAgainAtLaunch) {
  folder.WriteDescription("[AR]\r\nIMAGE=title.png\r\n[GRADE05]\r\nSEMESTER1=1\r\n");
  session.ShowPicture(0);
  host.picks.push_back(Chapter{1, 1});
  host.log.clear();
  session.ChooseGrade(5);
  EXPECT_EQ(host.log, (Log{"pick 5", "clear picture"}));
}

TEST(ViewerLaunch, CommandLineQuotesThePathAndAppendsTheHandle) {
  EXPECT_EQ((ViewerLaunch{"/opt/my \"AR\" units/3/1/1/ARViewer.exe", -12}).CommandLine(),
            "\"/opt/my \"AR\" units/3/1/1/ARViewer.exe\" -12");
  EXPECT_EQ((ViewerLaunch{"/a", 70000}).HandleArgument(), "70000");
}

}  // namespace
}  // namespace orvilo::ar
