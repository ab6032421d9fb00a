#include "reading/next_sentence.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvilo::reading {
namespace {

// Every piece of a text, as the reader cuts it: a piece, then the rest.
std::vector<std::string> Pieces(std::string_view text) {
  std::vector<std::string> pieces;
  while (!text.empty()) {
    std::string_view piece = NextSentence(text);
    if (piece.empty()) piece = text;
    pieces.emplace_back(piece);
    text.remove_prefix(piece.size());
  }
  return pieces;
}

struct Case {
  const char* name;
  std::string text;
  std::vector<std::string> pieces;
};

class NextSentenceTest : public ::testing::TestWithParam<Case> {};

TEST_P(NextSentenceTest, CutsTheTextIntoItsPieces) { EXPECT_EQ(Pieces(GetParam().text), GetParam().pieces); }

INSTANTIATE_TEST_SUITE_P(
    Cases, NextSentenceTest,
    ::testing::Values(
        Case{"DecimalPointIsNoEnd", "Price 3.5 dollars. Next", {"Price 3.5 dollars.", " Next"}},
        Case{"EachDotOfAnEllipsis", "Wait... go", {"Wait.", ".", ".", " go"}},
        Case{"QuestionMarkAtTheStartIsIgnored", "?ab.cd", {"?ab.", "cd"}},
        Case{"EarlierMarkWins", "Really? Yes! Then: go.", {"Really?", " Yes!", " Then:", " go."}},
        Case{"DotAsLastCharacter", "End.", {"End."}},
        Case{"NoTerminator", "no end here", {"no end here"}},
        Case{"LeadingLineBreakHasNoLimit", "\r\nab\r\ncd.", {"\r\nab\r\ncd."}},
        Case{"LeadingLineBreakWithoutStop", "\r\nab\r\ncd", {"\r", "\nab\r", "\ncd"}},
        Case{"LineBreakBeforeTheStop", "one\r\ntwo.", {"one\r", "\ntwo."}},
        Case{"LoneLineFeedIsNoBreak", "a\nb. c", {"a\nb.", " c"}},
        Case{"Korean", "안녕하세요. 반갑습니다! 3.14는 무엇일까요?",
             {"안녕하세요.", " 반갑습니다!", " 3.14는 무엇일까요?"}},
        Case{"KoreanWithoutBlanks", "첫째.둘째?셋째", {"첫째.", "둘째?", "셋째"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NextSentence, EmptyTextGivesAnEmptyPiece) { EXPECT_EQ(NextSentence(""), ""); }

// Bytes that are not whole UTF-8 characters still move the search forward:
// the stray byte is one character, and the stop after it is found.
TEST(NextSentence, MalformedBytesDoNotHideAStop) {
  const std::string text = std::string("\xEA\xB0") + "x. y";
  EXPECT_EQ(NextSentence(text), std::string("\xEA\xB0") + "x.");
}

}  // namespace
}  // namespace orvilo::reading
