#include "platform/text/legacy_text.h"

#include "platform/text/code_page.h"
#include "platform/text/unicode.h"

namespace orvilo::text {

bool LooksLikeCp949(std::string_view bytes) {
  return !IsValidUtf8(bytes) && ConvertCodePage(bytes, CodePage::Cp949, CodePage::Utf8).ok;
}

std::string DecodeLegacyText(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  Conversion decoded = ConvertCodePage(bytes, CodePage::Cp949, CodePage::Utf8);
  if (decoded.ok) return std::move(decoded.bytes);
  return Utf16ToUtf8(Utf8ToUtf16(bytes));  // replaces what is neither
}

}  // namespace orvilo::text
