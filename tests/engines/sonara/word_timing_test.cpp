#include "engines/sonara/word_timing.h"

#include <gtest/gtest.h>

namespace orvilo::sonara {
namespace {

using Word = EspeakSynthesizer::Word;

TEST(WordTimingTest, UnreportedWordsAreTimedBetweenTheirNeighbours) {
  // "오늘은 날씨가 좋다": the synthesiser reported the first and the last word only.
  std::vector<Word> words = {{0, 3, 0}, {8, 2, 800}};
  AddUnreportedWords(U"오늘은 날씨가 좋다", 1000, words);
  ASSERT_EQ(words.size(), 3u);
  EXPECT_EQ(words[1].characterPosition, 4);
  EXPECT_EQ(words[1].characterLength, 3);
  EXPECT_EQ(words[1].sample, 400);  // 4/8 of the way from 0 to 800
  EXPECT_EQ(words[2].characterPosition, 8);
}

TEST(WordTimingTest, ReportedWordsAndPunctuationAreLeftAlone) {
  std::vector<Word> words = {{0, 1, 0}, {4, 1, 300}};
  const std::vector<Word> before = words;
  AddUnreportedWords(U"a - b", 500, words);
  ASSERT_EQ(words.size(), before.size());
  EXPECT_EQ(words[1].sample, 300);
}

TEST(WordTimingTest, WordsAfterTheLastReportedOneRunToTheEnd) {
  std::vector<Word> words = {{0, 2, 0}};
  AddUnreportedWords(U"ab cd", 1000, words);
  ASSERT_EQ(words.size(), 2u);
  EXPECT_EQ(words[1].characterPosition, 3);
  EXPECT_EQ(words[1].sample, 600);
}

}  // namespace
}  // namespace orvilo::sonara
