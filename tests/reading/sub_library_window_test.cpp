#include "reading/sub_library_window.h"

#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>

#include "core/command_ids.h"
#include "platform/profile/profile_file.h"
#include "platform/win/common_dialogs.h"
#include "reading/edit_control.h"
#include "reading/voice_book_window.h"
#include "tests/reading/reading_doubles.h"
#include "ui/picker_popup.h"

namespace orvilo::reading {
namespace {

using testing::Log;

// The main window as the panel sees it: it records commands and messages.
class Owner : public win::Window {
 public:
  std::vector<std::pair<std::uint32_t, std::uintptr_t>> received;
  bool Heard(std::uint32_t id, std::uintptr_t wParam) const {
    return std::find(received.begin(), received.end(), std::pair{id, wParam}) != received.end();
  }

 protected:
  std::intptr_t OnMessage(const win::Msg& msg) override {
    received.emplace_back(msg.id, msg.wParam);
    return win::Window::OnMessage(msg);
  }
};

class Panel : public CVyr3SubLibraryWnd {
 public:
  using CVyr3SubLibraryWnd::CVyr3SubLibraryWnd;
  using CVyr3SubLibraryWnd::OnSizing;
};

class SubLibraryWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner.resize(1024, 768);
    owner.show();  // resizes reach shown windows only
    std::filesystem::create_directories(folder.path().toStdString() + "/STRQelOutput");
  }
  // A panel of `model` over the program folder's databases (or `programFolder`).
  std::unique_ptr<Panel> Make(core::CameraModel model = 8, std::string programFolder = ORVILO_PROGRAM_DIR) {
    ReadingPanelOptions options;
    options.programFolder = std::move(programFolder);
    options.settingsFile = SettingsFile();
    options.koreanUi = false;
    options.makeEngine = [this](vx_hwnd) {
      auto engine = std::make_unique<testing::RecordingSpeech>(log);
      speech = engine.get();
      return engine;
    };
    options.makeMusic = [this](std::function<void()>) { return std::make_unique<testing::RecordingMusic>(log); };
    options.makeOcr = [this] { return std::make_unique<testing::RecordingOcr>(ocrCalls); };
    auto panel = std::make_unique<Panel>(model, std::move(options));
    EXPECT_TRUE(panel->Create(&owner, "panel", 7, QRect(794, 85, 230, 600)));
    return panel;
  }
  bool Logged(const std::string& entry) const { return std::find(log.begin(), log.end(), entry) != log.end(); }
  std::string SettingsFile() const { return folder.path().toStdString() + "/QEL-3.ini"; }
  // A learning file in the test folder (its content is never read here).
  std::string Book(const std::string& name) const {
    const std::string path = folder.path().toStdString() + "/" + name + ".qel";
    std::ofstream(path) << "VX";
    return path;
  }

  QTemporaryDir folder;
  Owner owner;
  Log log;
  std::vector<std::string> ocrCalls;
  testing::RecordingSpeech* speech = nullptr;
};

TEST_F(SubLibraryWindowTest, StartsTheEngineWithBothDatabasesAndStopsItAtTheEnd) {
  {
    auto panel = Make();
    EXPECT_EQ(panel->State(), ReadingState::Ready);
    EXPECT_EQ(log, (Log{"Initialize", "LoadEngine(0,KO_KR/)", "LoadEngine(1,EN_US/)"}));
    panel->RegisterUserDictionary("/dic/ko.dic");
    panel->RegisterUserDictionary("");
  }
  EXPECT_EQ(log, (Log{"Initialize", "LoadEngine(0,KO_KR/)", "LoadEngine(1,EN_US/)",
                      "RegisterUserDictionary(/dic/ko.dic)", "ShutDown"}));
}

TEST_F(SubLibraryWindowTest, WithoutSpeechOrDatabaseReadingSaysSoAndDoesNothing) {
  {
    auto panel = Make(1);  // a model without speech
    EXPECT_TRUE(log.empty());
    panel->SetText("One.");
    panel->Reading(false);
    EXPECT_EQ(panel->State(), ReadingState::None);
    EXPECT_EQ(panel->Notice(), "Speech is not available");
  }
  log.clear();
  auto panel = Make(8, folder.path().toStdString());  // no Sonara_M_DB there
  EXPECT_FALSE(Logged("LoadEngine(0,KO_KR/)"));
  speech->accepts = false;  // as the engine refuses a language it has not loaded
  panel->SetText("One.");
  panel->Reading(false);
  EXPECT_EQ(panel->Notice(), "No voice for this language");
  EXPECT_FALSE(panel->TextControl()->isReadOnly());
}

