// Turns the caller's bytes into characters while remembering, for every
// character, which bytes it came from, so that whatever the engine reports
// about a word can point back into the caller's own text.
//
// Automatic reading: valid UTF-8 (the system code page) is UTF-8; otherwise
// the language's legacy code page when the bytes decode cleanly in it
// (Korean text written on Windows is CP949); otherwise UTF-8 once more. In
// every mode each byte that cannot be decoded becomes one U+FFFD.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engines/sonara/language.h"

namespace orvilo::sonara {

enum class CharacterSet { kAutomatic, kUtf8, kCodePage };

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

struct DecodedText {
  std::u32string characters;
  // characters.size() + 1 entries: the first byte of each character, then
  // the length of the text. Character i came from bytes
  // [byteOffsets[i], byteOffsets[i + 1]).
  std::vector<std::int32_t> byteOffsets;
};

DecodedText DecodeText(std::string_view bytes, Language language, CharacterSet characterSet);

// The characters of `bytes` as UTF-8, for reading files of either kind.
DecodedText DecodeUtf8(std::string_view bytes);

}  // namespace orvilo::sonara
