// The editor window driven through its commands and the messages of a real
// playback into the WAVE-file output.
#include "speechutil/speech_editor_dlg.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QTimer>
#include <QSlider>
#include <QTextCursor>
#include <csignal>
#include <filesystem>
#include <fstream>

#include "platform/sys/file_io.h"
#include "platform/win/common_dialogs.h"
#include "platform/win/termination_requests.h"
#include "speechutil/about_dlg.h"
#include "speechutil/export_file_dialog.h"
#include "speechutil/message_boxes.h"
#include "tests/platform/audio/audio_test_support.h"
#include "tests/platform/sys/temporary_folder.h"

namespace orvilo::speechutil {
namespace {

using namespace editor_id;
using audio::testing::ScopedEnvironment;
using orvilo::testing::TemporaryFolder;

template <typename Condition>
bool ProcessUntil(Condition condition, int milliseconds = 20000) {
  QElapsedTimer timer;
  timer.start();
  while (!condition()) {
    if (timer.elapsed() > milliseconds) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

void ProcessFor(int milliseconds) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < milliseconds) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

QString Selected(QPlainTextEdit* editor) { return editor->textCursor().selectedText(); }

class SpeechEditorTest : public ::testing::Test {
 protected:
  SpeechEditorTest() : output_("ORVILO_AUDIO_OUT", "wav:" + (folder / "heard.wav")) {
    const char* names[] = {"KO_KR", "EN_US", "ZH_CN", "JA_JP"};
    for (std::size_t l = 0; l < 4; ++l) {
      settings.dbPaths[l] = std::string(ORVILO_PROGRAM_DIR) + "/Sonara_M_DB/" + names[l] + "/";
    }
    environment.startFolder = folder.path();
    environment.programFolder = ORVILO_PROGRAM_DIR;
    environment.version = "1.2.0.0";
    environment.logPath = folder / "Sonara_PC_App_M.txt";
  }
  std::unique_ptr<CSpeechEditorDlg> Open(InterfaceLanguage language = InterfaceLanguage::English) {
    environment.interfaceLanguage = language;
    auto dialog = std::make_unique<CSpeechEditorDlg>(settings, environment);
    dialog->show();
    return dialog;
  }
  int Statuses(std::intptr_t status) const {
    return static_cast<int>(std::count(statuses.begin(), statuses.end(), status));
  }

  TemporaryFolder folder;
  ScopedEnvironment output_;
  SonaraSettings settings;
  CSpeechEditorDlg::Environment environment;
  win::ScopedScriptedDialogs dialogs;
  ScopedRecordingMessageBoxes boxes;
  ScopedScriptedExportFileDialog exportDialog;
  std::vector<std::intptr_t> statuses;
};

TEST_F(SpeechEditorTest, StartsWithoutLanguageAndEverythingDisabled) {
  auto dialog = Open();
  EXPECT_EQ(dialog->windowTitle(), "Sonara_PC_App_M Ver 1.2.0.0");
  EXPECT_EQ(dialog->Language(), -1);
  for (const int id : {kPlay, kStop, kFile, kRepeat}) EXPECT_FALSE(dialog->IsControlEnabled(id)) << id;
  EXPECT_TRUE(dialog->MenuItem(kRate16K)->isChecked());
  EXPECT_EQ(dialog->MenuItem(kSpeakerFirst + 3)->text(), " 3 : Not Installed");
  EXPECT_FALSE(dialog->MenuItem(kSpeakerFirst + 3)->isEnabled());
  // A rate chosen before any language is refused, and its item does not stay checked.
  dialog->MenuItem(kRate8K)->trigger();
  EXPECT_EQ(settings.dbSampleRate, 16000);
  EXPECT_FALSE(dialog->MenuItem(kRate8K)->isChecked());
  EXPECT_TRUE(dialog->MenuItem(kRate16K)->isChecked());
  EXPECT_EQ(dialog->Slider(kSpeedSlider)->maximum(), 100);
  EXPECT_EQ(dialog->Slider(kVolumeSlider)->maximum(), 200);
  EXPECT_EQ(dialog->Slider(kPitchSlider)->tickInterval(), 4);
  // Play and export without a language do nothing.
  dialog->Editor()->setPlainText("Hello");
  dialog->SendCommand(kPlay);
  dialog->SendCommand(kFile);
  ProcessFor(100);
  EXPECT_FALSE(dialog->IsPlaying());
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(exportDialog.preselected.empty());
}

TEST_F(SpeechEditorTest, MenusFollowTheInterfaceLanguage) {
  struct Case {
    InterfaceLanguage language;
    QStringList menus;
  };
  const Case cases[] = {
      {InterfaceLanguage::English, {"&File", "&Edit", "&Language", "&Speaker", "&Tools"}},
      {InterfaceLanguage::Korean, {"파일(&F)", "편집(&E)", "언어(&L)", "화자(&S)", "도구(&T)"}},
      {InterfaceLanguage::Japanese, {"ファイル(&F)", "編集(&E)", "言語(&L)", "話者(&S)", "ツール(&T)"}},
      {InterfaceLanguage::Chinese, {"文件(&F)", "编辑(&E)", "语言(&L)", "发音人(&S)", "工具(&T)"}}};
  for (const Case& c : cases) {
    auto dialog = Open(c.language);
    QStringList menus;
    for (QAction* action : dialog->MenuBar()->actions()) menus << action->text();
    EXPECT_EQ(menus, c.menus);
    // The same command numbers in every language.
    EXPECT_EQ(dialog->MenuItem(kLanguageFirst)->text(), " 0 : KO-KR  ");
    EXPECT_NE(dialog->MenuItem(kSelectAll), nullptr);
    EXPECT_NE(dialog->MenuItem(kAbout), nullptr);
  }
  EXPECT_EQ(InterfaceLanguageOfLocale("ko_KR.UTF-8"), InterfaceLanguage::Korean);
  EXPECT_EQ(InterfaceLanguageOfLocale("ja_JP.UTF-8"), InterfaceLanguage::Japanese);
  EXPECT_EQ(InterfaceLanguageOfLocale("zh_CN"), InterfaceLanguage::Chinese);
  EXPECT_EQ(InterfaceLanguageOfLocale("kok_IN"), InterfaceLanguage::English);
  EXPECT_EQ(InterfaceLanguageOfLocale(nullptr), InterfaceLanguage::English);
}

TEST_F(SpeechEditorTest, LoadingALanguageFillsTheSpeakersAndSliders) {
  auto dialog = Open();
  dialog->SendCommand(kLanguageFirst + 0);
  EXPECT_EQ(dialog->Language(), 0);
  EXPECT_TRUE(dialog->MenuItem(kLanguageFirst)->isChecked());
  EXPECT_EQ(dialog->MenuItem(kSpeakerFirst)->text(), " 0 : Dasol          : 16000");
  EXPECT_TRUE(dialog->MenuItem(kSpeakerFirst)->isChecked());
  EXPECT_EQ(dialog->MenuItem(kSpeakerFirst + 1)->text(), " 1 : Not Installed");
  EXPECT_FALSE(dialog->MenuItem(kSpeakerFirst + 1)->isEnabled());
  EXPECT_EQ(dialog->Speaker(), 0);
  EXPECT_EQ(dialog->SpeakerPicture(), 145);
  EXPECT_TRUE(dialog->windowTitle().startsWith("Sonara_PC_App_M Ver 1.2.0.0 - [")) << dialog->windowTitle().toStdString();
  EXPECT_TRUE(dialog->windowTitle().endsWith(":0:Dasol:16000] - (16KHz)")) << dialog->windowTitle().toStdString();
  EXPECT_TRUE(dialog->IsControlEnabled(kPlay));
  EXPECT_TRUE(dialog->IsControlEnabled(kFile));
  EXPECT_TRUE(dialog->IsControlEnabled(kRepeat));
  EXPECT_FALSE(dialog->IsControlEnabled(kStop));
  // Engine defaults 100 %: speed in the middle, volume 100, pitch 20.
  EXPECT_EQ(dialog->Slider(kSpeedSlider)->value(), 50);
  EXPECT_EQ(dialog->Slider(kVolumeSlider)->value(), 100);
  EXPECT_EQ(dialog->Slider(kPitchSlider)->value(), 20);
  dialog->Slider(kSpeedSlider)->setValue(49);
  EXPECT_EQ(dialog->CurrentMarkup(), "<speed=\"99\"><volume=\"100\"><pitch=\"100\">");
  dialog->SendCommand(kInitialize);
  EXPECT_EQ(dialog->Slider(kSpeedSlider)->value(), 50);
  // 8K is offered once a language is loaded, and shown in the title.
  dialog->SendCommand(kRate8K);
  EXPECT_EQ(settings.dbSampleRate, 8000);
  EXPECT_TRUE(dialog->windowTitle().endsWith("(8KHz)"));
}

TEST_F(SpeechEditorTest, ARefusedLanguageKeepsThePreviousOneAndIsLogged) {
  settings.dbPaths[2] = folder / "no-such-database";
  auto dialog = Open();
  dialog->SendCommand(kLanguageFirst + 1);
  dialog->SendCommand(kLanguageFirst + 2);
  EXPECT_EQ(dialog->Language(), 1);
  EXPECT_TRUE(dialog->MenuItem(kLanguageFirst + 1)->isChecked());
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "2:STTS Engine Load Failed : (" + std::to_string(STTS_ERR_DATABASE) + ")");
  const std::string log = sys::ReadFileBytes(environment.logPath, 4096).bytes;
  EXPECT_NE(log.find("] : [2:STTS Engine Load Failed : ("), std::string::npos) << log;
}

// A selection is spoken word by word, each word selected as it sounds, and
// the played range is selected again at the end.
TEST_F(SpeechEditorTest, PlayingASelectionHighlightsItsWordsAndReselectsIt) {
  auto dialog = Open();
  dialog->SendCommand(kLanguageFirst + 0);
  QPlainTextEdit* editor = dialog->Editor();
  editor->setPlainText("첫 줄입니다.\n학교 school 가요 끝");
  QTextCursor cursor(editor->document());
  cursor.setPosition(8);   // "학교"
  cursor.setPosition(20, QTextCursor::KeepAnchor);  // ... "가요"
  editor->setTextCursor(cursor);
  ASSERT_EQ(Selected(editor), "학교 school 가요");
  QStringList highlights;
  QObject::connect(editor, &QPlainTextEdit::selectionChanged, [&] { highlights << Selected(editor); });
  dialog->SendCommand(kPlay);
  ASSERT_TRUE(ProcessUntil([&] { return dialog->IsControlEnabled(kStop); }));
  EXPECT_FALSE(dialog->IsControlEnabled(kPlay));
  EXPECT_FALSE(dialog->IsControlEnabled(kFile));
  ASSERT_TRUE(ProcessUntil([&] { return dialog->IsControlEnabled(kPlay) && !dialog->IsPlaying(); }));
  ProcessFor(50);
  EXPECT_EQ(Selected(editor), "학교 school 가요");
  highlights.removeDuplicates();
  // Each highlight runs from the end of the last one to the end of the word.
  EXPECT_EQ(highlights.mid(0, 3), (QStringList{"학교", " school", " 가요"})) << highlights.join("|").toStdString();
}

TEST_F(SpeechEditorTest, RepeatPlaysAgainUntilStopped) {
  auto dialog = Open();
  dialog->SendCommand(kLanguageFirst + 1);
  dialog->Editor()->setPlainText("Again.");
  dialog->SendCommand(kRepeat);
  EXPECT_TRUE(dialog->Repeat());
  dialog->SendCommand(kPlay);
  // The second round starts by itself once the first has been heard.
  ASSERT_TRUE(ProcessUntil([&] { return dialog->IsControlEnabled(kPlay); }, 20000));
  ASSERT_TRUE(ProcessUntil([&] { return dialog->IsControlEnabled(kStop); }, 5000)) << "no second round";
  dialog->SendCommand(kStop);
  ProcessFor(1500);
  EXPECT_FALSE(dialog->IsPlaying());
  EXPECT_TRUE(dialog->IsControlEnabled(kPlay));
  EXPECT_FALSE(dialog->IsControlEnabled(kStop));
  dialog->SendCommand(kRepeat);
  EXPECT_FALSE(dialog->Repeat());
}

TEST_F(SpeechEditorTest, EmptyTextAndMissingDeviceAreSaidClearly) {
  auto dialog = Open();
  dialog->SendCommand(kLanguageFirst + 1);
  dialog->SendCommand(kPlay);
  dialog->SendCommand(kFile);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0].text, "There is no text to speak.");
  EXPECT_EQ(boxes.shown[1].text, "There is no text to save as speech.");
  EXPECT_TRUE(exportDialog.preselected.empty());