TEST_F(SubLibraryWindowTest, RefusedDatabaseLeavesNoEngine) {
  ReadingPanelOptions options;
  options.programFolder = ORVILO_PROGRAM_DIR;
  options.settingsFile = SettingsFile();
  options.koreanUi = false;
  options.makeEngine = [this](vx_hwnd) {
    auto engine = std::make_unique<testing::RecordingSpeech>(log);
    engine->loadResult = -5;
    return engine;
  };
  options.makeMusic = [this](std::function<void()>) { return std::make_unique<testing::RecordingMusic>(log); };
  options.makeOcr = [this] { return std::make_unique<testing::RecordingOcr>(ocrCalls); };
  Panel panel(8, std::move(options));
  panel.Create(&owner, "panel", 7, QRect(794, 85, 230, 600));
  EXPECT_EQ(panel.State(), ReadingState::None);
  EXPECT_EQ(log.back(), "ShutDown");
}

TEST_F(SubLibraryWindowTest, ReadsTheTextWithEachPieceSelectedThroughStatusMessages) {
  auto panel = Make();
  panel->SetText("안녕하세요. 반갑습니다!");
  panel->Reading(false);
  CVyrEditCtrl& edit = *panel->TextControl();
  EXPECT_TRUE(edit.isReadOnly());
  EXPECT_EQ(edit.textCursor().selectedText(), "안녕하세요.");
  panel->SendMessage(message::kSpeechStatus, 1);
  EXPECT_EQ(panel->State(), ReadingState::Playing);
  panel->SendMessage(message::kSpeechStatus, 4);
  EXPECT_EQ(edit.textCursor().selectedText(), " 반갑습니다!");
  panel->SendMessage(message::kSpeechStatus, 4);
  EXPECT_EQ(panel->State(), ReadingState::Stopped);
  EXPECT_FALSE(edit.isReadOnly());
  EXPECT_EQ(speech->pieces, (std::vector<std::string>{"안녕하세요.", " 반갑습니다!"}));
}

TEST_F(SubLibraryWindowTest, TextKeepsLineBreaksAsCrLf) {
  auto panel = Make();
  panel->SetText("one\r\ntwo\nthree");
  EXPECT_EQ(panel->Text(), "one\r\ntwo\r\nthree");
  EXPECT_EQ(panel->TextControl()->ControlCharacters(), u"one\ntwo\nthree");
}

TEST_F(SubLibraryWindowTest, PickersChangeLanguageAndSpeed) {
  auto panel = Make();
  ui::ScopedScriptedPickers pickers;
  pickers.answers.push_back({win::kResultOk, 1});
  pickers.answers.push_back({win::kResultOk, 8});
  panel->SendCommand(kLanguagePickerId);
  EXPECT_EQ(panel->Language(), 1);
  EXPECT_TRUE(owner.Heard(message::kReadingLanguage, 1));
  EXPECT_EQ(panel->Session().voiceSlot, 1);
  panel->SendCommand(kSpeedPickerId);
  EXPECT_EQ(panel->Session().speedIndex, 8);
  ASSERT_EQ(pickers.requests.size(), 2u);
  EXPECT_EQ(pickers.requests[0].customItems.size(), 2u);
  EXPECT_EQ(pickers.requests[1].customItems.at(0).text, " 50%");
  panel->SetText("One.");
  panel->Reading(false);
  EXPECT_TRUE(Logged("Play(One.|<speed=\"160\"> </speed>|1|1)"));
}

