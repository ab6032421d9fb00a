// What the synthesiser reads: the caller's characters with dictionary words
// replaced by their pronunciations and unreadable characters blanked, each
// character still tied to the caller's bytes it stands for; cut into pieces
// of about a sentence that are synthesised one after another.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engines/sonara/text_decoder.h"
#include "engines/sonara/user_dictionary.h"

namespace orvilo::sonara {

struct SpokenText {
  std::u32string characters;
  // Per character: the first and last byte (inclusive) of the caller's text
  // it stands for. Every character of a pronunciation stands for the whole
  // dictionary word.
  std::vector<std::int32_t> firstByte;
  std::vector<std::int32_t> lastByte;
};

// `dictionary` may be null.
SpokenText MakeSpokenText(const DecodedText& decoded, const UserDictionary* dictionary);

struct Piece {
  std::size_t begin;  // character positions in SpokenText::characters
  std::size_t end;
};

// Longest piece; a sentence longer than this is cut at a blank (or, with no
// blank, anywhere) so that synthesis can start, and stop, quickly.
inline constexpr std::size_t kMaxPieceCharacters = 300;

// Pieces end after a sentence terminator followed by a blank (or the end,
// or any full-width terminator), taking the blanks with them; together they
// cover the whole text.
std::vector<Piece> CutIntoPieces(const std::u32string& characters);

}  // namespace orvilo::sonara