  ScopedEnvironment noDevice("ORVILO_AUDIO_OUT", "alsa:no-such-device");
  dialog->Editor()->setPlainText("Nobody hears this.");
  dialog->SendCommand(kPlay);
  ASSERT_TRUE(ProcessUntil([&] { return boxes.shown.size() == 3; }));
  EXPECT_EQ(boxes.shown[2].caption, "Wave Out Device Open Error !");
  EXPECT_TRUE(dialog->IsControlEnabled(kPlay));
  EXPECT_EQ(dialog->Editor()->toPlainText(), "Nobody hears this.");
}

// Ten megabytes of text: speech starts at once and stops at once; the text
// stays as it was.
TEST_F(SpeechEditorTest, TenMegabytesOfTextPlayAndStop) {
  auto dialog = Open();
  dialog->SendCommand(kLanguageFirst + 0);
  QString text;
  const QString line = QString::fromUtf8("학교에서 teacher 가 책을 읽습니다.\n");
  text.reserve(10 * 1024 * 1024 / 2);
  while (text.size() * 2 < 10 * 1024 * 1024) text += line;
  dialog->Editor()->setPlainText(text);
  QElapsedTimer timer;
  timer.start();
  dialog->SendCommand(kPlay);
  ASSERT_TRUE(ProcessUntil([&] { return dialog->IsControlEnabled(kStop); }, 20000));
  const qint64 started = timer.elapsed();
  ASSERT_TRUE(ProcessUntil([&] { return Selected(dialog->Editor()).size() > 0; }, 10000));
  timer.restart();
  dialog->SendCommand(kStop);
  ASSERT_TRUE(ProcessUntil([&] { return dialog->IsControlEnabled(kPlay); }, 5000));
  const qint64 stopped = timer.elapsed();
  RecordProperty("started_ms", static_cast<int>(started));
  RecordProperty("stopped_ms", static_cast<int>(stopped));
  std::printf("10 MB: speaking after %lld ms, stopped after %lld ms\n", static_cast<long long>(started),
              static_cast<long long>(stopped));
  EXPECT_LT(stopped, 1000);
  EXPECT_EQ(dialog->Editor()->toPlainText(), text);
}

