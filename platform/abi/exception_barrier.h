// The exception barrier of the shipped C libraries: every exported call runs
// its C++ body through Guarded, so that no exception (in practice
// std::bad_alloc from a container) leaves through an extern "C" function,
// where it would end the caller's process. What a throw becomes is the
// call's documented failure result, given at the call.
//
//   LEXIQ_API VxSysString LEXIQ_RecogText(...) {
//     return orvilo::abi::Guarded([&]() -> VxSysString { ... }, nullptr);
//   }
//
// C++ only: used inside the libraries, never included by their C headers.
#pragma once

#ifndef __cplusplus
#error "platform/abi/exception_barrier.h is for the libraries' C++ sources"
#endif

#include <concepts>
#include <type_traits>

namespace orvilo::abi {

// Runs `call` and returns its result; `onFailure` when it throws.
template <typename Call>
  requires(!std::is_void_v<std::invoke_result_t<Call&>>)
std::invoke_result_t<Call&> Guarded(Call&& call, std::invoke_result_t<Call&> onFailure) noexcept {
  try {
    return call();
  } catch (...) {
    return onFailure;
  }
}

// The same, running `whenThrown` (which must not throw) first, for a library
// that also records the failure (a per-thread last error).
template <typename Call, std::invocable WhenThrown>
  requires(!std::is_void_v<std::invoke_result_t<Call&>>)
std::invoke_result_t<Call&> Guarded(Call&& call, std::invoke_result_t<Call&> onFailure,
                                    WhenThrown&& whenThrown) noexcept {
  try {
    return call();
  } catch (...) {
    whenThrown();
    return onFailure;
  }
}

// A call without a result: a throw ends it where it happened (the call's
// contract says what is left then).
template <typename Call>
  requires std::is_void_v<std::invoke_result_t<Call&>>
void Guarded(Call&& call) noexcept {
  try {
    call();
  } catch (...) {
  }
}

template <typename Call, std::invocable WhenThrown>
  requires std::is_void_v<std::invoke_result_t<Call&>>
void Guarded(Call&& call, WhenThrown&& whenThrown) noexcept {
  try {
    call();
  } catch (...) {
    whenThrown();
  }
}

}  // namespace orvilo::abi
