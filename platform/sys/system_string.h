/* Length-prefixed UTF-16 strings: the wide strings the C interfaces return.
 *
 * The pointer names the first UTF-16 unit; a 32-bit byte length sits just
 * before it and a 0 unit just after the text, so the string is also usable
 * as a terminated UTF-16 string. The receiver frees it with VxSysFreeString. */
#ifndef ORVILO_PLATFORM_SYS_SYSTEM_STRING_H
#define ORVILO_PLATFORM_SYS_SYSTEM_STRING_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef uint16_t VxOleChar;
typedef VxOleChar* VxSysString;

/* Copy of a 0-terminated UTF-16 text; null text gives null. */
VxSysString VxSysAllocString(const VxOleChar* text);

/* Copy of `length` units (text may be null: the units are then zero). */
VxSysString VxSysAllocStringLen(const VxOleChar* text, size_t length);

/* New string from UTF-8 bytes (invalid sequences become U+FFFD). */
VxSysString VxSysAllocStringFromUtf8(const char* utf8, size_t bytes);

/* Number of UTF-16 units; 0 for null. */
size_t VxSysStringLen(VxSysString text);

/* Frees a string made by the functions above; null is ignored. */
void VxSysFreeString(VxSysString text);

#ifdef __cplusplus
}

#include <string>

namespace orvilo::sys {
/* UTF-8 text of a system string (unpaired surrogates become U+FFFD). */
std::string SysStringToUtf8(const VxOleChar* text, size_t length);
inline std::string SysStringToUtf8(VxSysString text) { return SysStringToUtf8(text, VxSysStringLen(text)); }
}  // namespace orvilo::sys
#endif

#endif
