#include "engines/sonara/spoken_text.h"

#include <algorithm>

#include "engines/sonara/character_class.h"
#include "platform/text/unicode.h"

namespace orvilo::sonara {
namespace {

// Controls, the replacement character and the byte-order mark are blanks
// to the synthesiser (line ends stay: they separate words).
char32_t Readable(char32_t c) {
  if (c == U'\n') return c;
  if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0) || c == text::kReplacementCharacter || c == 0xFEFF ||
      (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
    return U' ';
  }
  return c;
}

}  // namespace

SpokenText MakeSpokenText(const DecodedText& decoded, const UserDictionary* dictionary) {
  SpokenText out;
  const std::u32string& in = decoded.characters;
  out.characters.reserve(in.size());
  out.firstByte.reserve(in.size());
  out.lastByte.reserve(in.size());
  const bool useDictionary = dictionary != nullptr && dictionary->size() > 0;
  for (std::size_t i = 0; i < in.size();) {
    const UserDictionary::Entry* entry = useDictionary ? dictionary->Match(in, i) : nullptr;
    const std::size_t taken = entry != nullptr ? entry->word.size() : 1;
    const std::int32_t first = decoded.byteOffsets[i];
    const std::int32_t last = decoded.byteOffsets[i + taken] - 1;
    if (entry != nullptr) {
      for (const char32_t c : entry->pronunciation) {
        out.characters.push_back(Readable(c));
        out.firstByte.push_back(first);
        out.lastByte.push_back(last);
      }
    } else {
      out.characters.push_back(Readable(in[i]));
      out.firstByte.push_back(first);
      out.lastByte.push_back(last);
    }
    i += taken;
  }
  return out;
}

std::vector<Piece> CutIntoPieces(const std::u32string& characters) {
  std::vector<Piece> pieces;
  const std::size_t size = characters.size();
  std::size_t begin = 0;
  while (begin < size) {
    const std::size_t limit = std::min(size, begin + kMaxPieceCharacters);
    std::size_t end = limit;
    for (std::size_t i = begin; i < limit; ++i) {
      // Full-width terminators end a sentence by themselves (no blank follows in CJK text).
      if (IsSentenceTerminator(characters[i]) &&
          (i + 1 == size || IsBlank(characters[i + 1]) || characters[i] >= 0x3000)) {
        end = i + 1;
        break;
      }
    }
    if (end == limit && limit < size) {
      // No sentence end in reach: cut after the last blank of the second half, if any.
      for (std::size_t i = limit; i > begin + kMaxPieceCharacters / 2; --i) {
        if (IsBlank(characters[i - 1])) {
          end = i;
          break;
        }
      }
    }
    while (end < size && IsBlank(characters[end])) ++end;
    pieces.push_back({begin, end});
    begin = end;
  }
  return pieces;
}

}  // namespace orvilo::sonara