TEST_F(SpeechEditorTest, TextFilesOpenAndSaveAsUtf16) {
  auto dialog = Open();
  std::ofstream(folder / "in.txt", std::ios::binary) << std::string("\xFF\xFE\x5C\xD5\x0D\x00\x0A\x00\x41\x00", 10);
  dialogs.fileAnswers = {folder / "in.txt", folder / "notes", folder / "missing.txt"};
  dialog->SendCommand(kOpen);
  EXPECT_EQ(dialog->Editor()->toPlainText(), "한\nA");
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(dialogs.fileRequests[0].filter, "Text File(*.txt)|*.txt|All Files(*.*)|*.*||");
  dialog->SendCommand(kSaveMenu);
  EXPECT_EQ(dialogs.fileRequests[1].defaultExtension, "txt");
  EXPECT_TRUE(dialogs.fileRequests[1].overwritePrompt);
  EXPECT_EQ(sys::ReadFileBytes(folder / "notes.txt", 100).bytes,
            std::string("\xFF\xFE\x5C\xD5\x0D\x00\x0A\x00\x41\x00", 10));
  dialog->SendCommand(kOpen);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "Couldn't open file!");
  EXPECT_EQ(dialog->Editor()->toPlainText(), "한\nA");  // kept
}

TEST_F(SpeechEditorTest, ExportGetsThePatternsExtensionAndRemembersTheFormat) {
  auto dialog = Open();
  dialog->SendCommand(kLanguageFirst + 0);
  dialog->Editor()->setPlainText("학교에 갑니다.");
  exportDialog.answers = {ExportChoice{folder / "speech", 13}};
  dialog->SendCommand(kFile);
  ASSERT_EQ(exportDialog.preselected, std::vector<int>{1});
  EXPECT_EQ(settings.fileFormat, 13);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "TextToFile Success : (" + (folder / "speech.vox") + ")");
  EXPECT_GT(std::filesystem::file_size(folder / "speech.vox"), 1000u);

  // Into a folder that takes no files: a clear message, no file.
  const std::string locked = folder / "locked";
  std::filesystem::create_directory(locked);
  exportDialog.answers = {ExportChoice{locked + "/speech.wav", 5}};
  if (geteuid() != 0) {
    chmod(locked.c_str(), 0555);
  } else {
    // Root writes anywhere: a folder that is in fact a file stands in.
    exportDialog.answers = {ExportChoice{(folder / "speech.vox") + "/speech.wav", 5}};
  }
  dialog->SendCommand(kFile);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_TRUE(boxes.shown[1].text.starts_with("TextToFile Failed : (")) << boxes.shown[1].text;
  EXPECT_TRUE(std::filesystem::is_empty(locked));
}

