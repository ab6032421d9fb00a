#include "engines/sonara/spoken_text.h"

#include <gtest/gtest.h>

namespace orvilo::sonara {
namespace {

TEST(SpokenTextTest, PronunciationsStandForTheWholeDictionaryWord) {
  const auto dictionary = UserDictionary::Parse("SQL sequel\n", Language::kEnglish).dictionary;
  const std::string text = "a SQL b";
  const SpokenText spoken = MakeSpokenText(DecodeText(text, Language::kEnglish, CharacterSet::kAutomatic),
                                           dictionary.get());
  EXPECT_EQ(spoken.characters, U"a sequel b");
  for (std::size_t i = 2; i < 8; ++i) {
    EXPECT_EQ(spoken.firstByte[i], 2);
    EXPECT_EQ(spoken.lastByte[i], 4);
  }
  EXPECT_EQ(spoken.firstByte[9], 6);
}

TEST(SpokenTextTest, UnreadableCharactersBecomeBlanksAndKeepTheirBytes) {
  const std::string text = "\xEC\x95\x88\xFF\x01z";  // "안", a bad byte, a control, "z"
  const SpokenText spoken = MakeSpokenText(DecodeText(text, Language::kKorean, CharacterSet::kAutomatic), nullptr);
  EXPECT_EQ(spoken.characters, U"안  z");
  EXPECT_EQ(spoken.firstByte, (std::vector<std::int32_t>{0, 3, 4, 5}));
  EXPECT_EQ(spoken.lastByte, (std::vector<std::int32_t>{2, 3, 4, 5}));
}

std::vector<std::u32string> PiecesOf(const std::u32string& text) {
  std::vector<std::u32string> out;
  for (const Piece& piece : CutIntoPieces(text)) out.push_back(text.substr(piece.begin, piece.end - piece.begin));
  return out;
}

TEST(SpokenTextTest, PiecesEndAfterSentencesAndCoverTheText) {
  EXPECT_EQ(PiecesOf(U"Price 3.5 dollars. Next? Yes!"),
            (std::vector<std::u32string>{U"Price 3.5 dollars. ", U"Next? ", U"Yes!"}));
  EXPECT_EQ(PiecesOf(U"안녕하세요. 반갑습니다"), (std::vector<std::u32string>{U"안녕하세요. ", U"반갑습니다"}));
  EXPECT_EQ(PiecesOf(U"你好。再见。"), (std::vector<std::u32string>{U"你好。", U"再见。"}));
  EXPECT_TRUE(PiecesOf(U"").empty());
}

TEST(SpokenTextTest, LongSentencesAreCutAtABlank) {
  std::u32string text;
  while (text.size() < 3 * kMaxPieceCharacters) text += U"word ";
  std::size_t covered = 0;
  for (const Piece& piece : CutIntoPieces(text)) {
    EXPECT_EQ(piece.begin, covered);
    EXPECT_LE(piece.end - piece.begin, kMaxPieceCharacters + 1);
    EXPECT_EQ(text[piece.end - 1], U' ');
    covered = piece.end;
  }
  EXPECT_EQ(covered, text.size());

  const std::u32string unbroken(2 * kMaxPieceCharacters + 7, U'x');
  const auto pieces = CutIntoPieces(unbroken);
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces.back().end, unbroken.size());
}

}  // namespace
}  // namespace orvilo::sonara
