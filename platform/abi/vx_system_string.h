/* Length-prefixed UTF-16 strings: the wide strings the C interfaces return.
 * Exported by libVxRuntime.so (platform/abi/vx_runtime.h).
 *
 * The pointer names the first UTF-16 unit; a 32-bit byte length sits just
 * before it and a 0 unit just after the text, so the string is also usable
 * as a terminated UTF-16 string. The receiver frees it with VxSysFreeString
 * and with nothing else (the pointer is not the start of the allocation). */
#ifndef ORVILO_PLATFORM_ABI_VX_SYSTEM_STRING_H
#define ORVILO_PLATFORM_ABI_VX_SYSTEM_STRING_H

#include <stddef.h>
#include <stdint.h>

#include "platform/abi/vx_runtime.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef uint16_t VxOleChar;
typedef VxOleChar* VxSysString;

/* Copy of a 0-terminated UTF-16 text; null text gives null. */
VX_RUNTIME_API VxSysString VxSysAllocString(const VxOleChar* text);

/* Copy of `length` units (text may be null: the units are then zero). Null
 * when memory is exhausted or the length does not fit the prefix. */
VX_RUNTIME_API VxSysString VxSysAllocStringLen(const VxOleChar* text, size_t length);

/* New string from UTF-8 bytes (invalid sequences become U+FFFD); null when
 * memory is exhausted. */
VX_RUNTIME_API VxSysString VxSysAllocStringFromUtf8(const char* utf8, size_t bytes);

/* Number of UTF-16 units; 0 for null. */
VX_RUNTIME_API size_t VxSysStringLen(VxSysString text);

/* Frees a string made by the functions above; null is ignored. */
VX_RUNTIME_API void VxSysFreeString(VxSysString text);

#ifdef __cplusplus
}
#endif

#endif
