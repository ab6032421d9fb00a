// Text that Windows machines wrote in their ANSI code page: Korean schools
// run CP949, so settings files, dictionaries and text files carried over
// from such a machine are CP949 where this platform expects UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/text/code_page.h"

namespace orvilo::text {

// What text that is either UTF-8 or in a legacy code page is written in.
enum class TextEncoding {
  kUtf8,     // valid UTF-8
  kLegacy,   // not UTF-8, but valid in the legacy code page throughout
  kNeither,  // broken UTF-8 that the legacy code page does not explain: read it as UTF-8 with replacements
};

// Decide over a whole file or document rather than per line: short legacy
// runs can happen to be valid UTF-8, long ones practically never are.
TextEncoding DetectTextEncoding(std::string_view bytes, CodePage legacy);

// DetectTextEncoding(bytes, CodePage::Cp949) is kLegacy.
bool LooksLikeCp949(std::string_view bytes);

// The UTF-8 text of `bytes` when they are kLegacy in `legacy`; nothing
// otherwise. Detects and decodes in one conversion.
std::optional<std::string> DecodeIfLegacy(std::string_view bytes, CodePage legacy);

// The text of `bytes` as UTF-8: valid UTF-8 is returned unchanged, CP949 text
// (LooksLikeCp949) is decoded, anything else has its invalid sequences
// replaced by U+FFFD.
std::string DecodeLegacyText(std::string_view bytes);

}  // namespace orvilo::text
