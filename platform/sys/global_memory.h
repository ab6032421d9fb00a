// C++ holders of the global-memory blocks of platform/abi/vx_global_memory.h
// (the C functions live in the runtime library libVxRuntime.so).
#pragma once

#include <cstddef>

#include "platform/abi/vx_global_memory.h"

namespace orvilo::sys {

// A block locked for the holder's lifetime. bytes() is null (and size() 0)
// for a null or invalid handle.
class GlobalLock {
 public:
  explicit GlobalLock(VxGlobalHandle block) : block_(block), bytes_(VxGlobalLock(block)) {}
  ~GlobalLock() {
    if (bytes_ != nullptr) VxGlobalUnlock(block_);
  }
  GlobalLock(const GlobalLock&) = delete;
  GlobalLock& operator=(const GlobalLock&) = delete;

  void* bytes() const { return bytes_; }
  std::size_t size() const { return bytes_ != nullptr ? VxGlobalSize(block_) : 0; }

 private:
  VxGlobalHandle block_;
  void* bytes_;
};

// The one owner of a block: freed when the owner goes or takes another,
// unless handed on with release() (to a caller, or into a C record whose
// owner frees it).
class GlobalBlock {
 public:
  GlobalBlock() = default;
  explicit GlobalBlock(VxGlobalHandle block) noexcept : block_(block) {}
  ~GlobalBlock() { VxGlobalFree(block_); }
  GlobalBlock(GlobalBlock&& other) noexcept : block_(other.release()) {}
  GlobalBlock& operator=(GlobalBlock&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;

  // A new block (null when memory is exhausted).
  static GlobalBlock Allocate(unsigned flags, std::size_t bytes) { return GlobalBlock(VxGlobalAlloc(flags, bytes)); }

  VxGlobalHandle get() const noexcept { return block_; }
  explicit operator bool() const noexcept { return block_ != nullptr; }

  // Hands the block on; the owner then holds none.
  [[nodiscard]] VxGlobalHandle release() noexcept {
    VxGlobalHandle block = block_;
    block_ = nullptr;
    return block;
  }
  // Frees the block held and holds `block` instead.
  void reset(VxGlobalHandle block = nullptr) noexcept {
    VxGlobalHandle old = block_;
    block_ = block;
    VxGlobalFree(old);
  }

 private:
  VxGlobalHandle block_ = nullptr;
};

// A new zero-initialised block of `size` bytes holding a copy of `bytes`
// (nothing is copied when `bytes` is null); null when memory is exhausted.
GlobalBlock GlobalBlockWith(const void* bytes, std::size_t size);

}  // namespace orvilo::sys
