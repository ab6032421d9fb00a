#include "platform/text/unicode.h"

#include <algorithm>

namespace orvilo::text {
namespace {

// Bytes of the sequence that `lead` announces (1-4), or 0 for a byte that
// leads none (a continuation byte, 0xF8-0xFF).
std::size_t AnnouncedLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 0;
}

bool IsContinuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

bool IsScalarValue(char32_t code) { return code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF); }

void AppendUtf8(char32_t code, std::string& out) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (code >> 18)));
    out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

}  // namespace

// Decodes the character at `pos` and advances past it. An ill-formed
// sequence becomes one U+FFFD and costs its lead byte and the continuation
// bytes after it (no more than the lead announced), so the text after it is
// found again.
char32_t NextCodePoint(std::string_view s, std::size_t& pos) {
  char32_t character;
  if (const std::size_t length = DecodeUtf8Character(s.substr(pos), character)) {
    pos += length;
    return character;
  }
  const std::size_t end = pos + std::max<std::size_t>(1, AnnouncedLength(static_cast<unsigned char>(s[pos])));
  ++pos;
  while (pos < end && pos < s.size() && IsContinuation(s[pos])) ++pos;
  return kReplacementCharacter;
}

std::size_t DecodeUtf8Character(std::string_view bytes, char32_t& character) {
  if (bytes.empty()) return 0;
  const unsigned char lead = static_cast<unsigned char>(bytes[0]);
  const std::size_t length = AnnouncedLength(lead);
  if (length == 1) {
    character = lead;
    return 1;
  }
  if (length == 0 || bytes.size() < length) return 0;
  constexpr char32_t kShortest[5] = {0, 0, 0x80, 0x800, 0x10000};
  char32_t code = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if (!IsContinuation(bytes[i])) return 0;
    code = (code << 6) | (static_cast<unsigned char>(bytes[i]) & 0x3F);
  }
  if (code < kShortest[length] || !IsScalarValue(code)) return 0;
  character = code;
  return length;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const char32_t code = NextCodePoint(utf8, pos);
    if (code >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(code));
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size() * 3);
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t code = utf16[i];
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (code >= 0xD800 && code <= 0xDFFF) {
      code = kReplacementCharacter;
    }
    AppendUtf8(code, out);
  }
  return out;
}

std::u32string Utf8ToUtf32(std::string_view utf8) {
  std::u32string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) out.push_back(NextCodePoint(utf8, pos));
  return out;
}

std::string Utf32ToUtf8(std::u32string_view utf32) {
  std::string out;
  out.reserve(utf32.size() * 3);
  for (const char32_t code : utf32) AppendUtf8(IsScalarValue(code) ? code : kReplacementCharacter, out);
  return out;
}

bool IsValidUtf8(std::string_view bytes) {
  char32_t ignored;
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t length = DecodeUtf8Character(bytes.substr(pos), ignored);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

std::size_t Utf8PrefixLength(std::string_view bytes, std::size_t limit) {
  if (limit >= bytes.size()) return bytes.size();
  // Look back (at most three bytes) for the lead of a sequence that the cut at
  // `limit` would split; stray continuation bytes are cut like single bytes.
  for (std::size_t back = 1; back <= 3 && back <= limit; ++back) {
    const unsigned char byte = static_cast<unsigned char>(bytes[limit - back]);
    if ((byte & 0xC0) == 0x80) continue;
    const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    return length > back ? limit - back : limit;
  }
  return limit;
}

}  // namespace orvilo::text
