#include "platform/text/code_page.h"

#include <gtest/gtest.h>

#include "tests/platform/sys/test_label.h"

using namespace orvilo::text;

struct RoundTrip {
  const char* utf8;
  CodePage codePage;
  const char* encoded;
  friend void PrintTo(const RoundTrip& c, std::ostream* out) {
    *out << "cp" << static_cast<int>(c.codePage) << "/" << orvilo::testing::TestLabel(c.encoded);
  }
};

class CodePageRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(CodePageRoundTrip, EncodesAndDecodes) {
  const RoundTrip& c = GetParam();
  const Conversion encoded = ConvertCodePage(c.utf8, CodePage::Utf8, c.codePage);
  EXPECT_TRUE(encoded.ok);
  EXPECT_EQ(encoded.bytes, c.encoded);
  const Conversion decoded = ConvertCodePage(c.encoded, c.codePage, CodePage::Utf8);
  EXPECT_TRUE(decoded.ok);
  EXPECT_EQ(decoded.bytes, c.utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CodePageRoundTrip,
    ::testing::Values(RoundTrip{"한국어 1", CodePage::Cp949, "\xC7\xD1\xB1\xB9\xBE\xEE 1"},
                      RoundTrip{"똠", CodePage::Cp949, "\x8C\x63"},  // outside KS X 1001: the unified code
                      RoundTrip{"中文", CodePage::Cp936, "\xD6\xD0\xCE\xC4"},
                      RoundTrip{"日本語", CodePage::Cp932, "\x93\xFA\x96\x7B\x8C\xEA"},
                      RoundTrip{"ｱ", CodePage::Cp932, "\xB1"},  // half-width katakana: one byte
                      RoundTrip{"plain text", CodePage::Ascii, "plain text"},
                      RoundTrip{"", CodePage::Cp949, ""}));

TEST(ConvertCodePage, StopsAtTheFirstCharacterItCannotConvert) {
  const Conversion ascii = ConvertCodePage("ab가c", CodePage::Utf8, CodePage::Ascii);
  EXPECT_FALSE(ascii.ok);
  EXPECT_EQ(ascii.bytes, "ab");
  const Conversion invalid = ConvertCodePage("x\xFFy", CodePage::Utf8, CodePage::Cp949);
  EXPECT_FALSE(invalid.ok);
  EXPECT_EQ(invalid.bytes, "x");
  const Conversion cut = ConvertCodePage("\xB0\xA1\xB0", CodePage::Cp949, CodePage::Utf8);  // lead byte at the end
  EXPECT_FALSE(cut.ok);
  EXPECT_EQ(cut.bytes, "가");
}

struct Replacement {
  const char* name;
  const char* input;
  CodePage from;
  CodePage to;
  const char* replacement;
  const char* expected;
  std::size_t replaced;
  friend void PrintTo(const Replacement& c, std::ostream* out) { *out << c.name; }
};

class CodePageReplacement : public ::testing::TestWithParam<Replacement> {};

TEST_P(CodePageReplacement, ReplacesEachCharacterAndGoesOn) {
  const Replacement& c = GetParam();
  const Conversion result = ConvertCodePage(c.input, c.from, c.to, c.replacement);
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(result.bytes, c.expected);
  EXPECT_EQ(result.replaced, c.replaced);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CodePageReplacement,
    ::testing::Values(
        // A character Korean lacks: the speech engine's marker bytes.
        Replacement{"MissingKoreanCharacter", "가\xF0\x9F\x98\x80나", CodePage::Utf8, CodePage::Cp949, "\xA2\xAF", "\xB0\xA1\xA2\xAF\xB3\xAA", 1},
        Replacement{"NonAsciiToAscii", "a가b€", CodePage::Utf8, CodePage::Ascii, "?", "a?b?", 2},
        Replacement{"KoreanToJapanese", "日本\xEA\xB0\x80", CodePage::Utf8, CodePage::Cp932, "?", "\x93\xFA\x96\x7B?", 1},
        // Invalid input: one byte each, then the text is found again.
        Replacement{"InvalidCp949Byte", "\xB0\xA1\xFF\xB0\xA1", CodePage::Cp949, CodePage::Utf8, "\xEF\xBF\xBD", "가\xEF\xBF\xBD가", 1},
        Replacement{"OverlongUtf8", "a\xC0\xAF" "b", CodePage::Utf8, CodePage::Cp949, "?", "a??b", 2},
        Replacement{"Cp949CutAtTheEnd", "\xB0\xA1\xB0", CodePage::Cp949, CodePage::Utf8, "?", "가?", 1}));

struct Positions {
  const char* name;
  std::string bytes;
  CodePage from;
  std::u32string characters;
  std::vector<std::int32_t> byteOffsets;
  friend void PrintTo(const Positions& c, std::ostream* out) { *out << c.name; }
};

class DecodeCodePageTest : public ::testing::TestWithParam<Positions> {};

// Every character knows its bytes; a byte that begins no character is one
// U+FFFD, and the text after it is found again.
TEST_P(DecodeCodePageTest, CharactersKeepTheirBytes) {
  const auto decoded = DecodeCodePage(GetParam().bytes, GetParam().from);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->characters, GetParam().characters);
  EXPECT_EQ(decoded->byteOffsets, GetParam().byteOffsets);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeCodePageTest,
    ::testing::Values(Positions{"Utf8", "a학\xF0\x9F\x98\x80", CodePage::Utf8, U"a학\U0001F600", {0, 1, 4, 8}},
                      Positions{"Utf8CutSequence", "\xED\x95" "a", CodePage::Utf8, U"\uFFFD\uFFFDa", {0, 1, 2, 3}},
                      Positions{"Cp949WithBadByte", "\xC7\xD1\xFF" "a", CodePage::Cp949, U"한\uFFFDa", {0, 2, 3, 4}},
                      Positions{"Cp949CutAtTheEnd", "a\xC7", CodePage::Cp949, U"a\uFFFD", {0, 1, 2}},
                      // Half-width katakana are single bytes among double-byte kanji.
                      Positions{"Cp932Mixed", "\xB1\x93\xFA" "1", CodePage::Cp932, U"ｱ日1", {0, 1, 3, 4}},
                      Positions{"Empty", "", CodePage::Cp936, U"", {0}}),
    [](const auto& info) { return std::string(info.param.name); });
