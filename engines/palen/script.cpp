#include "engines/palen/script.h"

#include "platform/text/unicode.h"

namespace palen {

char32_t FirstCodePoint(std::string_view utf8) {
  std::size_t position = 0;
  return utf8.empty() ? 0 : orvilo::text::NextCodePoint(utf8, position);
}

}  // namespace palen
