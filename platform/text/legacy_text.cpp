#include "platform/text/legacy_text.h"

#include "platform/text/unicode.h"

namespace orvilo::text {

TextEncoding DetectTextEncoding(std::string_view bytes, CodePage legacy) {
  if (IsValidUtf8(bytes)) return TextEncoding::kUtf8;
  return ConvertCodePage(bytes, legacy, CodePage::Utf8).ok ? TextEncoding::kLegacy : TextEncoding::kNeither;
}

bool LooksLikeCp949(std::string_view bytes) {
  return DetectTextEncoding(bytes, CodePage::Cp949) == TextEncoding::kLegacy;
}

std::string DecodeLegacyText(std::string_view bytes) {
  switch (DetectTextEncoding(bytes, CodePage::Cp949)) {
    case TextEncoding::kUtf8: return std::string(bytes);
    case TextEncoding::kLegacy: return ConvertCodePage(bytes, CodePage::Cp949, CodePage::Utf8).bytes;
    case TextEncoding::kNeither: break;
  }
  return Utf16ToUtf8(Utf8ToUtf16(bytes));  // replaces what is neither
}

}  // namespace orvilo::text
