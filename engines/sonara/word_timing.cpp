#include "engines/sonara/word_timing.h"

#include "engines/sonara/character_class.h"

namespace orvilo::sonara {

void AddUnreportedWords(std::u32string_view piece, std::int64_t pieceSamples,
                        std::vector<EspeakSynthesizer::Word>& words) {
  if (words.empty()) return;
  std::vector<EspeakSynthesizer::Word> all;
  all.reserve(words.size() * 2);
  const auto size = static_cast<int>(piece.size());
  for (std::size_t i = 0; i < words.size(); ++i) {
    const EspeakSynthesizer::Word& from = words[i];
    all.push_back(from);
    // The next reported word, or the end of the piece.
    const int toPosition = i + 1 < words.size() ? words[i + 1].characterPosition : size;
    const std::int64_t toSample = i + 1 < words.size() ? words[i + 1].sample : pieceSamples;
    if (toPosition <= from.characterPosition || toSample < from.sample) continue;
    for (int s = from.characterPosition + from.characterLength; s < toPosition; ++s) {
      if (IsBlank(piece[s]) || (s > 0 && !IsBlank(piece[s - 1]))) continue;  // not the start of a word
      int end = s;
      while (end < toPosition && !IsBlank(piece[end])) ++end;
      // Only words the synthesiser speaks (with a letter or digit in them).
      bool speakable = false;
      for (int k = s; k < end && !speakable; ++k) speakable = IsWordCharacter(piece[k]);
      if (!speakable) continue;
      const std::int64_t sample =
          from.sample + (toSample - from.sample) * (s - from.characterPosition) / (toPosition - from.characterPosition);
      all.push_back({s, end - s, sample});
    }
  }
  words.swap(all);
}

}  // namespace orvilo::sonara
