// The reading flow with the real engines: a rendered demo-camera page is
// recognised by the OCR module and read aloud by the speech engine into a
// WAVE file, through the reading panel.
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <gtest/gtest.h>

#include "core/command_ids.h"
#include "demo/textbook_page.h"
#include "platform/gdi/qimage_conversion.h"
#include "platform/text/unicode.h"
#include "reading/edit_control.h"
#include "reading/learning_file.h"
#include "reading/sub_library_window.h"
#include "reading/voice_book_window.h"

namespace orvilo::reading {
namespace {

namespace fs = std::filesystem;

// Whitespace runs become one blank; ends trimmed.
std::u32string Normalised(const std::string& text) {
  std::u32string out;
  for (char32_t c : text::Utf8ToUtf32(text)) {
    const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\t';
    if (blank) {
      if (!out.empty() && out.back() != U' ') out.push_back(U' ');
    } else {
      out.push_back(c);
    }
  }
  while (!out.empty() && out.back() == U' ') out.pop_back();
  return out;
}

double CharacterErrorRate(const std::string& got, const std::string& expected) {
  const std::u32string a = Normalised(got), b = Normalised(expected);
  std::vector<std::size_t> row(a.size() + 1);
  for (std::size_t i = 0; i <= a.size(); ++i) row[i] = i;
  for (std::size_t j = 1; j <= b.size(); ++j) {
    std::size_t diagonal = row[0];
    row[0] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
      const std::size_t next = std::min({row[i] + 1, row[i - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = row[i];
      row[i] = next;
    }
  }
  return b.empty() ? 1.0 : static_cast<double>(row[a.size()]) / static_cast<double>(b.size());
}

// The speech engine, noting each piece and what the text control showed
// selected when the piece was handed over.
class NotingEngine : public SonaraEngine {
 public:
  using SonaraEngine::SonaraEngine;
  CVyrEditCtrl* control = nullptr;
  std::vector<std::string> pieces;
  std::vector<std::u16string> highlighted;
  bool Play(const std::string& piece, const std::string& markup, int language, int speaker) override {
    pieces.push_back(piece);
    const QString selected = control->textCursor().selectedText().replace(QChar(0x2029), QChar('\n'));
    highlighted.emplace_back(reinterpret_cast<const char16_t*>(selected.utf16()), selected.size());
    return SonaraEngine::Play(piece, markup, language, speaker);
  }
};

// A panel with the English interface in `program` whose engine notes every sentence
// it is handed; `engine` is set when the panel makes it.
ReadingPanelOptions NotingPanelOptions(const std::string& program, NotingEngine*& engine) {
  ReadingPanelOptions options;
  options.programFolder = program;
  options.koreanUi = false;
  options.makeEngine = [&engine](vx_hwnd window) -> std::unique_ptr<SpeechEngine> {
    auto made = std::make_unique<NotingEngine>(window, message::kSpeechStatus);
    engine = made.get();
    return made;
  };
  return options;
}

struct PageCase {
  const char* name;
  demo::Language language;
  int panelLanguage;  // the reading panel's language for it
};
void PrintTo(const PageCase& value, std::ostream* out) { *out << value.name; }

class ReadingEndToEnd : public ::testing::TestWithParam<PageCase> {};

TEST_P(ReadingEndToEnd, RecognisesTheMarkedParagraphAndReadsItSentenceBySentence) {
  QTemporaryDir folder;
  const std::string program = folder.path().toStdString();
  fs::create_directories(program + "/STRQelOutput");
  fs::create_directory_symlink(std::string(ORVILO_PROGRAM_DIR) + "/Sonara_M_DB", program + "/Sonara_M_DB");
  const std::string wave = program + "/speech.wav";
  setenv("ORVILO_AUDIO_OUT", ("wav:" + wave).c_str(), 1);

  demo::PageLayoutChoice layout;
  layout.language = GetParam().language;
  const demo::RenderedPage page = demo::RenderTextbookPage(layout);
  const gdi::PackedDib picture = gdi::FromQImage(page.image, 24);

  win::Window owner;
  owner.resize(1024 + 230, 768);
  NotingEngine* engine = nullptr;
  CVyr3SubLibraryWnd panel(8, NotingPanelOptions(program, engine));
  ASSERT_TRUE(panel.Create(&owner, "panel", 7, QRect(1024, 0, 230, 768)));
  ASSERT_EQ(panel.State(), ReadingState::Ready);
  engine->control = panel.TextControl();
  ASSERT_TRUE(panel.InitRecognition());

  // The page fitted in a 1024 x 768 view is shown at half size from (0, 0);
  // the teacher marks the paragraph with a little room around it.
  const QRect marked = page.markedParagraph;
  const PageGeometry geometry{0, 0, 1024, 768,
                              gdi::Rect{marked.left() / 2 - 6, marked.top() / 2 - 6, marked.right() / 2 + 6,
                                        marked.bottom() / 2 + 6},
                              1.0f, {}, false};
  panel.Recognise(picture, geometry);
  ASSERT_TRUE(panel.Recognising());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !panel.Recognising(); }, 60000));
  const std::string text = panel.Text();
  const double cer = CharacterErrorRate(text, page.markedText.toStdString());
  EXPECT_LE(cer, 0.02) << "recognised: " << text << "\nexpected: " << page.markedText.toStdString();

