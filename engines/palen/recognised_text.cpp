#include "engines/palen/recognised_text.h"

#include <algorithm>

#include "engines/palen/script.h"

namespace palen {
namespace {
constexpr int kConfidentWord = 70;
// Lines read from drawings and specks come out as a few short doubtful
// words (mean confidence 50 to 70, no word of two letters read surely);
// lines of text have such words even when a few others in them are wrong.
constexpr int kNoiseLineConfidence = 50;   // under this a line is noise anyway
constexpr int kDoubtfulLineConfidence = 75;  // under this it needs a sure word
constexpr int kSureWordConfidence = 85;

bool IsLetterOrDigit(char32_t c) { return IsHangul(c) || IsLatinLetter(c) || IsDigit(c); }

bool IsSureWord(const RecognisedWord& word) {
  int letters = 0;
  for (const RecognisedCharacter& character : word.characters) letters += IsLetterOrDigit(FirstCodePoint(character.text));
  return word.confidence >= kSureWordConfidence && letters >= 2;
}

bool IsNoise(const RecognisedLine& line) {
  if (line.words.empty()) return true;
  int total = 0;
  for (const RecognisedWord& word : line.words) total += word.confidence;
  const int mean = total / static_cast<int>(line.words.size());
  if (mean < kNoiseLineConfidence) return true;
  return mean < kDoubtfulLineConfidence && std::none_of(line.words.begin(), line.words.end(), IsSureWord);
}
}  // namespace

ScriptCount CountScripts(const std::vector<RecognisedWord>& words) {
  ScriptCount count;
  for (const RecognisedWord& word : words) {
    for (const RecognisedCharacter& character : word.characters) {
      const char32_t c = FirstCodePoint(character.text);
      count.hangul += IsHangul(c);
      count.latin += IsLatinLetter(c);
      ++count.characters;
    }
  }
  return count;
}

int LeastConfidence(const std::vector<RecognisedWord>& words) {
  if (words.empty()) return 0;
  int least = 100;
  for (const RecognisedWord& word : words) least = std::min(least, word.confidence);
  return least;
}

void DropUnreliableText(RecognisedItem& item, bool textArea) {
  const int leastConfidence = textArea ? 0 : kConfidentWord;
  for (RecognisedParagraph& paragraph : item.paragraphs) {
    for (RecognisedLine& line : paragraph.lines) {
      std::erase_if(line.words, [&](const RecognisedWord& word) {
        return word.characters.empty() || word.confidence < leastConfidence;
      });
    }
    std::erase_if(paragraph.lines, IsNoise);
  }
  std::erase_if(item.paragraphs, [](const RecognisedParagraph& paragraph) { return paragraph.lines.empty(); });
}

}  // namespace palen
