#include "engines/sonara/api_support.h"

#include <cstring>

#include "platform/text/unicode.h"

namespace orvilo::sonara {
namespace {

thread_local int lastError = 0;

}  // namespace

int Report(int code) noexcept {
  if (code < 0) lastError = code;
  return code;
}

int LastError() noexcept { return lastError; }

int CheckText(const char* text, std::string_view* bytes) {
  if (text == nullptr || text[0] == '\0') return STTS_ERR_EMPTY_TEXT;
  const std::size_t length = strnlen(text, static_cast<std::size_t>(STTS_MAX_TEXT_BYTES) + 1);
  if (length > static_cast<std::size_t>(STTS_MAX_TEXT_BYTES)) return STTS_ERR_TEXT_TOO_LONG;
  *bytes = std::string_view(text, length);
  return STTS_OK;
}

void CopyText(char* field, std::size_t fieldBytes, std::string_view value) {
  std::memset(field, 0, fieldBytes);
  const std::size_t length = text::Utf8PrefixLength(value, fieldBytes - 1);
  std::memcpy(field, value.data(), length);
}

}  // namespace orvilo::sonara
