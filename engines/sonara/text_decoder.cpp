#include "engines/sonara/text_decoder.h"

#include "platform/text/legacy_text.h"

namespace orvilo::sonara {

DecodedText DecodeText(std::string_view bytes, Language language, CharacterSet characterSet) {
  const text::CodePage legacy = LegacyCodePage(language);
  const bool readAsLegacy =
      characterSet == CharacterSet::kCodePage ||
      (characterSet == CharacterSet::kAutomatic && text::DetectTextEncoding(bytes, legacy) == text::TextEncoding::kLegacy);
  if (readAsLegacy) {
    if (auto decoded = text::DecodeCodePage(bytes, legacy)) return std::move(*decoded);
    // The system lacks the code page: read the bytes as UTF-8.
  }
  return *text::DecodeCodePage(bytes, text::CodePage::Utf8);
}

}  // namespace orvilo::sonara
