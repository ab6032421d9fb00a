#include "platform/text/code_page.h"

#include <iconv.h>

#include <cerrno>

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

// One iconv conversion descriptor, closed with the object.
class Converter {
 public:
  Converter(CodePage from, CodePage to) : handle_(iconv_open(IconvName(to), IconvName(from))) {}
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

 private:
  iconv_t handle_;
};

// Length of the character of code page `from` at the start of `input`: the
// shortest prefix that decodes on its own, or 1 for a byte that starts none.
std::size_t CharacterLength(std::string_view input, Converter& decoder) {
  for (std::size_t length = 1; length <= 4 && length <= input.size(); ++length) {
    std::string_view prefix = input.substr(0, length);
    std::string ignored;
    if (decoder.IsOpen() && decoder.Convert(prefix, ignored) == 0) return length;
  }
  return 1;
}

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
  Converter decoder(from, CodePage::Utf8);  // measures the characters that fail
  while (converter.Convert(bytes, result.bytes) != 0 && !bytes.empty()) {
    result.bytes.append(replacement);
    ++result.replaced;
    bytes.remove_prefix(CharacterLength(bytes, decoder));
  }
  result.ok = true;
  return result;
}

}  // namespace orvilo::text
