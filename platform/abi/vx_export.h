/* Export and import marks of the shipped C libraries.
 *
 * Each library's header defines its own mark from these, for example
 *
 *   #if defined(LEXIQ_BUILDING)
 *   #define LEXIQ_API VX_EXPORT
 *   #else
 *   #define LEXIQ_API VX_IMPORT
 *   #endif
 *
 * and the library's own build defines LEXIQ_BUILDING. On ELF every symbol is
 * hidden by default (-fvisibility=hidden) and a marked one is exported; a
 * Windows build exports the marked calls from the DLL and imports them in
 * its callers. */
#ifndef ORVILO_PLATFORM_ABI_VX_EXPORT_H
#define ORVILO_PLATFORM_ABI_VX_EXPORT_H

#if defined(_WIN32) || defined(__CYGWIN__)
#define VX_EXPORT __declspec(dllexport)
#define VX_IMPORT __declspec(dllimport)
#elif defined(__GNUC__)
#define VX_EXPORT __attribute__((visibility("default")))
#define VX_IMPORT __attribute__((visibility("default")))
#else
#define VX_EXPORT
#define VX_IMPORT
#endif

#endif
