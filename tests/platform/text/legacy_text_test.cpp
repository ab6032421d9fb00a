#include "platform/text/legacy_text.h"

#include <gtest/gtest.h>

using namespace orvilo::text;

struct LegacyCase {
  const char* name;
  std::string bytes;
  bool cp949;
  std::string decoded;
  friend void PrintTo(const LegacyCase& c, std::ostream* out) { *out << c.name; }
};

class LegacyText : public ::testing::TestWithParam<LegacyCase> {};

TEST_P(LegacyText, IsRecognisedAndDecoded) {
  EXPECT_EQ(LooksLikeCp949(GetParam().bytes), GetParam().cp949);
  EXPECT_EQ(DecodeLegacyText(GetParam().bytes), GetParam().decoded);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LegacyText,
    ::testing::Values(
        LegacyCase{"Ascii", "TempFolder=/a/b", false, "TempFolder=/a/b"},
        LegacyCase{"Utf8Korean", "%d 학년 %d 학기", false, "%d 학년 %d 학기"},
        LegacyCase{"Cp949Korean", "%d \xC7\xD0\xB3\xE2 %d \xC7\xD0\xB1\xE2", true, "%d 학년 %d 학기"},
        LegacyCase{"Cp949Path", "C:\\\xB1\xB3\xBB\xE7\\\xC0\xCC\xB9\xCC\xC1\xF6", true, "C:\\교사\\이미지"},
        // Neither: kept displayable, invalid bytes replaced.
        LegacyCase{"Binary", std::string("\x80\xFF\x00k", 4), false, std::string("\xEF\xBF\xBD\xEF\xBF\xBD\x00k", 8)}),
    [](const auto& info) { return info.param.name; });

struct DetectCase {
  const char* name;
  std::string bytes;
  CodePage legacy;
  TextEncoding expected;
  friend void PrintTo(const DetectCase& c, std::ostream* out) { *out << c.name; }
};

class DetectTextEncodingTest : public ::testing::TestWithParam<DetectCase> {};

TEST_P(DetectTextEncodingTest, PrefersUtf8ThenTheLegacyCodePage) {
  EXPECT_EQ(DetectTextEncoding(GetParam().bytes, GetParam().legacy), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DetectTextEncodingTest,
    ::testing::Values(DetectCase{"Utf8", "中文", CodePage::Cp936, TextEncoding::kUtf8},
                      DetectCase{"Cp936", "\xD6\xD0\xCE\xC4", CodePage::Cp936, TextEncoding::kLegacy},
                      DetectCase{"Cp932", "\x93\xFA\x96\x7B", CodePage::Cp932, TextEncoding::kLegacy},
                      // No byte above 0x7F is ASCII.
                      DetectCase{"BrokenForAscii", "caf\xE9", CodePage::Ascii, TextEncoding::kNeither},
                      DetectCase{"Cp949CutAtTheEnd", "\xC7\xD1\xB1", CodePage::Cp949, TextEncoding::kNeither}),
    [](const auto& info) { return info.param.name; });

TEST(LegacyText, DecodeIfLegacyDecodesOnlyWhatIsNotUtf8ButValidLegacyText) {
  using orvilo::text::CodePage;
  using orvilo::text::DecodeIfLegacy;
  EXPECT_EQ(DecodeIfLegacy("\xC7\xD0\xB1\xB3", CodePage::Cp949), std::optional<std::string>("학교"));
  EXPECT_EQ(DecodeIfLegacy("학교", CodePage::Cp949), std::nullopt);          // UTF-8 already
  EXPECT_EQ(DecodeIfLegacy("\xC7\xD0\xFF", CodePage::Cp949), std::nullopt);  // neither
  EXPECT_EQ(DecodeIfLegacy("", CodePage::Cp949), std::nullopt);
}
