#include "engines/palen/script.h"

namespace palen {

char32_t FirstCodePoint(std::string_view utf8) {
  if (utf8.empty()) return 0;
  const auto lead = static_cast<unsigned char>(utf8[0]);
  int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
  if (length == 0 || utf8.size() < static_cast<std::size_t>(length)) return 0;
  if (length == 1) return lead;
  char32_t code = lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(utf8[i]);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  return code;
}

}  // namespace palen
