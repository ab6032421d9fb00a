#include "engines/palen/text_composer.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "platform/text/unicode.h"

namespace {

using palen::RecognisedCharacter;
using palen::RecognisedItem;
using palen::RecognisedLine;
using palen::RecognisedParagraph;
using palen::RecognisedWord;

// A word of one-code-point characters, each 10 pixels wide from `left`.
RecognisedWord Word(const std::u16string& text, int left = 0, int confidence = 90) {
  RecognisedWord word;
  word.confidence = confidence;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int x = left + static_cast<int>(10 * i);
    const std::string utf8 = orvilo::text::Utf16ToUtf8(text.substr(i, 1));
    word.characters.push_back(RecognisedCharacter{utf8, confidence, PalenRect{x, 0, x + 10, 20}});
  }
  return word;
}

RecognisedLine Line(std::initializer_list<RecognisedWord> words) { return RecognisedLine{words, PalenRect{}}; }

RecognisedItem Item(int index, std::initializer_list<RecognisedParagraph> paragraphs) {
  return RecognisedItem{index, PalenRect{}, paragraphs};
}

const std::vector<RecognisedItem> kPage = {
    Item(0, {RecognisedParagraph{{Line({Word(u"Rivers"), Word(u"carry")}), Line({Word(u"water"), Word(u"exam-")}),
                                  Line({Word(u"ples"), Word(u"well-")}), Line({Word(u"Known")})}}}),
    Item(3, {RecognisedParagraph{{Line({Word(u"물은"), Word(u"흐른다.")})}}}),
};

TEST(ComposeTextTest, JoinsTheLinesOfAParagraphAndTheWordsBrokenAtALineEnd) {
  const palen::ComposedText text = palen::ComposeText(kPage, false);
  EXPECT_EQ(text.utf8, "Rivers carry water examples well- Known\n물은 흐른다.");
  EXPECT_EQ(text.itemTexts, (std::vector<std::string>{"Rivers carry water examples well- Known", "물은 흐른다."}));
}

TEST(ComposeTextTest, KeepsTheLinesWhenAsked) {
  const palen::ComposedText text = palen::ComposeText(kPage, true);
  EXPECT_EQ(text.utf8, "Rivers carry\nwater exam-\nples well-\nKnown\n\n물은 흐른다.");
  ASSERT_EQ(text.itemTexts.size(), 2u);
  EXPECT_EQ(text.itemTexts[0], "Rivers carry\nwater exam-\nples well-\nKnown");
  EXPECT_EQ(text.itemTexts[1], "물은 흐른다.");
}

TEST(ComposeTextTest, DescribesEveryCharacterOfTheText) {
  const palen::ComposedText text = palen::ComposeText({Item(3, {RecognisedParagraph{{Line({Word(u"물은", 100, 80)}),
                                                                                 Line({Word(u"ab", 300)})}}})},
                                                      true);
  EXPECT_EQ(text.units, u"물은\nab");
  ASSERT_EQ(text.unitConfidence.size(), text.units.size());
  EXPECT_EQ(text.unitConfidence[0], 80);
  EXPECT_EQ(text.unitConfidence[2], 100) << "separators are the composer's own";
  ASSERT_EQ(text.characters.size(), 4u);
  const PalenCharRect& first = text.characters[0];
  EXPECT_EQ(first.codePoint, 0xBB3Cu);
  EXPECT_EQ(first.left, 100);
  EXPECT_EQ(first.item, 3);
  EXPECT_EQ(first.flags, PALEN_CHAR_ITEM_START | PALEN_CHAR_LINE_START | PALEN_CHAR_WORD_START);
  EXPECT_EQ(text.characters[1].flags, 0);
  const PalenCharRect& a = text.characters[2];
  EXPECT_EQ(a.codePoint, static_cast<std::uint32_t>('a'));
  EXPECT_EQ(a.textOffset, 3);
  EXPECT_EQ(a.textLength, 1);
  EXPECT_EQ(a.line, 1);
  EXPECT_EQ(a.flags, PALEN_CHAR_LINE_START | PALEN_CHAR_WORD_START);
}

TEST(ComposeTextTest, AnItemWithNothingReadHasAnEmptyTextOfItsOwn) {
  const palen::ComposedText text =
      palen::ComposeText({Item(0, {RecognisedParagraph{{Line({Word(u"one")})}}}), Item(1, {}),
                          Item(2, {RecognisedParagraph{{Line({Word(u"two")})}}, RecognisedParagraph{{Line({Word(u"three")})}}})},
                         true);
  EXPECT_EQ(text.utf8, "one\n\ntwo\n\nthree");
  EXPECT_EQ(text.itemTexts, (std::vector<std::string>{"one", "", "two\n\nthree"}));
}

TEST(ComposeTextTest, NothingReadIsNoText) {
  const palen::ComposedText text = palen::ComposeText({}, false);
  EXPECT_TRUE(text.utf8.empty());
  EXPECT_TRUE(text.characters.empty());
}

}  // namespace
