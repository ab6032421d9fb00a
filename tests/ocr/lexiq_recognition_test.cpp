// Recognition through the module's exports, from picture files drawn with
// Debian's fonts.
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "ocr/LEXIQ.h"
#include "ocr_fixtures.h"
#include "platform/text/unicode.h"

namespace {

const QString kEnglish = QStringLiteral("The quick brown fox jumps over the lazy dog.");
const QString kKorean = QStringLiteral("오늘은 날씨가 맑아서 친구들과 공원에 갔습니다.");

class LexiqRecognitionTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_GE(LEXIQ_Init(), 1);
    ASSERT_TRUE(folder_.isValid());
  }
  void TearDown() override {
    VxGlobalFree(image_);
    LEXIQ_Free();
  }

  // The main program's steps up to recognition: load, straighten, binarise.
  void Prepare(const ocrtest::TextPicture& text, int jpegQuality = -1) {
    const QString path = folder_.filePath(jpegQuality > 0 ? QStringLiteral("page.jpg") : QStringLiteral("page.png"));
    ASSERT_TRUE(ocrtest::SavePicture(ocrtest::DrawText(text), path, jpegQuality));
    image_ = LEXIQ_LoadImage(path.toUtf8().constData());
    ASSERT_NE(image_, nullptr);
    LEXIQ_AutoAngle(image_);
    LEXIQ_PreProc(image_);
    LEXIQ_BeginRecog(nullptr);
    size_ = text.size;
  }

  std::string Rectangle(int left, int top, int right, int bottom) {
    return ocrtest::Take(LEXIQ_RecogDIBRect(image_, 0, left, top, right, bottom));
  }
  std::string WholePage() { return Rectangle(0, 0, size_.width(), size_.height()); }

  QTemporaryDir folder_;
  VxGlobalHandle image_ = nullptr;
  QSize size_;
};

struct Sentence {
  const char* name;
  QString text;
  QString family;
  double turnDegrees;
  double darkestLight;
  int jpegQuality;
};
void PrintTo(const Sentence& value, std::ostream* out) { *out << value.name; }

class LexiqSentenceTest : public LexiqRecognitionTest, public testing::WithParamInterface<Sentence> {};

TEST_P(LexiqSentenceTest, ReadsTheSentenceExactly) {
  ocrtest::TextPicture text;
  text.lines = {GetParam().text};
  text.family = GetParam().family;
  text.turnDegrees = GetParam().turnDegrees;
  text.darkestLight = GetParam().darkestLight;
  Prepare(text, GetParam().jpegQuality);
  EXPECT_EQ(WholePage(), GetParam().text.toStdString());
  EXPECT_EQ(LEXIQ_SaveCurrentResult(folder_.filePath(QStringLiteral("result.txt")).toUtf8().constData()),
            LEXIQ_NO_RESULT)
      << "rectangle recognition leaves the current result alone";
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, LexiqSentenceTest,
    testing::Values(Sentence{"English", kEnglish, QStringLiteral("Liberation Serif"), 0, 1.0, -1},
                    Sentence{"Korean", kKorean, QStringLiteral("NanumGothic"), 0, 1.0, -1},
                    Sentence{"EnglishUnderTheCamera", kEnglish, QStringLiteral("Liberation Sans"), 1.5, 0.6, 80},
                    Sentence{"KoreanUnderTheCamera", kKorean, QStringLiteral("NanumMyeongjo"), -1.5, 0.6, 80}),
    [](const testing::TestParamInfo<Sentence>& info) { return std::string(info.param.name); });

struct RectangleCase {
  const char* name;
  int left, top, right, bottom;  // relative to a 1400 x 220 page
  bool readsTheSentence;
};
void PrintTo(const RectangleCase& value, std::ostream* out) { *out << value.name; }

class LexiqRectangleTest : public LexiqRecognitionTest, public testing::WithParamInterface<RectangleCase> {};

TEST_P(LexiqRectangleTest, ClipsToThePageAndReadsNothingOutsideIt) {
  ocrtest::TextPicture text;
  text.lines = {kEnglish};
  Prepare(text);
  const RectangleCase& rect = GetParam();
  EXPECT_EQ(Rectangle(rect.left, rect.top, rect.right, rect.bottom),
            rect.readsTheSentence ? kEnglish.toStdString() : std::string());
}

