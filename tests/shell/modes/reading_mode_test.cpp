#include "shell/modes/reading_mode.h"

#include <QFile>
#include <cstring>
#include <fstream>

#include "core/command_ids.h"
#include "mode_fixture.h"
#include "platform/sys/file_io.h"
#include "reading/learning_file.h"
#include "tests/platform/sys/child_process.h"
#include "ui/picker_popup.h"

namespace orvilo::shell::testing {
namespace {

class ReadingModeTest : public ModeTest {
 protected:
  std::string PathOf(const std::string& name) const { return folder.path().toStdString() + "/" + name; }
  std::string Bytes(const std::string& path) const { return sys::ReadFileBytes(path, 1 << 24).bytes; }
  void WriteBytes(const std::string& path, const std::string& bytes) const {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  // Opens `path` with command 1075 and returns what it did.
  CallLog Open(const std::string& path) {
    host.fileAnswers.push_back(path);
    log.clear();
    mode.OnCommand(command::kOpenLearningFile);
    return log;
  }

  ReadingMode mode{Context()};
};

using Problem = reading::ReadingPanel::FileProblem;

// A page written by the program reopens as it was: selection, blinds in
// their order, text, music and the very picture bytes.
TEST_F(ReadingModeTest, ASavedPageOpensAgainAsItWas) {
  auto* image = Give<RecordingImageView>(children.image);
  auto* panel = Give<RecordingReadingPanel>(children.reading);
  image->source = TestPicture(40, 30);
  image->source.Row(3)[5] = 0x7F;
  image->selection = {10, 20, 200, 120};
  image->blinds = {{0, 0, 100, 50}, {300, 400, 500, 600}};
  panel->text = "첫째 줄.\r\nSecond line.";
  panel->music = "/music/bgm.mp3";
  const std::string path = PathOf("lesson.qel");
  host.fileAnswers.push_back(path);
  mode.OnCommand(command::kSaveLearningFile);
  EXPECT_EQ(log, (CallLog{"host.RunFileDialog(1," + Text(FileFilter::LearningFile) + ",qel)",
                          "reading.AddVoiceBook(" + path + ")"}));
  const gdi::PackedDib saved = image->source.Clone();

  image->source = TestPicture(2, 2);
  image->selection = {};
  panel->text.clear();
  EXPECT_EQ(Open(path), (CallLog{"host.RunFileDialog(0," + Text(FileFilter::LearningFile) + ",)", "image.RemoveAllBlinds",
                                 "image.AddBlind(0,0,100,50)", "image.AddBlind(300,400,500,600)",
                                 "reading.SetText(첫째 줄.\r\nSecond line.)", "reading.SetBackgroundMusic(/music/bgm.mp3)",
                                 "image.SetImage(40x30)", "reading.Refresh"}));
  EXPECT_EQ(image->selection, (gdi::Rect{10, 20, 200, 120}));
  ASSERT_EQ(image->source.size(), saved.size());
  EXPECT_EQ(std::memcmp(image->source.data(), saved.data(), saved.size()), 0);
}

// A learning file written on a Windows machine keeps its text in CP949.
TEST_F(ReadingModeTest, AWindowsFileWithCp949TextOpensWithItsKoreanText) {
  Give<RecordingImageView>(children.image);
  auto* panel = Give<RecordingReadingPanel>(children.reading);
  const gdi::PackedDib picture = TestPicture(4, 4);
  std::string bytes = reading::SerialiseLearningFile({{}, {}, "", "", &picture});
  // "학교에 갑니다." in CP949 in place of the empty text (length T + 4).
  const std::string cp949 = "\xC7\xD0\xB1\xB3\xBF\xA1 \xB0\xA9\xB4\xCF\xB4\xD9.";
  const std::size_t textLength = 2 + 16 + 4;
  std::string length(4, '\0');
  length[0] = static_cast<char>(cp949.size() + 4);
  bytes.replace(textLength, 4, length);
  bytes.insert(textLength + 4, cp949);
  const std::string path = PathOf("windows.qel");
  WriteBytes(path, bytes);
  Open(path);
  EXPECT_EQ(panel->text, "학교에 갑니다.");
  EXPECT_TRUE(HasInOrder(log, {"image.SetImage(4x4)"}));
}

TEST_F(ReadingModeTest, AFileAskingForThousandsOfBlindsPlacesNoMoreThanAPageHolds) {
  Give<RecordingImageView>(children.image);
  Give<RecordingReadingPanel>(children.reading);
  const std::vector<gdi::Rect> blinds(5000, gdi::Rect{1, 2, 30, 40});
  const std::string path = PathOf("many.qel");
  WriteBytes(path, reading::SerialiseLearningFile({{}, blinds, "Text.", "", nullptr}));
  const CallLog calls = Open(path);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "image.AddBlind(1,2,30,40)"), 99);
}

struct LoadCase {
  const char* name;
  std::string bytes;  // empty: no such file
  CallLog calls;      // after the file dialog
  friend std::ostream& operator<<(std::ostream& out, const LoadCase& c) { return out << c.name; }
};

std::string FileWithMusic(const std::string& music, bool picture) {
  const gdi::PackedDib page = TestPicture(6, 4);
  return reading::SerialiseLearningFile({{1, 1, 5, 5}, {{1, 2, 3, 4}}, "Text.", music, picture ? &page : nullptr});
}

class LoadingALearningFile : public ReadingModeTest, public ::testing::WithParamInterface<LoadCase> {};

// What cannot be opened changes nothing; another magic clears the blinds
// only; no music keeps the current one; a file cut short loads what it has.
TEST_P(LoadingALearningFile, AppliesWhatTheFileHolds) {
  Give<RecordingImageView>(children.image);
  Give<RecordingReadingPanel>(children.reading);
  const std::string path = PathOf("case.qel");
  if (!GetParam().bytes.empty()) WriteBytes(path, GetParam().bytes);
  CallLog calls = Open(path);
  calls.erase(calls.begin());
  EXPECT_EQ(calls, GetParam().calls);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadingALearningFile,
    ::testing::Values(
        LoadCase{"Missing", "", {"reading.TellFileProblem(1)", "reading.Refresh"}},
        LoadCase{"OtherMagic",
                 "PK" + FileWithMusic("", true).substr(2),
                 {"image.RemoveAllBlinds", "reading.TellFileProblem(2)", "reading.Refresh"}},
        LoadCase{"NoMusicKeepsTheCurrent",
                 FileWithMusic("", true),
                 {"image.RemoveAllBlinds", "image.AddBlind(1,2,3,4)", "reading.SetText(Text.)", "image.SetImage(6x4)",
                  "reading.Refresh"}},
        LoadCase{"EndsInsideThePicture",
                 FileWithMusic("/a.wav", true).substr(0, FileWithMusic("/a.wav", true).size() - 10),
                 {"image.RemoveAllBlinds", "image.AddBlind(1,2,3,4)", "reading.SetText(Text.)",
                  "reading.SetBackgroundMusic(/a.wav)", "reading.Refresh"}},
        LoadCase{"EndsInsideTheBlinds",
                 FileWithMusic("", false).substr(0, 2 + 16 + 4 + 8),
                 {"image.RemoveAllBlinds", "reading.Refresh"}}),
    [](const auto& info) { return std::string(info.param.name); });

// A cancelled dialog adds nothing; a file that cannot be written is said
// and not listed.
TEST_F(ReadingModeTest, AnUnsavedPageIsNeitherListedNorPassedOffAsSaved) {
  Give<RecordingImageView>(children.image);
  Give<RecordingReadingPanel>(children.reading);
  mode.OnCommand(command::kSaveLearningFile);
  EXPECT_EQ(log, (CallLog{"host.RunFileDialog(1," + Text(FileFilter::LearningFile) + ",qel)"}));
  log.clear();
  host.fileAnswers.push_back(PathOf("no such folder/lesson.qel"));
  mode.OnCommand(command::kSaveLearningFile);
  EXPECT_EQ(log.back(), "reading.TellFileProblem(" + Text(Problem::LearningFileNotSaved) + ")");
  EXPECT_FALSE(HasInOrder(log, {"reading.AddVoiceBook(" + PathOf("no such folder/lesson.qel") + ")"}));
}

// A full disk while saving over an earlier lesson: the earlier file stays
// byte for byte, the teacher is told, and nothing is listed.
TEST_F(ReadingModeTest, AFullDiskLeavesTheEarlierFileAndSaysSo) {
  auto* image = Give<RecordingImageView>(children.image);
  auto* panel = Give<RecordingReadingPanel>(children.reading);
  const std::string path = PathOf("lesson.qel");
  panel->text = "earlier";
  host.fileAnswers.push_back(path);
  mode.OnCommand(command::kSaveLearningFile);
  const std::string before = Bytes(path);
  ASSERT_FALSE(before.empty());
  panel->text = "later";
  image->source = TestPicture(200, 200);
  host.fileAnswers.push_back(path);
  log.clear();
  const int told = orvilo::testing::RunInChild(orvilo::testing::Restriction::DiskFull, [&] {
    mode.OnCommand(command::kSaveLearningFile);
    return log.back() == "reading.TellFileProblem(" + Text(Problem::LearningFileNotSaved) + ")" ? 1 : 0;
  });
  EXPECT_EQ(told, 1);
  EXPECT_EQ(Bytes(path), before);
}

// The dictionary of the language chosen in the dialog is written (an empty
// text empties it) and registered; one that cannot be written is said.
TEST_F(ReadingModeTest, TheEditedDictionaryIsWrittenAndRegistered) {
  auto* panel = Give<RecordingReadingPanel>(children.reading);
  settings.userDicPath = PathOf("user.dic");
  settings.userEDicPath = PathOf("userE.dic");
  WriteBytes(settings.userDicPath, "old entries");
  panel->language = 1;
  host.settingsResult = 1;
  host.settingsEdit = [](SettingsDialogState& state) {
    state.dictionaryLanguage = 0;
    state.dictionaryText = "";
  };
  mode.OnCommand(command::kUserDictionary);
  ASSERT_EQ(host.settingsRuns.size(), 1u);
  EXPECT_EQ(host.settingsRuns[0].page, SettingsPage::Dictionary);
  EXPECT_EQ(host.settingsRuns[0].dictionaryLanguage, 1);
  EXPECT_EQ(Bytes(settings.userDicPath), "");
  EXPECT_TRUE(HasInOrder(log, {"reading.RegisterUserDictionary(" + settings.userDicPath + ")", "reading.Refresh"}));

  settings.userEDicPath = PathOf("missing folder/userE.dic");
  host.settingsEdit = [](SettingsDialogState& state) { state.dictionaryText = "NASA nasa\n"; };
  log.clear();
  mode.OnCommand(command::kUserDictionary);
  EXPECT_EQ(log, (CallLog{"host.RunSettingsDialog", "reading.TellFileProblem(" + Text(Problem::DictionaryNotSaved) + ")",
                          "reading.RegisterUserDictionary(" + settings.userEDicPath + ")", "reading.Refresh"}));
}

// The panel loads its voice books and asks for new names through the mode.
TEST_F(ReadingModeTest, ThePanelGetsItsDictionaryAndTheVoiceBookServices) {
  Give<RecordingImageView>(children.image);
  auto* panel = Give<RecordingReadingPanel>(children.reading);
  settings.userDicPath = "/dic/user.dic";
  mode.AttachPanel();
  EXPECT_EQ(log, (CallLog{"reading.RegisterUserDictionary(/dic/user.dic)"}));
  ASSERT_TRUE(panel->services.loadBook);
  EXPECT_FALSE(panel->services.loadBook(PathOf("none.qel")));
  host.settingsResult = 1;
  EXPECT_EQ(panel->services.askNewName("lesson"), "lesson");
  host.settingsResult = 2;
  EXPECT_EQ(panel->services.askNewName("lesson"), std::nullopt);
}

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
