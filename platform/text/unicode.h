// UTF-8, UTF-16 and UTF-32 conversion and UTF-8 validation, without locale
// or iconv. Invalid input never fails: ill-formed sequences, unpaired
// surrogates and values beyond Unicode become U+FFFD, so text from files and
// engines is always displayable.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvilo::text {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);
std::u32string Utf8ToUtf32(std::string_view utf8);
std::string Utf32ToUtf8(std::u32string_view utf32);

// Length of the well-formed UTF-8 sequence at the start of `bytes`, its
// character stored in `character`; 0 when `bytes` is empty or starts with no
// such sequence (a stray or cut byte, an overlong form, a surrogate).
std::size_t DecodeUtf8Character(std::string_view bytes, char32_t& character);

// The code point of the sequence that starts at `position`, which moves past
// it (at least one byte; `position` must be inside `utf8`). An ill-formed
// sequence gives U+FFFD.
char32_t NextCodePoint(std::string_view utf8, std::size_t& position);

// True when the bytes are well-formed UTF-8 (shortest forms, no surrogates).
bool IsValidUtf8(std::string_view bytes);

// Length in bytes of the longest prefix of `bytes` no longer than `limit`
// that does not end inside a UTF-8 sequence; bytes that belong to no
// sequence count as characters of their own, so garbage is cut at `limit`.
std::size_t Utf8PrefixLength(std::string_view bytes, std::size_t limit);

}  // namespace orvilo::text
