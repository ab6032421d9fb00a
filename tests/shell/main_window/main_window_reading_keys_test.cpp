// The remote's keys on the main window with the real reading panel: the
// sentences while reading the text, the voice books in the list view, and
// typing in the panel's text staying typing.
#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>

#include "core/command_ids.h"
#include "main_window_fixture.h"
#include "reading/edit_control.h"
#include "reading/learning_file.h"
#include "reading/sub_library_window.h"
#include "reading/voice_book_window.h"
#include "tests/reading/reading_doubles.h"

namespace orvilo::shell::testing {
namespace {

void Key(QWidget& target, int key, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(&target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(&target, &release);
}

class ReadingKeysTest : public MainWindowTest {
 protected:
  ReadingKeysTest() {
    factory.makeReadingPanel = [this](core::CameraModel model) {
      reading::ReadingPanelOptions options;
      options.programFolder = ProgramFolder();
      options.koreanUi = false;
      options.makeEngine = [this](vx_hwnd) {
        auto engine = std::make_unique<reading::testing::RecordingSpeech>(speechLog);
        speech = engine.get();
        return engine;
      };
      options.makeMusic = [this](std::function<void()>) {
        return std::make_unique<reading::testing::RecordingMusic>(speechLog);
      };
      options.makeOcr = [this] { return std::make_unique<reading::testing::RecordingOcr>(ocrCalls); };
      auto made = std::make_unique<reading::CVyr3SubLibraryWnd>(model, std::move(options));
      panel = made.get();
      return made;
    };
  }
  // A learning file whose page is `width` pixels wide and whose text is `text`.
  std::string Book(const std::string& name, int width, const std::string& text) const {
    const gdi::PackedDib page = gdi::PackedDib::Create(width, 8, 24);
    reading::LearningPage content;
    content.text = text;
    content.image = &page;
    const std::string path = ProgramFolder() + "/" + name + ".qel";
    EXPECT_TRUE(reading::WriteLearningFile(path, content));
    return path;
  }

  reading::CVyr3SubLibraryWnd* panel = nullptr;
  reading::testing::RecordingSpeech* speech = nullptr;
  reading::testing::Log speechLog;
  std::vector<std::string> ocrCalls;
};

// In the list view Page Down / Right and Page Up / Left load the next and
// previous voice book through the reading mode, as a reading would: the
// page into the image view, the text into the panel; the book is selected.
TEST_F(ReadingKeysTest, TheRemoteStepsThroughTheVoiceBooksInTheListView) {
  Run([&](CVyr3Dlg& window) {
    Command(window, command::kModeReading);
    ASSERT_NE(panel, nullptr);
    panel->AddVoiceBook(Book("one", 11, "First book."));
    panel->AddVoiceBook(Book("two", 12, "Second book."));
    panel->AddVoiceBook(Book("three", 13, "Third book."));
    Command(window, command::kPanelView);
    ASSERT_TRUE(reading::IsListView(panel->View()));
    const reading::VoiceBookList& books = panel->VoiceBooks()->List();
    struct Step {
      int key;
      int selected;
      std::string text;
      std::string picture;
    };
    const Step steps[] = {
        {Qt::Key_PageDown, 0, "First book.", "image.SetImage(11x8)"},
        {Qt::Key_Right, 1, "Second book.", "image.SetImage(12x8)"},
        {Qt::Key_PageDown, 2, "Third book.", "image.SetImage(13x8)"},
        {Qt::Key_PageDown, 2, "Third book.", ""},  // the last: nothing more
        {Qt::Key_Left, 1, "Second book.", "image.SetImage(12x8)"},
        {Qt::Key_PageUp, 0, "First book.", "image.SetImage(11x8)"},
    };
    for (const Step& step : steps) {
      log.clear();
      Key(window, step.key);
      EXPECT_EQ(books.Selected(), step.selected) << step.text;
      EXPECT_EQ(panel->Text(), step.text);
      if (step.picture.empty()) {
        EXPECT_FALSE(LogHasInOrder({"image.RemoveAllBlinds"})) << "nothing loaded at the end";
      } else {
        EXPECT_TRUE(LogHasInOrder({step.picture}));
      }
    }
    EXPECT_TRUE(speech->pieces.empty());
  });
}

// In the text view the same keys step through the sentences being read.
TEST_F(ReadingKeysTest, TheRemoteStepsThroughTheSentencesWhileReading) {
  Run([&](CVyr3Dlg& window) {
    Command(window, command::kModeReading);
    ASSERT_NE(panel, nullptr);
    panel->SetText("One. Two. Three.");
    panel->Reading(false);
    panel->SendMessage(message::kSpeechStatus, 1);
    Key(window, Qt::Key_PageDown);
    Key(window, Qt::Key_Right);
    Key(window, Qt::Key_PageUp);
    EXPECT_EQ(speech->pieces, (std::vector<std::string>{"One.", " Two.", " Three.", " Two."}));
  });
}

// "b" typed in the panel's text is a "b", the picture stays; while the
// panel reads its text is read-only and B blanks the picture.
TEST_F(ReadingKeysTest, TypingBInThePanelsTextDoesNotBlankThePicture) {
  Run([&](CVyr3Dlg& window) {
    Command(window, command::kModeReading);
    ASSERT_NE(panel, nullptr);
    reading::CVyrEditCtrl& text = *panel->TextControl();
    text.setFocus();
    Key(text, Qt::Key_B, "b");
    Key(text, Qt::Key_Period, ".");
    Key(text, Qt::Key_Space, " ");
    EXPECT_EQ(panel->Text(), "b. ");
    EXPECT_FALSE(window.Blanked());
    panel->Reading(false);
    ASSERT_TRUE(text.isReadOnly());
    Key(text, Qt::Key_B, "b");
    EXPECT_TRUE(window.Blanked());
    EXPECT_EQ(panel->Text(), "b. ");
  });
}

// A reading puts the focus on the panel's text; once it is over the text
// gives it up, so that the remote's B blanks the picture instead of typing
// a "b" into the text that was just read.
TEST_F(ReadingKeysTest, AfterAReadingTheRemotesKeysActAgain) {
  Run([&](CVyr3Dlg& window) {
    Command(window, command::kModeReading);
    ASSERT_NE(panel, nullptr);
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    reading::CVyrEditCtrl& text = *panel->TextControl();
    panel->SetText("One.");
    panel->Reading(false);
    ASSERT_TRUE(text.hasFocus());
    panel->SendMessage(message::kSpeechStatus, 1);
    panel->SendMessage(message::kSpeechStatus, 4);  // the last piece ended
    ASSERT_FALSE(text.isReadOnly());
    EXPECT_FALSE(text.hasFocus());
    QWidget* focus = QApplication::focusWidget();
    Key(focus ? *focus : static_cast<QWidget&>(window), Qt::Key_B, "b");
    EXPECT_TRUE(window.Blanked());
    EXPECT_EQ(panel->Text(), "One.");
  });
}

}  // namespace
}  // namespace orvilo::shell::testing
