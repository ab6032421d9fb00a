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
