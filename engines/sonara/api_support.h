// What every STTS_* call shares: the thread's last error and the rule that
// nothing throws across the C interface.
#pragma once

#include <cstddef>
#include <string_view>

#include "engines/sonara/sonara_m.h"

namespace orvilo::sonara {

// Remembers `code` as the thread's last error when it is one; returns it.
int Report(int code);
int LastError();

// Runs `call`; an exception (out of memory) becomes `onFailure`.
template <typename Call>
auto Guarded(Call call, decltype(call()) onFailure) noexcept -> decltype(call()) {
  try {
    return call();
  } catch (...) {
    Report(STTS_ERR_INTERNAL);
    return onFailure;
  }
}

// The caller's text: STTS_ERR_EMPTY_TEXT or STTS_ERR_TEXT_TOO_LONG instead
// when it is absent, empty or longer than STTS_MAX_TEXT_BYTES.
int CheckText(const char* text, std::string_view* bytes);

// Writes `value` as a zero-terminated text into `field`, cut at a UTF-8
// character boundary when it is too long.
void CopyText(char* field, std::size_t fieldBytes, std::string_view value);

}  // namespace orvilo::sonara