// The toolkit delivers drops only inside a drag it runs itself; the test
// hands the drop to the window directly.
struct DropTarget : CSpeechEditorDlg {
  using CSpeechEditorDlg::CSpeechEditorDlg;
  using CSpeechEditorDlg::dropEvent;
};

// A long export shows its progress and can be cancelled: no file, no message.
TEST_F(SpeechEditorTest, ALongExportCanBeCancelledFromItsProgress) {
  auto dialog = Open();
  dialog->SendCommand(kLanguageFirst + 1);
  QString text;
  while (text.size() < 200000) text += "The class reads one more sentence together, slowly and clearly. ";
  dialog->Editor()->setPlainText(text);
  exportDialog.answers = {ExportChoice{folder / "long.wav", 7}};
  int progressShown = -1;
  QTimer::singleShot(1200, [&] {
    if (auto* progress = dialog->findChild<QProgressDialog*>()) {
      progressShown = progress->isVisible() ? progress->value() : -2;
      progress->cancel();
    }
  });
  QElapsedTimer timer;
  timer.start();
  dialog->SendCommand(kFile);
  EXPECT_LT(timer.elapsed(), 5000);
  EXPECT_GE(progressShown, 0) << "the progress was not shown";
  EXPECT_FALSE(std::filesystem::exists(folder / "long.wav"));
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) left.push_back(entry.path().filename());
  EXPECT_EQ(std::count_if(left.begin(), left.end(), [](const std::string& name) { return name.starts_with("long"); }), 0);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(settings.fileFormat, 7);
  EXPECT_TRUE(dialog->IsControlEnabled(kPlay));
}

