// Text that Windows machines wrote in their ANSI code page: Korean schools
// run CP949, so settings files, dictionaries and text files carried over
// from such a machine are CP949 where this platform expects UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace orvilo::text {

// True when `bytes` is not valid UTF-8 but is valid CP949 throughout. Decide
// over a whole file or document rather than per line: short CP949 runs can
// happen to be valid UTF-8, long ones practically never are.
bool LooksLikeCp949(std::string_view bytes);

// The text of `bytes` as UTF-8: valid UTF-8 is returned unchanged, CP949 text
// (LooksLikeCp949) is decoded, anything else has its invalid sequences
// replaced by U+FFFD.
std::string DecodeLegacyText(std::string_view bytes);

}  // namespace orvilo::text