  panel.SetSpeedIndex(10);  // 200 %: the test waits half as long
  panel.SetLanguage(GetParam().panelLanguage);
  panel.Reading(false);
  ASSERT_TRUE(QTest::qWaitFor([&] { return panel.State() == ReadingState::Stopped && !panel.TextControl()->isReadOnly(); },
                              120000));
  ASSERT_FALSE(engine->pieces.empty());
  std::string joined;
  for (const std::string& piece : engine->pieces) joined += piece;
  EXPECT_EQ(joined, text);
  ASSERT_EQ(engine->highlighted.size(), engine->pieces.size());
  for (std::size_t i = 0; i < engine->pieces.size(); ++i) {
    EXPECT_EQ(text::Utf16ToUtf8(engine->highlighted[i]), text::Utf16ToUtf8(ToControlCharacters(engine->pieces[i])))
        << "piece " << i;
  }

  // 16-bit mono at 16 kHz; both voices at 165 words a minute, doubled.
  std::error_code error;
  const double seconds = static_cast<double>(fs::file_size(wave, error) - 44) / (16000 * 2);
  const double words = static_cast<double>(std::count(text.begin(), text.end(), ' ') + 1);
  const double expected = words / (165.0 * 2.0) * 60.0;
  std::cout << "CER " << cer << ", " << engine->pieces.size() << " pieces, " << words << " words, " << seconds
            << " s of speech\n";
  EXPECT_GT(seconds, expected * 0.4) << words << " words";
  EXPECT_LT(seconds, expected * 2.5) << words << " words";
}

INSTANTIATE_TEST_SUITE_P(Pages, ReadingEndToEnd,
                         ::testing::Values(PageCase{"English", demo::Language::English, 1},
                                           PageCase{"Korean", demo::Language::Korean, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// A region with no text and a page with nothing on it: an empty text and a
// word to the teacher, quickly.
TEST(ReadingEndToEndBlank, BlankRegionsGiveAnEmptyTextAndANotice) {
  QTemporaryDir folder;
  const std::string program = folder.path().toStdString();
  fs::create_directories(program + "/STRQelOutput");
  win::Window owner;
  owner.resize(1254, 768);
  ReadingPanelOptions options;
  options.programFolder = program;
  options.koreanUi = false;
  CVyr3SubLibraryWnd panel(1, std::move(options));
  ASSERT_TRUE(panel.Create(&owner, "panel", 7, QRect(1024, 0, 230, 768)));
  ASSERT_TRUE(panel.InitRecognition());

  const demo::RenderedPage page = demo::RenderTextbookPage(demo::PageLayoutChoice{});
  QImage white(2048, 1536, QImage::Format_RGB32);
  white.fill(Qt::white);
  struct Case {
    const char* name;
    QImage image;
    gdi::Rect selection;
  } cases[] = {{"margin of the page", page.image, {1, 1, 12, 12}}, {"empty page", white, {}}};
  for (const Case& c : cases) {
    panel.SetText("before");
    panel.Recognise(gdi::FromQImage(c.image, 24), PageGeometry{0, 0, 1024, 768, c.selection, 1.0f, {}, false});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !panel.Recognising(); }, 60000)) << c.name;
    EXPECT_EQ(panel.Text(), "") << c.name;
    EXPECT_EQ(panel.Notice(), "No text was recognised") << c.name;
  }
}

// Three checked voice books with repeat, read by the real engine into a
// WAVE file: the books follow each other in list order and start again at
// the first, and each one is heard.
TEST(ReadingEndToEndVoiceBooks, CheckedBooksPlayInOrderAndRepeatWraps) {
  QTemporaryDir folder;
  const std::string program = folder.path().toStdString();
  fs::create_directory_symlink(std::string(ORVILO_PROGRAM_DIR) + "/Sonara_M_DB", program + "/Sonara_M_DB");
  const std::string wave = program + "/speech.wav";
  setenv("ORVILO_AUDIO_OUT", ("wav:" + wave).c_str(), 1);

  win::Window owner;
  owner.resize(1254, 768);
  NotingEngine* engine = nullptr;
  CVyr3SubLibraryWnd panel(8, NotingPanelOptions(program, engine));
  ASSERT_TRUE(panel.Create(&owner, "panel", 7, QRect(1024, 0, 230, 768)));
  ASSERT_EQ(panel.State(), ReadingState::Ready);
  engine->control = panel.TextControl();
  panel.SetLanguage(1);
  panel.SetSpeedIndex(10);
  // The main window's part: a book's text goes to the panel.
  panel.SetVoiceBookServices({[&](const std::string& path) {
                                const LearningFileContent content = ReadLearningFile(path);
                                if (content.status != LearningFileContent::Status::Ok || !content.text) return false;
                                panel.SetText(*content.text);
                                return true;
                              },
                              nullptr});
  for (const char* text : {"First book.", "Second book.", "Third book."}) {
    const std::string path = program + "/" + std::string(text, 5) + ".qel";
    ASSERT_TRUE(WriteLearningFile(path, LearningPage{{}, {}, text, "", nullptr}));
    panel.AddVoiceBook(path);
  }
  VoiceBookList& books = panel.VoiceBooks()->List();
  for (int row = 0; row < 3; ++row) books.ToggleChecked(row);
  panel.ToggleView();
  panel.ToggleRepeat();

  panel.Reading(false);
  ASSERT_TRUE(QTest::qWaitFor([&] { return engine->pieces.size() >= 5; }, 120000));
  panel.Stop();
  EXPECT_EQ(std::vector<std::string>(engine->pieces.begin(), engine->pieces.begin() + 5),
            (std::vector<std::string>{"First book.", "Second book.", "Third book.", "First book.", "Second book."}));
  // The first four books were heard to their end: 8 words at 165 words a
  // minute, doubled, of 16-bit mono at 16 kHz.
  std::error_code error;
  const auto bytes = fs::file_size(wave, error);
  ASSERT_FALSE(error);
  const double seconds = static_cast<double>(bytes - 44) / (16000 * 2);
  EXPECT_GT(seconds, 8 / (165.0 * 2.0) * 60.0 * 0.4);
}

}  // namespace
}  // namespace orvilo::reading
