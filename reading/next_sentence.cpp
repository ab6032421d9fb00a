#include "reading/next_sentence.h"

#include <cstddef>

namespace orvilo::reading {
namespace {

constexpr std::ptrdiff_t kNone = -1;

// Bytes of the character that starts at `lead`; a byte that cannot start a
// character counts as one, so malformed text still moves forward.
std::size_t CharacterLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 1;
}

// Calls `visit(position)` for the start of every character until it returns true.
template <typename Visit>
std::ptrdiff_t FindCharacter(std::string_view text, Visit visit) {
  for (std::size_t i = 0; i < text.size(); i += CharacterLength(static_cast<unsigned char>(text[i]))) {
    if (visit(i)) return static_cast<std::ptrdiff_t>(i);
  }
  return kNone;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string_view NextSentence(std::string_view text) {
  if (text.empty()) return {};
  const std::ptrdiff_t lineEnd =
      FindCharacter(text, [&](std::size_t i) { return text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'; });
  std::ptrdiff_t end = FindCharacter(
      text, [&](std::size_t i) { return text[i] == '.' && !(i + 1 < text.size() && IsDigit(text[i + 1])); });
  for (const char mark : {'?', '!', ':'}) {
    const std::ptrdiff_t at = FindCharacter(text, [&](std::size_t i) { return text[i] == mark; });
    if (at > 0 && (end < 0 || end >= at)) end = at;
  }
  if (end < 0) {
    end = lineEnd;
  } else if (lineEnd > 0 && end >= lineEnd) {
    end = lineEnd;
  }
  if (end < 0) return text;
  return text.substr(0, static_cast<std::size_t>(end) + 1);
}

}  // namespace orvilo::reading