TEST_F(SubLibraryWindowTest, CollapsesToAStripAndExpandsBack) {
  auto panel = Make();
  owner.received.clear();
  panel->SendCommand(kCollapseButtonId);
  EXPECT_EQ(panel->geometry(), QRect(1019, 85, 5, 600));
  EXPECT_EQ(panel->View(), ReadingView::TextCollapsed);
  EXPECT_TRUE(owner.Heard(win::kCommand, command::kPanelResized));
  panel->ToggleView();
  EXPECT_EQ(panel->View(), ReadingView::ListCollapsed);
  panel->SendCommand(kExpandButtonId);
  EXPECT_EQ(panel->geometry(), QRect(794, 85, 230, 600));
  EXPECT_EQ(panel->View(), ReadingView::List);
  EXPECT_FALSE(panel->TextControl()->isVisibleTo(panel.get()));
  panel->ToggleView();
  EXPECT_TRUE(panel->TextControl()->isVisibleTo(panel.get()));
}

TEST_F(SubLibraryWindowTest, SizesFromItsLeftEdgeWithinLimits) {
  auto panel = Make();
  EXPECT_EQ(panel->HitTestAt(QPoint(2, 300)), win::HitTest::Left);
  EXPECT_EQ(panel->HitTestAt(QPoint(50, 300)), win::HitTest::Client);
  for (const auto& [proposedLeft, left] : {std::pair{500, 564}, std::pair{900, 794}, std::pair{700, 700}}) {
    QRect proposed(QPoint(proposedLeft, 85), QPoint(1023, 684));
    panel->OnSizing(win::HitTest::Left, proposed);
    EXPECT_EQ(proposed.left(), left);
    EXPECT_EQ(proposed.right(), 1023);
  }
  panel->SendCommand(kCollapseButtonId);
  EXPECT_EQ(panel->HitTestAt(QPoint(2, 300)), win::HitTest::Client);
}

TEST_F(SubLibraryWindowTest, PaintsItsHeader) {
  auto panel = Make();
  const QImage picture = panel->grab().toImage();
  EXPECT_EQ(picture.pixelColor(200, 122), QColor(227, 227, 227));  // between the header and the text
  EXPECT_NE(picture.pixelColor(200, 60), QColor(227, 227, 227));   // a header row
  EXPECT_NE(picture.pixelColor(2, 300), QColor(227, 227, 227));  // the sizing strip
}

TEST_F(SubLibraryWindowTest, EditMenuFollowsTheInterfaceLanguage) {
  auto panel = Make();
  std::unique_ptr<QMenu> menu(panel->TextControl()->MakeEditMenu(nullptr));
  EXPECT_EQ(menu->title(), "EDIT");
  ASSERT_EQ(menu->actions().size(), 3);
  EXPECT_EQ(menu->actions()[0]->text(), "Cut");
  EXPECT_EQ(menu->actions()[2]->data().toInt(), kEditPaste);
  CVyrEditCtrl korean(true);
  std::unique_ptr<QMenu> koreanMenu(korean.MakeEditMenu(nullptr));
  EXPECT_EQ(koreanMenu->title(), "편집");
  EXPECT_EQ(koreanMenu->actions()[1]->text(), "복사");
}

TEST_F(SubLibraryWindowTest, RecognitionRunsAsideAndItsTextReplacesThePanels) {
  auto panel = Make(8, folder.path().toStdString());
  EXPECT_TRUE(panel->InitRecognition());
  panel->SetText("old text");
  const gdi::PackedDib page = gdi::PackedDib::Create(2000, 1000, 24);
  PageGeometry geometry{0, 0, 1000, 800, {-50, 100, 300, 700}, 1.0f, {}, false};
  const gdi::Rect kept = panel->Recognise(page, geometry);
  EXPECT_EQ(kept, (gdi::Rect{0, 150, 300, 650}));
  EXPECT_TRUE(panel->Recognising());
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  EXPECT_EQ(panel->Recognise(page, geometry), geometry.selection);  // pressed again: dropped
  ASSERT_TRUE(QTest::qWaitFor([&] { return !panel->Recognising(); }, 10000));
  EXPECT_EQ(panel->Text(), "인식된 글");
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(std::count(ocrCalls.begin(), ocrCalls.end(), "LoadImage"), 1);
  EXPECT_TRUE(std::find(ocrCalls.begin(), ocrCalls.end(), "RecogDIBRect(0,0,0,600,1000)") != ocrCalls.end());
  EXPECT_TRUE(QDir(folder.path() + "/STRQelOutput").isEmpty());  // the scratch bitmap is gone
}