// A logout or a signal while a long export runs, before its progress shows:
// the export is cancelled (no file, no message) and the window ends as the
// program's own termination handling closes it.
TEST_F(SpeechEditorTest, ATerminationRequestDuringAnExportCancelsItAndEndsTheWindow) {
  auto dialog = Open();
  dialog->SendCommand(kLanguageFirst + 1);
  QString text;
  while (text.size() < 200000) text += "The class reads one more sentence together, slowly and clearly. ";
  dialog->Editor()->setPlainText(text);
  exportDialog.answers = {ExportChoice{folder / "long.wav", 7}};
  win::TerminationRequests termination([] { win::TerminationRequests::CloseEveryWindow(); });
  QTimer::singleShot(0, [&] { dialog->SendCommand(kFile); });
  // The progress shows once the export has run 50 ms; the request comes before.
  QTimer::singleShot(10, [] { std::raise(SIGTERM); });
  QElapsedTimer timer;
  timer.start();
  EXPECT_EQ(dialog->DoModal(), win::kResultCancel);
  EXPECT_LT(timer.elapsed(), 3000);
  EXPECT_EQ(termination.LastSignal(), SIGTERM);
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) left.push_back(entry.path().filename());
  EXPECT_EQ(std::count_if(left.begin(), left.end(), [](const std::string& name) { return name.starts_with("long"); }), 0);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(SpeechEditorTest, DroppedLinksAreFollowedToTheirText) {
  auto dialog = std::make_unique<DropTarget>(settings, environment);
  std::ofstream(folder / "story.txt") << "Once upon a time.";
  std::filesystem::create_symlink(folder / "story.txt", folder / "shortcut");
  std::ofstream(folder / "story.desktop") << "[Desktop Entry]\nType=Link\nURL=file://" << (folder / "shortcut") << "\n";
  for (const char* dropped : {"shortcut", "story.desktop"}) {
    dialog->Editor()->clear();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(folder / dropped))});
    QDropEvent drop(QPointF(20, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    dialog->dropEvent(&drop);
    EXPECT_EQ(dialog->Editor()->toPlainText(), "Once upon a time.") << dropped;
  }
}

