#include "engines/sonara/text_decoder.h"

#include <gtest/gtest.h>

namespace orvilo::sonara {
namespace {

struct DecodeCase {
  const char* label;
  std::string bytes;
  Language language;
  CharacterSet characterSet;
  std::u32string characters;
  std::vector<std::int32_t> byteOffsets;
};

class DecodeTextTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTextTest, CharactersKeepTheirBytes) {
  const DecodeCase& c = GetParam();
  const DecodedText decoded = DecodeText(c.bytes, c.language, c.characterSet);
  EXPECT_EQ(decoded.characters, c.characters);
  EXPECT_EQ(decoded.byteOffsets, c.byteOffsets);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, DecodeTextTest,
    ::testing::Values(
        DecodeCase{"Ascii", "a b", Language::kEnglish, CharacterSet::kAutomatic, U"a b", {0, 1, 2, 3}},
        DecodeCase{"Utf8Korean", "한 글", Language::kKorean, CharacterSet::kAutomatic, U"한 글", {0, 3, 4, 7}},
        // "한글" in CP949, as text files written on Windows hold it.
        DecodeCase{"Cp949Korean", "\xC7\xD1\xB1\xDB", Language::kKorean, CharacterSet::kAutomatic, U"한글",
                   {0, 2, 4}},
        // Broken UTF-8 that is no clean CP949 either: each bad byte is one replacement.
        DecodeCase{"InvalidUtf8", "a\xFF\xFE" "b", Language::kKorean, CharacterSet::kAutomatic, U"a\uFFFD\uFFFDb",
                   {0, 1, 2, 3, 4}},
        DecodeCase{"TruncatedSequence", "\xED\x95", Language::kEnglish, CharacterSet::kAutomatic, U"\uFFFD\uFFFD",
                   {0, 1, 2}},
        DecodeCase{"ForcedUtf8", "\xC7\xD1", Language::kKorean, CharacterSet::kUtf8, U"\uFFFD\uFFFD", {0, 1, 2}},
        DecodeCase{"ForcedCodePageKeepsBadBytes", "\xC7\xD1\xFF", Language::kKorean, CharacterSet::kCodePage,
                   U"한\uFFFD", {0, 2, 3}},
        // "日本" in CP932 and "中文" in CP936.
        DecodeCase{"Cp932Japanese", "\x93\xFA\x96\x7B", Language::kJapanese, CharacterSet::kAutomatic, U"日本",
                   {0, 2, 4}},
        DecodeCase{"Cp936Chinese", "\xD6\xD0\xCE\xC4", Language::kChinese, CharacterSet::kAutomatic, U"中文",
                   {0, 2, 4}},
        DecodeCase{"Empty", "", Language::kKorean, CharacterSet::kAutomatic, U"", {0}}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace orvilo::sonara
