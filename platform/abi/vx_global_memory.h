/* Movable global-memory blocks: the ownership unit of pictures that cross
 * the C interfaces (page images of the OCR module, DIBs of the OCR engine).
 * Exported by libVxRuntime.so (platform/abi/vx_runtime.h).
 *
 * A block is allocated by one component and freed by another, so every
 * component uses these functions and nothing else on a handle. A handle is
 * opaque; the memory it names is reached only between lock and unlock.
 * Freeing a locked block is allowed (as on the platform these calls mirror).
 * Every function accepts a null handle and then does nothing and fails; a
 * handle that is not a live block is refused the same way. Any thread may
 * call them; one block is used by one thread at a time. */
#ifndef ORVILO_PLATFORM_ABI_VX_GLOBAL_MEMORY_H
#define ORVILO_PLATFORM_ABI_VX_GLOBAL_MEMORY_H

#include <stddef.h>

#include "platform/abi/vx_runtime.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct VxGlobalBlock* VxGlobalHandle;

enum {
  VX_GMEM_FIXED = 0x0000,
  VX_GMEM_MOVEABLE = 0x0002,
  VX_GMEM_ZEROINIT = 0x0040,
  VX_GHND = VX_GMEM_MOVEABLE | VX_GMEM_ZEROINIT
};

/* A block of `bytes` bytes (0 allowed), zero-filled with VX_GMEM_ZEROINIT;
 * null when memory is exhausted or `bytes` is absurd. */
VX_RUNTIME_API VxGlobalHandle VxGlobalAlloc(unsigned flags, size_t bytes);

/* Pointer to the block's bytes, lock count + 1; null for a null or invalid handle. */
VX_RUNTIME_API void* VxGlobalLock(VxGlobalHandle block);

/* Lock count - 1 (not below 0); returns the count still held (0 = unlocked). */
VX_RUNTIME_API int VxGlobalUnlock(VxGlobalHandle block);

/* Size in bytes as allocated; 0 for a null or invalid handle. */
VX_RUNTIME_API size_t VxGlobalSize(VxGlobalHandle block);

/* Releases the block; returns null on success, the handle itself when it was
 * not a valid block. */
VX_RUNTIME_API VxGlobalHandle VxGlobalFree(VxGlobalHandle block);

#ifdef __cplusplus
}
#endif

#endif
