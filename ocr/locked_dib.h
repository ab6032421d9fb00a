// A caller's page block, locked while the holder lives, with its packed-DIB
// header checked against the block's real size before anything is read.
#pragma once

#include <cstddef>

#include "platform/gdi/bitmap_header.h"
#include "platform/sys/global_memory.h"

namespace lexiq {

class LockedDib {
 public:
  explicit LockedDib(VxGlobalHandle block) : lock_(block) {}

  bool locked() const { return lock_.bytes() != nullptr; }
  // The header, when the block holds at least a whole header.
  orvilo::gdi::BitmapInfoHeader* header() const;
  // True when the block holds a whole uncompressed 8-bit DIB.
  bool HoldsGreyPage() const;
  void* bytes() const { return lock_.bytes(); }
  std::size_t size() const { return lock_.size(); }

 private:
  orvilo::sys::GlobalLock lock_;
};

}  // namespace lexiq
