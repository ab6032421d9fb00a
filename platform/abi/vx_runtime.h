/* The runtime library libVxRuntime.so (VxRuntime.dll on Windows): the
 * global-memory blocks and system strings in which the shipped C libraries
 * hand pictures and texts to their callers, and take them back.
 *
 * One library for the whole process, so that a block or string made by one
 * library is freed by another, or by the caller, with the same code. A
 * program that frees what LEXIQ returns links -lVxRuntime besides -lLEXIQ
 * (as a Windows program links the system's memory and string functions);
 * the libraries themselves find it beside them through $ORIGIN. */
#ifndef ORVILO_PLATFORM_ABI_VX_RUNTIME_H
#define ORVILO_PLATFORM_ABI_VX_RUNTIME_H

#include "platform/abi/vx_export.h"

#if defined(VX_RUNTIME_BUILDING)
#define VX_RUNTIME_API VX_EXPORT
#else
#define VX_RUNTIME_API VX_IMPORT
#endif

#endif
