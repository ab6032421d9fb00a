#include "platform/text/unicode.h"

namespace orvilo::text {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one sequence at `pos`; advances `pos` past it (at least one byte).
char32_t DecodeUtf8(std::string_view s, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(pos);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  int length;
  char32_t code;
  char32_t minimum;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, code = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, code = lead & 0x07, minimum = 0x10000;
  } else {
    ++pos;
    return kReplacement;
  }
  std::size_t i = pos + 1;
  for (int k = 1; k < length; ++k, ++i) {
    if (i >= s.size() || (byte(i) & 0xC0) != 0x80) {
      pos = i;  // consume the well-formed part only
      return kReplacement;
    }
    code = (code << 6) | (byte(i) & 0x3F);
  }
  pos = i;
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return kReplacement;
  return code;
}

}  // namespace

char32_t NextCodePoint(std::string_view utf8, std::size_t& position) { return DecodeUtf8(utf8, position); }

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const char32_t code = DecodeUtf8(utf8, pos);
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
      code = kReplacement;
    }
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
  return out;
}

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t start = pos;
    if (DecodeUtf8(bytes, pos) == kReplacement) {
      // U+FFFD itself, spelled correctly, is valid text.
      if (!(pos - start == 3 && bytes.substr(start, 3) == "\xEF\xBF\xBD")) return false;
    }
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
