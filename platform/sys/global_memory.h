/* Movable global-memory blocks: the ownership unit of pictures that cross
 * the C interfaces (page images of the OCR module, DIBs of the OCR engine).
 *
 * A block is allocated by one component and freed by another, so every
 * component uses these functions and nothing else on a handle. A handle is
 * opaque; the memory it names is reached only between lock and unlock.
 * Freeing a locked block is allowed (as on the platform these calls mirror).
 * Every function accepts a null handle and then does nothing and fails. */
#ifndef ORVILO_PLATFORM_SYS_GLOBAL_MEMORY_H
#define ORVILO_PLATFORM_SYS_GLOBAL_MEMORY_H

#include <stddef.h>

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
VxGlobalHandle VxGlobalAlloc(unsigned flags, size_t bytes);

/* Pointer to the block's bytes, lock count + 1; null for a null or invalid handle. */
void* VxGlobalLock(VxGlobalHandle block);

/* Lock count - 1 (not below 0); returns the count still held (0 = unlocked). */
int VxGlobalUnlock(VxGlobalHandle block);

/* Size in bytes as allocated; 0 for a null or invalid handle. */
size_t VxGlobalSize(VxGlobalHandle block);

/* Releases the block; returns null on success, the handle itself when it was
 * not a valid block. */
VxGlobalHandle VxGlobalFree(VxGlobalHandle block);

#ifdef __cplusplus
}

namespace orvilo::sys {

/* A block locked for the holder's lifetime. bytes() is null (and size() 0)
 * for a null or invalid handle. */
class GlobalLock {
 public:
  explicit GlobalLock(VxGlobalHandle block) : block_(block), bytes_(VxGlobalLock(block)) {}
  ~GlobalLock() {
    if (bytes_ != nullptr) VxGlobalUnlock(block_);
  }
  GlobalLock(const GlobalLock&) = delete;
  GlobalLock& operator=(const GlobalLock&) = delete;

  void* bytes() const { return bytes_; }
  size_t size() const { return bytes_ != nullptr ? VxGlobalSize(block_) : 0; }

 private:
  VxGlobalHandle block_;
  void* bytes_;
};

/* A new zero-initialised block of `size` bytes holding a copy of `bytes`
 * (nothing is copied when `bytes` is null); null when memory is exhausted. */
VxGlobalHandle GlobalBlockWith(const void* bytes, size_t size);

}  // namespace orvilo::sys
#endif

#endif
