// Conversions between the system code page (UTF-8) and the code pages of the
// speech engine and of text written on Windows: CP949 (Korean, the unified
// Hangul code), CP936 (Simplified Chinese), CP932 (Japanese) and US-ASCII.
// Built on glibc's iconv; independent of the process locale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvilo::text {

// Values are the Windows code-page numbers.
enum class CodePage : int {
  Cp932 = 932,
  Cp936 = 936,
  Cp949 = 949,
  Ascii = 20127,
  Utf8 = 65001,
};

// The system's ANSI code page on this platform.
constexpr CodePage kSystemCodePage = CodePage::Utf8;

struct Conversion {
  std::string bytes;          // the converted text
  bool ok = false;            // every input character was converted as it stands
  std::size_t replaced = 0;   // characters replaced (only with a replacement text)
};

// Converts `bytes` from one code page to another. Strict: the first input
// byte sequence that is invalid in `from` or has no equivalent in `to` ends
// the conversion; `bytes` then holds the text converted before it and `ok` is
// false.
Conversion ConvertCodePage(std::string_view bytes, CodePage from, CodePage to);

// As above, but each invalid or unconvertible input character is replaced by
// `replacement` (bytes already in `to`) and the conversion goes on; `ok` is
// then true unless the converter itself could not be opened. An invalid byte
// of a double-byte code page costs one byte of input, so the text after it is
// found again.
Conversion ConvertCodePage(std::string_view bytes, CodePage from, CodePage to, std::string_view replacement);

// Characters decoded one by one, each keeping the bytes it came from, so
// that whatever is found among the characters (a word, a sentence) can be
// pointed out in the original bytes.
struct DecodedText {
  std::u32string characters;
  // characters.size() + 1 entries: the first byte of each character, then
  // the length of the input. Character i came from bytes
  // [byteOffsets[i], byteOffsets[i + 1]).
  std::vector<std::int32_t> byteOffsets;
};

// Decodes `bytes` (less than 2 GiB) of code page `from`. Each byte that
// begins no character of the code page (an invalid or cut sequence) becomes
// a U+FFFD of its own, and decoding goes on with the next byte. Nothing when
// the system cannot convert from `from`.
std::optional<DecodedText> DecodeCodePage(std::string_view bytes, CodePage from);

}  // namespace orvilo::text
