#include "platform/sys/global_memory.h"

#include <cstring>

namespace orvilo::sys {

GlobalBlock GlobalBlockWith(const void* bytes, std::size_t size) {
  GlobalBlock block = GlobalBlock::Allocate(VX_GHND, size);
  if (!block || bytes == nullptr || size == 0) return block;
  const GlobalLock lock(block.get());
  std::memcpy(lock.bytes(), bytes, size);
  return block;
}

}  // namespace orvilo::sys
