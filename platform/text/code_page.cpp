#include "platform/text/code_page.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

#include "platform/text/unicode.h"

namespace orvilo::text {
namespace {

const char* IconvName(CodePage codePage) {
  switch (codePage) {
    case CodePage::Cp932: return "CP932";
    case CodePage::Cp936: return "CP936";
    case CodePage::Cp949: return "CP949";
    case CodePage::Ascii: return "ASCII";
    case CodePage::Utf8: return "UTF-8";
  }
  return "UTF-8";
}

// Characters as DecodeCharacter reads them.
constexpr const char* kUtf32 = "UTF-32LE";

// One iconv conversion descriptor, closed with the object.
class Converter {
 public:
  Converter(const char* from, const char* to) : handle_(iconv_open(to, from)) {}
  Converter(CodePage from, CodePage to) : Converter(IconvName(from), IconvName(to)) {}
  ~Converter() {
    if (IsOpen()) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool IsOpen() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

  // Converts as much of `input` as possible, appending to `output`. Returns 0
  // when all of it was converted, else the errno that stopped it (EILSEQ for
  // an invalid or unconvertible character, EINVAL for a sequence cut by the
  // end of the input); `input` is left at the character that stopped it.
  int Convert(std::string_view& input, std::string& output) {
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    std::size_t used = output.size();
    output.resize(used + inLeft * 2 + 16);
    int error = 0;
    while (inLeft > 0) {
      char* out = output.data() + used;
      std::size_t outLeft = output.size() - used;
      const std::size_t result = iconv(handle_, &in, &inLeft, &out, &outLeft);
      used = static_cast<std::size_t>(out - output.data());
      if (result != static_cast<std::size_t>(-1)) break;
      if (errno == E2BIG) {
        output.resize(output.size() * 2);
        continue;
      }
      error = errno;
      iconv(handle_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
      break;
    }
    output.resize(used);
    input = std::string_view(in, inLeft);
    return error;
  }

  // For a converter to kUtf32: decodes the first character of `input` into
  // `character` and returns its length in bytes; 0 when `input` does not
  // begin with a complete, valid character.
  std::size_t DecodeCharacter(std::string_view input, char32_t& character) {
    // No character of these code pages is longer than four bytes. Offering
    // glibc the whole rest of the text made it convert a buffer's worth
    // ahead on every call only to discard it (16 s for 1 MB of CP949).
    const std::size_t offered = std::min<std::size_t>(input.size(), 4);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = offered;
    unsigned char unit[4];
    char* out = reinterpret_cast<char*>(unit);
    std::size_t outLeft = sizeof unit;
    iconv(handle_, &in, &inLeft, &out, &outLeft);  // stops after one character: no room for more
    const std::size_t length = offered - inLeft;
    if (outLeft != 0 || length == 0) {
      iconv(handle_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
      return 0;
    }
    character = static_cast<char32_t>(unit[0] | (unit[1] << 8) | (unit[2] << 16)) |
                (static_cast<char32_t>(unit[3]) << 24);
    return length;
  }

 private:
  iconv_t handle_;
};

}  // namespace

Conversion ConvertCodePage(std::string_view bytes, CodePage from, CodePage to) {
  Conversion result;
  Converter converter(from, to);
  if (!converter.IsOpen()) return result;
  result.ok = converter.Convert(bytes, result.bytes) == 0;
  return result;
}

Conversion ConvertCodePage(std::string_view bytes, CodePage from, CodePage to, std::string_view replacement) {
  Conversion result;
  Converter converter(from, to);
  if (!converter.IsOpen()) return result;
  Converter decoder(IconvName(from), kUtf32);  // measures the characters that fail
  char32_t ignored;
  while (converter.Convert(bytes, result.bytes) != 0 && !bytes.empty()) {
    result.bytes.append(replacement);
    ++result.replaced;
    bytes.remove_prefix(std::max<std::size_t>(1, decoder.IsOpen() ? decoder.DecodeCharacter(bytes, ignored) : 0));
  }
  result.ok = true;
  return result;
}

std::optional<DecodedText> DecodeCodePage(std::string_view bytes, CodePage from) {
  std::optional<Converter> decoder;  // UTF-8, the common case, needs none
  if (from != CodePage::Utf8) {
    decoder.emplace(IconvName(from), kUtf32);
    if (!decoder->IsOpen()) return std::nullopt;
  }
  DecodedText text;
  text.characters.reserve(bytes.size());
  text.byteOffsets.reserve(bytes.size() + 1);
  for (std::size_t position = 0; position < bytes.size();) {
    char32_t character = kReplacementCharacter;
    const std::string_view rest = bytes.substr(position);
    const std::size_t length = decoder ? decoder->DecodeCharacter(rest, character) : DecodeUtf8Character(rest, character);
    text.characters.push_back(length > 0 ? character : kReplacementCharacter);
    text.byteOffsets.push_back(static_cast<std::int32_t>(position));
    position += std::max<std::size_t>(1, length);
  }
  text.byteOffsets.push_back(static_cast<std::int32_t>(bytes.size()));
  return text;
}

}  // namespace orvilo::text
