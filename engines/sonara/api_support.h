// What every STTS_* call shares: the thread's last error and the rule that
// nothing throws across the C interface.
#pragma once

#include <cstddef>
#include <string_view>
#include <type_traits>

#include "engines/sonara/sonara_m.h"
#include "platform/abi/exception_barrier.h"

namespace orvilo::sonara {

// Remembers `code` as the thread's last error when it is one; returns it.
int Report(int code) noexcept;
int LastError() noexcept;

// Every STTS_* call runs its body through the libraries' shared exception
// barrier: an exception (out of memory) becomes `onFailure`, and the
// thread's last error STTS_ERR_INTERNAL.
inline void ReportInternalError() noexcept { Report(STTS_ERR_INTERNAL); }

template <typename Call>
auto Guarded(Call&& call, std::invoke_result_t<Call&> onFailure) noexcept {
  return abi::Guarded(call, onFailure, ReportInternalError);
}
template <typename Call>
  requires std::is_void_v<std::invoke_result_t<Call&>>
void Guarded(Call&& call) noexcept {
  abi::Guarded(call, ReportInternalError);
}

// The caller's text: STTS_ERR_EMPTY_TEXT or STTS_ERR_TEXT_TOO_LONG instead
// when it is absent, empty or longer than STTS_MAX_TEXT_BYTES.
int CheckText(const char* text, std::string_view* bytes);

// Writes `value` as a zero-terminated text into `field`, cut at a UTF-8
// character boundary when it is too long.
void CopyText(char* field, std::size_t fieldBytes, std::string_view value);

}  // namespace orvilo::sonara
