#include "platform/text/unicode.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/platform/sys/test_label.h"

using namespace orvilo::text;

TEST(Unicode, RoundTripsKoreanAndAstralText) {
  const std::string text = "학년 A \xF0\x9F\x98\x80";
  const std::u16string wide = Utf8ToUtf16(text);
  EXPECT_EQ(wide.size(), 7u);  // five units, then a surrogate pair
  EXPECT_EQ(Utf16ToUtf8(wide), text);
}

struct InvalidCase {
  const char* bytes;
  const char* expected;
  friend void PrintTo(const InvalidCase& c, std::ostream* out) { *out << orvilo::testing::TestLabel(c.bytes); }
};

class InvalidUtf8 : public ::testing::TestWithParam<InvalidCase> {};

TEST_P(InvalidUtf8, BecomesReplacementCharacters) {
  EXPECT_FALSE(IsValidUtf8(GetParam().bytes));
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(GetParam().bytes)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, InvalidUtf8,
                         ::testing::Values(InvalidCase{"a\xFF" "b", "a\xEF\xBF\xBD" "b"},
                                           InvalidCase{"\xC0\xAF", "\xEF\xBF\xBD"},            // overlong "/"
                                           InvalidCase{"\xED\xA0\x80", "\xEF\xBF\xBD"},        // surrogate
                                           InvalidCase{"\xEC\x95", "\xEF\xBF\xBD"},            // cut sequence
                                           InvalidCase{"\xB0\xA1", "\xEF\xBF\xBD\xEF\xBF\xBD"}  // CP949 "가"
                                           ));

TEST(Unicode, PrefixNeverCutsASequence) {
  const std::string text = "가나";  // two 3-byte sequences
  EXPECT_EQ(Utf8PrefixLength(text, 4), 3u);
  EXPECT_EQ(Utf8PrefixLength(text, 3), 3u);
  EXPECT_EQ(Utf8PrefixLength(text, 2), 0u);
  EXPECT_EQ(Utf8PrefixLength(text, 100), 6u);
  EXPECT_TRUE(IsValidUtf8(text));
}

TEST(Unicode, PrefixOfGarbageIsCutAtTheLimit) {
  // Stray continuation bytes are no sequence to protect: cutting back over
  // them would empty a long garbage value.
  EXPECT_EQ(Utf8PrefixLength(std::string(300, '\x80'), 259), 259u);
  EXPECT_EQ(Utf8PrefixLength("ab\xF0\x9F\x98\x80", 5), 2u);  // a 4-byte sequence cut after 3
  EXPECT_EQ(Utf8PrefixLength("ab\xF0\x9F\x98\x80", 6), 6u);
}

TEST(Unicode, Utf32RoundTripsAndReplacesWhatIsNoCharacter) {
  const std::string text = "a학\xF0\x9F\x98\x80";
  EXPECT_EQ(Utf8ToUtf32(text), U"a학\U0001F600");
  EXPECT_EQ(Utf32ToUtf8(Utf8ToUtf32(text)), text);
  const std::u32string invalid = {U'a', 0xD800, 0x110000, U'b'};
  EXPECT_EQ(Utf32ToUtf8(invalid), "a\xEF\xBF\xBD\xEF\xBF\xBD" "b");
}

struct CharacterCase {
  const char* bytes;
  std::size_t length;  // 0: no well-formed sequence starts the bytes
  char32_t character;
  friend void PrintTo(const CharacterCase& c, std::ostream* out) { *out << orvilo::testing::TestLabel(c.bytes); }
};

class Utf8Character : public ::testing::TestWithParam<CharacterCase> {};

TEST_P(Utf8Character, DecodesOnlyWellFormedSequences) {
  char32_t character = 0;
  EXPECT_EQ(DecodeUtf8Character(GetParam().bytes, character), GetParam().length);
  if (GetParam().length > 0) {
    EXPECT_EQ(character, GetParam().character);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Utf8Character,
                         ::testing::Values(CharacterCase{"ab", 1, U'a'},
                                           CharacterCase{"\xC3\xA9x", 2, 0xE9},
                                           CharacterCase{"학", 3, 0xD559},
                                           CharacterCase{"\xF0\x9F\x98\x80", 4, 0x1F600},
                                           CharacterCase{"\xEF\xBF\xBD", 3, 0xFFFD},  // U+FFFD itself is text
                                           CharacterCase{"", 0, 0},
                                           CharacterCase{"\xBF" "a", 0, 0},          // stray continuation
                                           CharacterCase{"\xED\x95", 0, 0},          // cut
                                           CharacterCase{"\xC0\xAF", 0, 0},          // overlong
                                           CharacterCase{"\xED\xA0\x80", 0, 0},      // surrogate
                                           CharacterCase{"\xF4\x90\x80\x80", 0, 0}));  // beyond U+10FFFF

TEST(Unicode, NextCodePointWalksSequenceBySequence) {
  const std::string text = "a학\xF0\x9F\x98\x80\xFF" "b";
  std::vector<char32_t> codes;
  std::vector<std::size_t> positions;
  for (std::size_t position = 0; position < text.size();) {
    codes.push_back(NextCodePoint(text, position));
    positions.push_back(position);
  }
  EXPECT_EQ(codes, (std::vector<char32_t>{U'a', U'학', U'\U0001F600', 0xFFFD, U'b'}));
  EXPECT_EQ(positions, (std::vector<std::size_t>{1, 4, 8, 9, 10}));
}
