#include "platform/text/legacy_text.h"

#include "platform/text/unicode.h"

namespace orvilo::text {

std::optional<std::string> DecodeIfLegacy(std::string_view bytes, CodePage legacy) {
  if (IsValidUtf8(bytes)) return std::nullopt;
  Conversion conversion = ConvertCodePage(bytes, legacy, CodePage::Utf8);
  if (!conversion.ok) return std::nullopt;
  return std::move(conversion.bytes);
}

TextEncoding DetectTextEncoding(std::string_view bytes, CodePage legacy) {
  if (IsValidUtf8(bytes)) return TextEncoding::kUtf8;
  return DecodeIfLegacy(bytes, legacy) ? TextEncoding::kLegacy : TextEncoding::kNeither;
}

bool LooksLikeCp949(std::string_view bytes) {
  return DetectTextEncoding(bytes, CodePage::Cp949) == TextEncoding::kLegacy;
}

std::string DecodeLegacyText(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  if (auto decoded = DecodeIfLegacy(bytes, CodePage::Cp949)) return std::move(*decoded);
  return Utf16ToUtf8(Utf8ToUtf16(bytes));  // replaces what is neither
}

}  // namespace orvilo::text