INSTANTIATE_TEST_SUITE_P(Rectangles, LexiqRectangleTest,
                         testing::Values(RectangleCase{"LargerThanThePage", -300, -200, 3000, 900, true},
                                         RectangleCase{"OutsideThePage", 2000, 500, 2600, 900, false},
                                         RectangleCase{"Inverted", 1300, 200, 10, 5, false},
                                         RectangleCase{"Empty", 100, 100, 100, 180, false},
                                         RectangleCase{"OfPaperOnly", 0, 150, 1400, 220, false}),
                         [](const testing::TestParamInfo<RectangleCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(LexiqRecognitionTest, RecogDibKeepsTheLinesThatRecogDibRectJoins) {
  ocrtest::TextPicture text;
  text.lines = {QStringLiteral("Rivers carry water back"), QStringLiteral("to the sea again.")};
  text.size = QSize(1000, 220);
  Prepare(text);
  EXPECT_EQ(WholePage(), "Rivers carry water back to the sea again.");
  EXPECT_EQ(ocrtest::Take(LEXIQ_RecogDIB(image_, 0, 0, 0, 1000, 220)), "Rivers carry water back\nto the sea again.");
}

TEST_F(LexiqRecognitionTest, RecogTextOutlinesTheTextOnTheTargetAndKeepsTheResult) {
  ocrtest::TextPicture text;
  text.lines = {kEnglish};
  Prepare(text);
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(size_.width()) * size_.height() * 4, 0);
  LexiqDrawTarget target{pixels.data(), size_.width(), size_.height(), size_.width() * 4, 0x00123456, 0, 0};
  const LexiqRect placement{0, 0, size_.width(), size_.height()};

  EXPECT_EQ(ocrtest::Take(LEXIQ_RecogText(image_, 0, &target, &placement, 1.0f)), kEnglish.toStdString());

  // Cyan XOR black is cyan: blue 255, green 255, red 0.
  std::size_t outlined = 0;
  for (std::size_t i = 0; i < pixels.size(); i += 4) {
    if (pixels[i] == 255 && pixels[i + 1] == 255 && pixels[i + 2] == 0) ++outlined;
  }
  EXPECT_GT(outlined, 1000u);
  EXPECT_EQ(target.penColour, 0x00123456u) << "the caller's pen is put back";
  EXPECT_EQ(target.penWidth, 0);

  const QString saved = folder_.filePath(QStringLiteral("result.txt"));
  ASSERT_EQ(LEXIQ_SaveCurrentResult(saved.toUtf8().constData()), LEXIQ_OK);
  QFile file(saved);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll().toStdString(), kEnglish.toStdString());
  EXPECT_EQ(LEXIQ_SaveCurrentResult("/nonexistent-folder/result.txt"), LEXIQ_WRITE_FAILED);
}

TEST_F(LexiqRecognitionTest, RecogTextExFillsTheRecordsThroughTheLayoutTemplate) {
  ocrtest::TextPicture text;
  text.lines = {kKorean};
  text.family = QStringLiteral("NanumGothic");
  Prepare(text);
  CRecogResultStruct result;
  CAuxResult aux;

  const std::string recognised = ocrtest::Take(LEXIQ_RecogTextEx(image_, &result, &aux));
  EXPECT_EQ(recognised, kKorean.toStdString());
  EXPECT_TRUE(QFileInfo::exists(QStringLiteral(ORVILO_PROGRAM_DIR "/Template.ltf")));

  const std::u16string units = orvilo::text::Utf8ToUtf16(recognised);
  ASSERT_EQ(result.count, static_cast<int>(units.size()));
  const auto* buffer = static_cast<const char16_t*>(VxGlobalLock(result.textBuffer));
  EXPECT_EQ(std::u16string(buffer, result.count), units);
  VxGlobalUnlock(result.textBuffer);

  ASSERT_EQ(aux.itemTexts.count, 1);
  EXPECT_EQ(ocrtest::Take(VxSysAllocStringLen(aux.itemTexts.items[0], VxSysStringLen(aux.itemTexts.items[0]))),
            recognised);
  const auto* whole = static_cast<const char16_t*>(VxGlobalLock(aux.textBuffer));
  EXPECT_EQ(std::u16string(whole), units);
  VxGlobalUnlock(aux.textBuffer);

  // One character record for every letter and stop; spaces have none.
  std::u16string letters = units;
  std::erase(letters, u' ');
  ASSERT_EQ(VxGlobalSize(aux.characterBuffer), letters.size() * sizeof(CCharRectInfo));
  const auto* characters = static_cast<const CCharRectInfo*>(VxGlobalLock(aux.characterBuffer));
  for (std::size_t i = 0; i < letters.size(); ++i) {
    EXPECT_EQ(characters[i].codePoint, static_cast<std::uint32_t>(letters[i])) << i;
    EXPECT_EQ(units[characters[i].textOffset], letters[i]);
    EXPECT_LT(characters[i].left, characters[i].right);
  }
  VxGlobalUnlock(aux.characterBuffer);

  const QString saved = folder_.filePath(QStringLiteral("result.txt"));
  EXPECT_EQ(LEXIQ_SaveCurrentResult(saved.toUtf8().constData()), LEXIQ_OK);
}

TEST_F(LexiqRecognitionTest, WholePageCallsWithNoImageGiveEmptyTextAndClearTheResult) {
  EXPECT_EQ(ocrtest::Take(LEXIQ_RecogText(nullptr, 0, nullptr, nullptr, 0.0f)), "");
  EXPECT_EQ(ocrtest::Take(LEXIQ_RecogTextEx(nullptr, nullptr, nullptr)), "");
  EXPECT_EQ(LEXIQ_SaveCurrentResult(folder_.filePath(QStringLiteral("r.txt")).toUtf8().constData()), LEXIQ_NO_RESULT);
}

}  // namespace
