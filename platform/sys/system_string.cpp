#include "platform/sys/system_string.h"

#include "platform/text/unicode.h"

namespace orvilo::sys {

std::string SysStringToUtf8(const VxOleChar* text, std::size_t length) {
  if (text == nullptr) return {};
  return orvilo::text::Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text), length));
}

}  // namespace orvilo::sys
