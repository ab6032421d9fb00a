#include "speechutil/engine_text.h"

#include <algorithm>

#include "platform/text/code_page.h"
#include "platform/text/unicode.h"

namespace orvilo::speechutil {
namespace {

// Bytes of the character whose first byte is `lead`, in a code page the
// converter produced (so well-formed).
std::size_t CharacterLength(int codePage, unsigned char lead) {
  switch (codePage) {
    case 949:
    case 936: return lead >= 0x81 && lead <= 0xFE ? 2 : 1;
    case 932: return (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC) ? 2 : 1;
    default: return 1;
  }
}

}  // namespace

int EngineCodePage(int language) {
  switch (language) {
    case 0: return 949;
    case 1: return 20127;
    case 2: return 936;
    case 3: return 932;
    default: return 0;
  }
}

EngineText ConvertToEngineText(std::u16string_view text, int language) {
  EngineText result;
  const int codePage = EngineCodePage(language);
  if (codePage == 0) return result;
  const std::string_view replacement = codePage == 949 ? std::string_view("\xA2\xAF", 2) : std::string_view("?");
  const std::string utf8 = text::Utf16ToUtf8(text);
  text::Conversion conversion =
      text::ConvertCodePage(utf8, text::CodePage::Utf8, static_cast<text::CodePage>(codePage), replacement);
  result.bytes = std::move(conversion.bytes);
  result.replaced = conversion.replaced;

  // Walk the source characters and the converted ones side by side: each
  // source character became exactly one character of the code page.
  result.unitBytes.reserve(text.size());
  std::size_t byte = 0;
  for (std::size_t unit = 0; unit < text.size();) {
    const bool pair = unit + 1 < text.size() && text[unit] >= 0xD800 && text[unit] <= 0xDBFF &&
                      text[unit + 1] >= 0xDC00 && text[unit + 1] <= 0xDFFF;
    const auto first = static_cast<std::int32_t>(std::min(byte, result.bytes.size()));
    result.unitBytes.push_back(first);
    if (pair) result.unitBytes.push_back(first);
    unit += pair ? 2 : 1;
    if (byte < result.bytes.size()) byte += CharacterLength(codePage, static_cast<unsigned char>(result.bytes[byte]));
  }
  return result;
}

std::pair<int, int> EngineText::Utf16Span(int start, int end) const {
  const auto begin = unitBytes.begin();
  const int before = static_cast<int>(std::lower_bound(begin, unitBytes.end(), start) - begin);
  const int through = static_cast<int>(std::upper_bound(begin, unitBytes.end(), end) - begin);
  // Positions the text does not explain count as they stand.
  const int a = before > 0 ? before : start;
  const int c = through - before > 0 ? through - before : end - start;
  return {a, c};
}

}  // namespace orvilo::speechutil