TEST_F(SubLibraryWindowTest, TextSetDuringRecognitionWins) {
  auto panel = Make(8, folder.path().toStdString());
  panel->InitRecognition();
  panel->Recognise(gdi::PackedDib::Create(64, 64, 24), PageGeometry{0, 0, 64, 64, {}, 1.0f, {}, false});
  panel->SetText("");  // the teacher left the mode
  ASSERT_TRUE(QTest::qWaitFor([&] { return !panel->Recognising(); }, 10000));
  EXPECT_EQ(panel->Text(), "");
}

TEST_F(SubLibraryWindowTest, NoPageOrNoModuleGivesAnEmptyTextAndNoCall) {
  auto panel = Make();
  panel->SetText("old");
  panel->Recognise(gdi::PackedDib::Create(64, 64, 24), PageGeometry{});  // not initialised
  EXPECT_EQ(panel->Text(), "");
  EXPECT_EQ(panel->Notice(), "Text recognition is not available");
  panel->InitRecognition();
  panel->SetText("old");
  panel->Recognise(gdi::PackedDib(), PageGeometry{});
  EXPECT_EQ(panel->Text(), "");
  EXPECT_EQ(panel->Notice(), "No picture to recognise");
  EXPECT_EQ(ocrCalls, std::vector<std::string>{"Init"});
}

TEST_F(SubLibraryWindowTest, MusicThatDoesNotDecodeIsSaidAndReadingGoesOn) {
  ReadingPanelOptions options;
  options.programFolder = ORVILO_PROGRAM_DIR;
  options.settingsFile = SettingsFile();
  options.koreanUi = false;
  options.makeEngine = [this](vx_hwnd) {
    auto engine = std::make_unique<testing::RecordingSpeech>(log);
    speech = engine.get();
    return engine;
  };
  options.makeOcr = [this] { return std::make_unique<testing::RecordingOcr>(ocrCalls); };
  Panel panel(8, std::move(options));  // the real GStreamer player
  panel.Create(&owner, "panel", 7, QRect(794, 85, 230, 600));
  const std::string garbage = folder.filePath("song.mp3").toStdString();
  std::ofstream(garbage) << "not music";
  panel.SetBackgroundMusic(garbage);
  EXPECT_EQ(panel.BackgroundMusic(), garbage);
  panel.SetText("One. Two.");
  panel.Reading(false);
  EXPECT_EQ(panel.Notice(), "Background music cannot be played");
  panel.SendMessage(message::kSpeechStatus, 1);
  panel.SendMessage(message::kSpeechStatus, 4);
  EXPECT_EQ(speech->pieces, (std::vector<std::string>{"One.", " Two."}));
  panel.SetBackgroundMusic(folder.filePath("gone.mp3").toStdString());
  EXPECT_EQ(panel.BackgroundMusic(), "");
}

TEST_F(SubLibraryWindowTest, HundredThousandCharactersReadAndStop) {
  auto panel = Make();
  std::string text;
  while (text.size() < 100000) text += "첫 문장입니다. Second sentence here!\r\n";
  panel->SetText(text);
  panel->Reading(false);
  for (int i = 0; i < 30; ++i) {
    panel->SendMessage(message::kSpeechStatus, 1);
    panel->SendMessage(message::kSpeechStatus, 4);
  }
  EXPECT_EQ(speech->pieces.size(), 31u);
  // The piece being spoken is the one selected, far into the text.
  const QString selected = panel->TextControl()->textCursor().selectedText().replace(QChar(0x2029), QChar('\n'));
  EXPECT_EQ(selected, QString::fromStdU16String(ToControlCharacters(speech->pieces.back())));
  EXPECT_GT(panel->TextControl()->textCursor().selectionStart(), 300);
  panel->Stop();
  panel->SendMessage(message::kSpeechStatus, 4);
  EXPECT_EQ(panel->State(), ReadingState::Stopped);
  EXPECT_FALSE(panel->TextControl()->isReadOnly());
}


// ---- Voice books -------------------------------------------------------------

