#include <gtest/gtest.h>

#include "speechutil/engine_text.h"

namespace orvilo::speechutil {
namespace {

struct ConversionCase {
  const char* label;
  int language;
  std::u16string text;
  std::string bytes;
  std::size_t replaced;
};

class EngineTextTest : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(EngineTextTest, ConvertsToTheLanguagesCodePage) {
  const ConversionCase& c = GetParam();
  const EngineText text = ConvertToEngineText(c.text, c.language);
  EXPECT_EQ(text.bytes, c.bytes);
  EXPECT_EQ(text.replaced, c.replaced);
  EXPECT_EQ(text.unitBytes.size(), EngineCodePage(c.language) != 0 ? c.text.size() : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, EngineTextTest,
    ::testing::Values(
        ConversionCase{"KoreanAndAscii", 0, u"가 a", "\xB0\xA1 a", 0},
        // A character outside CP949 (Devanagari KA) becomes A2 AF.
        ConversionCase{"KoreanMissing", 0, u"가\u0915나", "\xB0\xA1\xA2\xAF\xB3\xAA", 1},
        // A character outside the BMP is one character, replaced once.
        ConversionCase{"KoreanSurrogatePair", 0, u"a\U0001F600b", "a\xA2\xAF" "b", 1},
        ConversionCase{"EnglishAscii", 1, u"Hello.", "Hello.", 0},
        ConversionCase{"EnglishMissing", 1, u"café", "caf?", 1},
        ConversionCase{"ChineseCp936", 2, u"中文", "\xD6\xD0\xCE\xC4", 0},
        ConversionCase{"ChineseMissing", 2, u"中가", "\xD6\xD0?", 1},
        ConversionCase{"JapaneseCp932", 3, u"日本ｱ", "\x93\xFA\x96\x7B\xB1", 0},
        ConversionCase{"JapaneseMissing", 3, u"日\u0915", "\x93\xFA?", 1},
        ConversionCase{"NoLanguage", 7, u"text", "", 0}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(EngineTextTest, CodePagesOfTheLanguages) {
  EXPECT_EQ(EngineCodePage(0), 949);
  EXPECT_EQ(EngineCodePage(1), 20127);
  EXPECT_EQ(EngineCodePage(2), 936);
  EXPECT_EQ(EngineCodePage(3), 932);
  EXPECT_EQ(EngineCodePage(-1), 0);
}

// The engine reports words by bytes of the code page; the editor selects by
// UTF-16 units. On mixed text one Hangul syllable is two bytes but one unit.
TEST(EngineTextTest, ByteRangesOfWordsBecomeEditorRanges) {
  const std::u16string text = u"학교 school 가요";
  const EngineText engine = ConvertToEngineText(text, 0);
  ASSERT_EQ(engine.bytes, "\xC7\xD0\xB1\xB3 school \xB0\xA1\xBF\xE4");
  // "학교": bytes 0..3 -> units 0..1.
  EXPECT_EQ(engine.Utf16Span(0, 3), std::make_pair(0, 2));
  // "school": bytes 5..10 -> starts at unit 3, six units.
  EXPECT_EQ(engine.Utf16Span(5, 10), std::make_pair(3, 6));
  // "가요": bytes 12..15 -> starts at unit 10, two units.
  EXPECT_EQ(engine.Utf16Span(12, 15), std::make_pair(10, 2));
  EXPECT_EQ(text.substr(10, 2), u"가요");
}

}  // namespace
}  // namespace orvilo::speechutil
