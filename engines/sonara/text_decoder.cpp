#include "engines/sonara/text_decoder.h"

#include <iconv.h>

#include <algorithm>

#include "platform/text/unicode.h"

namespace orvilo::sonara {
namespace {

struct IconvCloser {
  iconv_t descriptor;
  ~IconvCloser() {
    if (descriptor != reinterpret_cast<iconv_t>(-1)) iconv_close(descriptor);
  }
};

// Returns the code point of a well-formed sequence at `pos` and its length,
// or U+FFFD and 1 for a byte that starts no well-formed sequence.
char32_t NextUtf8(std::string_view s, std::size_t pos, std::size_t& length) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(pos);
  length = 1;
  if (lead < 0x80) return lead;
  int count;
  char32_t code;
  char32_t minimum;
  if (lead >= 0xC2 && lead <= 0xDF) {
    count = 2, code = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    count = 3, code = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    count = 4, code = lead & 0x07, minimum = 0x10000;
  } else {
    return kReplacementCharacter;
  }
  if (pos + count > s.size()) return kReplacementCharacter;
  for (int k = 1; k < count; ++k) {
    if ((byte(pos + k) & 0xC0) != 0x80) return kReplacementCharacter;
    code = (code << 6) | (byte(pos + k) & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return kReplacementCharacter;
  length = static_cast<std::size_t>(count);
  return code;
}

// Decodes with iconv one character at a time, so that each character's
// bytes are known. Returns false when the code page is not available.
bool DecodeCodePage(std::string_view bytes, const char* codePage, DecodedText& out, std::size_t& invalidBytes) {
  IconvCloser converter{iconv_open("UTF-32LE", codePage)};
  if (converter.descriptor == reinterpret_cast<iconv_t>(-1)) return false;
  invalidBytes = 0;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    char* in = const_cast<char*>(bytes.data() + pos);
    std::size_t inLeft = bytes.size() - pos;
    unsigned char unit[4];
    char* outPointer = reinterpret_cast<char*>(unit);
    std::size_t outLeft = sizeof unit;
    iconv(converter.descriptor, &in, &inLeft, &outPointer, &outLeft);
    const std::size_t consumed = static_cast<std::size_t>(in - (bytes.data() + pos));
    if (outLeft == 0 && consumed > 0) {
      out.characters.push_back(static_cast<char32_t>(unit[0] | (unit[1] << 8) | (unit[2] << 16) |
                                                     (static_cast<char32_t>(unit[3]) << 24)));
      out.byteOffsets.push_back(static_cast<std::int32_t>(pos));
      pos += consumed;
      continue;
    }
    // An invalid or incomplete sequence: one replacement for its first byte.
    iconv(converter.descriptor, nullptr, nullptr, nullptr, nullptr);
    out.characters.push_back(kReplacementCharacter);
    out.byteOffsets.push_back(static_cast<std::int32_t>(pos));
    ++invalidBytes;
    ++pos;
  }
  out.byteOffsets.push_back(static_cast<std::int32_t>(bytes.size()));
  return true;
}

}  // namespace

DecodedText DecodeUtf8(std::string_view bytes) {
  DecodedText out;
  out.characters.reserve(bytes.size());
  out.byteOffsets.reserve(bytes.size() + 1);
  for (std::size_t pos = 0; pos < bytes.size();) {
    std::size_t length = 1;
    out.characters.push_back(NextUtf8(bytes, pos, length));
    out.byteOffsets.push_back(static_cast<std::int32_t>(pos));
    pos += length;
  }
  out.byteOffsets.push_back(static_cast<std::int32_t>(bytes.size()));
  return out;
}

DecodedText DecodeText(std::string_view bytes, Language language, CharacterSet characterSet) {
  if (characterSet == CharacterSet::kUtf8 ||
      (characterSet == CharacterSet::kAutomatic && text::IsValidUtf8(bytes))) {
    return DecodeUtf8(bytes);
  }
  DecodedText legacy;
  std::size_t invalidBytes = 0;
  if (DecodeCodePage(bytes, CodePageName(language), legacy, invalidBytes) &&
      (characterSet == CharacterSet::kCodePage || invalidBytes == 0)) {
    return legacy;
  }
  return DecodeUtf8(bytes);
}

}  // namespace orvilo::sonara