class VoiceBookTest : public SubLibraryWindowTest {
 protected:
  // A panel in the list view whose books "load" by putting their name in
  // the text control; books in `unreadable` do not load.
  std::unique_ptr<Panel> MakeListPanel() {
    auto panel = Make();
    Panel* raw = panel.get();
    panel->SetVoiceBookServices({[this, raw](const std::string& path) {
                                   loaded.push_back(VoiceBookName(path));
                                   if (unreadable.count(VoiceBookName(path))) return false;
                                   raw->SetText(VoiceBookName(path) + ".");
                                   return true;
                                 },
                                 [this](const std::string& name) {
                                   askedFor.push_back(name);
                                   return newName;
                                 }});
    panel->ToggleView();
    return panel;
  }
  std::vector<std::string> Names(const Panel& panel) const {
    std::vector<std::string> names;
    for (const auto& item : panel.VoiceBooks()->List().Items()) names.push_back(item.name);
    return names;
  }
  // The engine says the piece started and ended.
  void Speak(Panel& panel) {
    panel.SendMessage(message::kSpeechStatus, 1);
    panel.SendMessage(message::kSpeechStatus, 4);
  }

  std::vector<std::string> loaded;
  std::set<std::string> unreadable;
  std::vector<std::string> askedFor;
  std::optional<std::string> newName;
};

TEST_F(VoiceBookTest, TheListTakesThePlaceOfTheTextInTheListView) {
  auto panel = MakeListPanel();
  EXPECT_TRUE(panel->VoiceBooks()->isVisible());
  EXPECT_FALSE(panel->TextControl()->isVisible());
  EXPECT_EQ(panel->VoiceBooks()->geometry(), QRect(QPoint(6, 163), QPoint(229, 595)));
  panel->ToggleView();
  EXPECT_FALSE(panel->VoiceBooks()->isVisible());
}

TEST_F(VoiceBookTest, AddTakesSeveralFilesAndSkipsMissingOnes) {
  win::ScopedScriptedDialogs dialogs;
  dialogs.filesAnswers.push_back({Book("one"), folder.path().toStdString() + "/gone.qel", Book("two")});
  auto panel = MakeListPanel();
  panel->SendCommand(1427);
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(dialogs.fileRequests[0].filter, "QEL Learning File (*.qel)|*.qel||");
  EXPECT_EQ(dialogs.fileRequests[0].kind, win::FileDialogRequest::Kind::Open);
  EXPECT_EQ(Names(*panel), (std::vector<std::string>{"one", "two"}));
  panel->SendCommand(1427);  // cancelled
  EXPECT_EQ(Names(*panel), (std::vector<std::string>{"one", "two"}));
}

