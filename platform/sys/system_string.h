// C++ helpers for the system strings of platform/abi/vx_system_string.h
// (the C functions live in the runtime library libVxRuntime.so).
#pragma once

#include <cstddef>
#include <string>

#include "platform/abi/vx_system_string.h"

namespace orvilo::sys {
// UTF-8 text of a system string (unpaired surrogates become U+FFFD).
std::string SysStringToUtf8(const VxOleChar* text, std::size_t length);
inline std::string SysStringToUtf8(VxSysString text) { return SysStringToUtf8(text, VxSysStringLen(text)); }
}  // namespace orvilo::sys
