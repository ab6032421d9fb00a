// Which script a recognised character belongs to, as far as the engine
// needs to know: Korean letters, Latin letters, or other.
#pragma once

#include <string_view>

namespace palen {

// First code point of UTF-8 text: 0 for empty text, U+FFFD for broken text.
char32_t FirstCodePoint(std::string_view utf8);

constexpr bool IsHangul(char32_t c) {
  return (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0x1100 && c <= 0x11FF) || (c >= 0x3130 && c <= 0x318F);
}

constexpr bool IsHangulSyllable(char32_t c) { return c >= 0xAC00 && c <= 0xD7A3; }

constexpr bool IsDigit(char32_t c) { return c >= '0' && c <= '9'; }

constexpr bool IsLatinLetter(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace palen