TEST_F(SpeechEditorTest, FontDictionaryAndKeys) {
  auto dialog = Open();
  win::FontDescription chosen;
  chosen.face = "Liberation Sans";
  chosen.height = -22;
  dialogs.fontAnswers = {chosen};
  dialog->SendCommand(kFontMenu);
  ASSERT_EQ(dialogs.fontRequests.size(), 1u);
  EXPECT_EQ(dialogs.fontRequests[0].face, "굴림체");
  EXPECT_EQ(dialogs.fontRequests[0].height, -16);
  EXPECT_EQ(dialog->Editor()->font().pixelSize(), 22);

  dialogs.fileAnswers = {std::string("/tmp/user.dic")};
  dialog->SendCommand(kDictionaryLoad);
  EXPECT_EQ(dialogs.fileRequests.back().filter, "DIC File(*.dic)|*.dic|All Files(*.*)|*.*||");
  EXPECT_EQ(dialog->DictionaryPath(), "/tmp/user.dic");
  dialog->SendCommand(kDictionaryUnload);
  EXPECT_EQ(dialog->DictionaryPath(), "");

  // Enter and Escape never close the window.
  for (const int key : {Qt::Key_Escape, Qt::Key_Return}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(dialog.get(), &press);
  }
  EXPECT_TRUE(dialog->isVisible());
  dialog->Editor()->setPlainText("abc");
  dialog->SendCommand(kSelectAll);
  EXPECT_EQ(Selected(dialog->Editor()), "abc");
  dialog->SendCommand(kNew);
  EXPECT_EQ(dialog->Editor()->toPlainText(), "");
}

TEST_F(SpeechEditorTest, AboutLinesComeFromTheEngine) {
  auto dialog = Open();
  dialog->SendCommand(kLanguageFirst + 1);
  CAboutDlg about(dialog.get());
  EXPECT_EQ(about.windowTitle(), "Sonara-PC Speech Generator Ver2.0");
  const auto lines = about.Lines();
  for (const std::string& line : lines) EXPECT_TRUE(line.starts_with("        ")) << line;
  EXPECT_NE(lines[1].find(":L:"), std::string::npos) << lines[1];
  EXPECT_NE(lines[2].find(":U:"), std::string::npos) << lines[2];
}

}  // namespace
}  // namespace orvilo::speechutil
