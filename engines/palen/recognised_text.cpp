#include "engines/palen/recognised_text.h"

#include <algorithm>

#include "engines/palen/script.h"

namespace palen {
namespace {
constexpr int kConfidentWord = 70;
// Mean word confidence under which a whole line is taken for noise.
constexpr int kLeastLineConfidence = 50;
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
    std::erase_if(paragraph.lines, [](const RecognisedLine& line) {
      int total = 0;
      for (const RecognisedWord& word : line.words) total += word.confidence;
      return line.words.empty() || total < kLeastLineConfidence * static_cast<int>(line.words.size());
    });
  }
  std::erase_if(item.paragraphs, [](const RecognisedParagraph& paragraph) { return paragraph.lines.empty(); });
}

}  // namespace palen
