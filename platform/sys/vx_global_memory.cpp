// The global-memory functions of the runtime library libVxRuntime.so.
#include "platform/abi/vx_global_memory.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

// A handle points at this header; the bytes follow it. The magic word lets
// a stale or foreign pointer be refused instead of corrupting the heap.
struct VxGlobalBlock {
  std::uint64_t magic;
  std::size_t size;
  int lockCount;
  int padding;
  alignas(16) unsigned char bytes[1];
};

namespace {
constexpr std::uint64_t kLiveMagic = 0x4B4F4C4247585600ull;  // "\0VXGBLOK"
constexpr std::uint64_t kFreedMagic = 0x44454552464F4C42ull;
// Largest block we hand out; larger requests are hostile or mistaken sizes.
constexpr std::size_t kMaximumBytes = std::size_t{1} << 34;

bool IsLive(VxGlobalHandle block) { return block != nullptr && block->magic == kLiveMagic; }
}  // namespace

extern "C" {

VxGlobalHandle VxGlobalAlloc(unsigned flags, size_t bytes) {
  if (bytes > kMaximumBytes) return nullptr;
  const std::size_t total = offsetof(VxGlobalBlock, bytes) + (bytes == 0 ? 1 : bytes);
  void* memory = (flags & VX_GMEM_ZEROINIT) ? std::calloc(1, total) : std::malloc(total);
  if (memory == nullptr) return nullptr;
  auto* block = static_cast<VxGlobalBlock*>(memory);
  block->magic = kLiveMagic;
  block->size = bytes;
  block->lockCount = 0;
  return block;
}

void* VxGlobalLock(VxGlobalHandle block) {
  if (!IsLive(block)) return nullptr;
  ++block->lockCount;
  return block->bytes;
}

int VxGlobalUnlock(VxGlobalHandle block) {
  if (!IsLive(block)) return 0;
  if (block->lockCount > 0) --block->lockCount;
  return block->lockCount;
}

size_t VxGlobalSize(VxGlobalHandle block) { return IsLive(block) ? block->size : 0; }

VxGlobalHandle VxGlobalFree(VxGlobalHandle block) {
  if (block == nullptr) return nullptr;
  if (!IsLive(block)) return block;
  block->magic = kFreedMagic;
  std::free(block);
  return nullptr;
}

}  // extern "C"