TEST_F(VoiceBookTest, RemoveTakesTheCheckedBooksOrElseTheSelectedOne) {
  auto panel = MakeListPanel();
  for (const char* name : {"a", "b", "c", "d"}) panel->AddVoiceBook(Book(name));
  VoiceBookList& books = panel->VoiceBooks()->List();
  panel->SendCommand(1428);  // nothing checked, nothing selected
  EXPECT_EQ(Names(*panel), (std::vector<std::string>{"a", "b", "c", "d"}));
  books.ToggleChecked(1);
  books.ToggleChecked(3);
  books.Select(0);
  panel->SendCommand(1428);
  EXPECT_EQ(Names(*panel), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(books.Selected(), -1);
  books.Select(1);
  panel->SendCommand(1428);
  EXPECT_EQ(Names(*panel), (std::vector<std::string>{"a"}));
  EXPECT_TRUE(std::filesystem::exists(folder.path().toStdString() + "/c.qel"));  // the file stays
}

TEST_F(VoiceBookTest, RenameAsksForTheNameAndMovesTheFile) {
  auto panel = MakeListPanel();
  panel->AddVoiceBook(Book("lesson"));
  panel->SendCommand(1429);  // nothing selected: nothing asked
  EXPECT_TRUE(askedFor.empty());
  panel->VoiceBooks()->List().Select(0);
  newName = std::nullopt;  // cancelled
  panel->SendCommand(1429);
  EXPECT_EQ(Names(*panel), (std::vector<std::string>{"lesson"}));
  newName = "week 2";
  panel->SendCommand(1429);
  EXPECT_EQ(askedFor, (std::vector<std::string>{"lesson", "lesson"}));
  EXPECT_EQ(Names(*panel), (std::vector<std::string>{"week 2"}));
  EXPECT_EQ(panel->VoiceBooks()->List().Items()[0].path, folder.path().toStdString() + "/week 2.qel");
  EXPECT_TRUE(std::filesystem::exists(folder.path().toStdString() + "/week 2.qel"));
}

// Three checked books, nothing selected, repeat on: 1, 2, 3, then 1 again.
TEST_F(VoiceBookTest, ReadingPlaysTheCheckedBooksInOrderAndRepeatWraps) {
  auto panel = MakeListPanel();
  for (const char* name : {"one", "skip", "two", "three"}) panel->AddVoiceBook(Book(name));
  VoiceBookList& books = panel->VoiceBooks()->List();
  for (int row : {0, 2, 3}) books.ToggleChecked(row);
  panel->ToggleRepeat();
  panel->Reading(false);
  for (int i = 0; i < 4; ++i) Speak(*panel);
  EXPECT_EQ(loaded, (std::vector<std::string>{"one", "two", "three", "one", "two"}));
  EXPECT_EQ(speech->pieces, (std::vector<std::string>{"one.", "two.", "three.", "one.", "two."}));
  EXPECT_EQ(books.Selected(), 2);
  // Without repeat the sequence ends after the last checked book.
  panel->ToggleRepeat();
  Speak(*panel);
  Speak(*panel);
  EXPECT_EQ(loaded.back(), "three");
  EXPECT_EQ(panel->State(), ReadingState::Stopped);
  EXPECT_FALSE(panel->TextControl()->isReadOnly());
}

// Reading starts at the checked book at or after the selected row; a book
// that cannot be read is passed over rather than read as the previous one.
TEST_F(VoiceBookTest, ReadingStartsAtTheSelectionAndPassesOverUnreadableBooks) {
  auto panel = MakeListPanel();
  for (const char* name : {"one", "two", "three"}) panel->AddVoiceBook(Book(name));
  VoiceBookList& books = panel->VoiceBooks()->List();
  for (int row : {0, 1, 2}) books.ToggleChecked(row);
  books.Select(1);
  unreadable = {"two"};
  panel->Reading(false);
  EXPECT_EQ(loaded, (std::vector<std::string>{"two", "three"}));
  EXPECT_EQ(speech->pieces, (std::vector<std::string>{"three."}));
  Speak(*panel);
  EXPECT_EQ(panel->State(), ReadingState::Stopped);
  EXPECT_EQ(speech->pieces.size(), 1u);
}

// Nothing checked: the text the control holds is read.
TEST_F(VoiceBookTest, WithoutACheckedBookTheControlsTextIsRead) {
  auto panel = MakeListPanel();
  panel->AddVoiceBook(Book("one"));
  panel->SetText("Own text.");
  panel->Reading(false);
  EXPECT_TRUE(loaded.empty());
  EXPECT_EQ(speech->pieces, (std::vector<std::string>{"Own text."}));
}

// The remote's next / previous keys in the list view load the next or
// previous book (the checked ones, else every listed one), select it and
// stop at either end; a book that cannot be loaded is passed over.
TEST_F(VoiceBookTest, NextAndPreviousLoadTheNeighbouringBook) {
  auto panel = MakeListPanel();
  for (const char* name : {"one", "two", "three", "four"}) panel->AddVoiceBook(Book(name));
  VoiceBookList& books = panel->VoiceBooks()->List();
  struct Step {
    int direction;
    int selected;          // afterwards
    std::string text;      // the text control's afterwards
  };
  const auto walk = [&](const std::vector<Step>& steps) {
    for (const Step& step : steps) {
      panel->StepItem(step.direction);
      EXPECT_EQ(books.Selected(), step.selected) << "after " << step.direction;
      EXPECT_EQ(panel->Text(), step.text) << "after " << step.direction;
    }
  };
  // Nothing checked: the whole list; the first book first, the ends stop.
  walk({{-1, 0, "one."}, {1, 1, "two."}, {1, 2, "three."}, {1, 3, "four."}, {1, 3, "four."}, {-1, 2, "three."}});
  EXPECT_EQ(loaded, (std::vector<std::string>{"one", "two", "three", "four", "three"}));
  // Checked books only, passing over one that cannot be read.
  for (int row : {0, 1, 3}) books.ToggleChecked(row);
  unreadable = {"two"};
  loaded.clear();
  books.Select(-1);
  walk({{-1, 0, "one."}, {1, 3, "four."}, {1, 3, "four."}});
  EXPECT_EQ(loaded, (std::vector<std::string>{"one", "two", "four"}));
  // Nothing loads in that direction: the book and the selection stay.
  loaded.clear();
  unreadable = {"one", "two"};
  walk({{-1, 3, "four."}});
  EXPECT_EQ(loaded, (std::vector<std::string>{"two", "one"}));
  EXPECT_TRUE(speech->pieces.empty());  // stepping alone reads nothing
}

// While a book is read the step stops it and reads the next one from its
// start; a paused book stays silent and the next one waits for Reading.
TEST_F(VoiceBookTest, NextWhileReadingReadsTheNextBookAndWhilePausedOnlyLoadsIt) {
  auto panel = MakeListPanel();
  for (const char* name : {"one", "two", "three"}) panel->AddVoiceBook(Book(name));
  VoiceBookList& books = panel->VoiceBooks()->List();
  for (int row : {0, 1, 2}) books.ToggleChecked(row);
  panel->Reading(false);
  panel->SendMessage(message::kSpeechStatus, 1);
  ASSERT_EQ(panel->State(), ReadingState::Playing);
  log.clear();
  panel->StepItem(1);
  EXPECT_EQ(log.front(), "Stop");
  EXPECT_EQ(speech->pieces, (std::vector<std::string>{"one.", "two."}));
  EXPECT_EQ(books.Selected(), 1);
  // The stopped speech's end is not the new one's: "two." goes on to its end,
  // then the sequence follows with "three.".
  panel->SendMessage(message::kSpeechStatus, 4);
  Speak(*panel);
  EXPECT_EQ(speech->pieces.back(), "three.");

  panel->SendMessage(message::kSpeechStatus, 1);
  panel->SendMessage(message::kSpeechStatus, 2);  // paused
  ASSERT_EQ(panel->State(), ReadingState::Paused);
  panel->StepItem(-1);
  EXPECT_EQ(panel->Text(), "two.");
  EXPECT_EQ(panel->State(), ReadingState::Stopped);
  EXPECT_EQ(speech->pieces.back(), "three.");
  EXPECT_FALSE(panel->TextControl()->isReadOnly());
}

// The selected book is scrolled into view.
TEST_F(VoiceBookTest, TheBookSteppedToIsScrolledIntoView) {
  auto panel = MakeListPanel();
  for (int i = 0; i < 60; ++i) panel->AddVoiceBook(Book("book" + std::to_string(i)));
  CVyrSkinList& list = *panel->VoiceBooks();
  list.List().Select(44);
  panel->StepItem(1);
  ASSERT_EQ(list.List().Selected(), 45);
  EXPECT_LE(list.ScrollPosition(), 45 * CVyrSkinList::kRowHeight);
  EXPECT_GE(list.ScrollPosition() + list.height(), 46 * CVyrSkinList::kRowHeight);
  list.List().Select(3);
  panel->StepItem(-1);
  EXPECT_EQ(list.ScrollPosition(), 2 * CVyrSkinList::kRowHeight);
}

// The list is kept in the settings file between runs; checks are not.
TEST_F(VoiceBookTest, TheListIsKeptInTheSettingsFile) {
  const std::string one = Book("one"), two = Book("two");
  {
    auto panel = MakeListPanel();
    panel->AddVoiceBook(two);
    panel->AddVoiceBook(one);
    panel->VoiceBooks()->List().ToggleChecked(0);
  }
  const profile::ProfileFile settings = profile::ProfileFile::Load(SettingsFile());
  EXPECT_EQ(settings.Read("VOICEBOOK", "VoiceBook001"), two);
  EXPECT_EQ(settings.Read("VOICEBOOK", "VoiceBook003"), "END");
  auto panel = MakeListPanel();
  EXPECT_EQ(Names(*panel), (std::vector<std::string>{"two", "one"}));
  EXPECT_FALSE(panel->VoiceBooks()->List().Items()[0].checked);
}

TEST_F(VoiceBookTest, FileProblemsAreSaid) {
  auto panel = Make();
  panel->TellFileProblem(ReadingPanel::FileProblem::LearningFileNotSaved);
  EXPECT_EQ(panel->Notice(), "The learning file was not saved");
  panel->TellFileProblem(ReadingPanel::FileProblem::NotLearningFile);
  EXPECT_EQ(panel->Notice(), "This is not a learning file");
}

}  // namespace
}  // namespace orvilo::reading
