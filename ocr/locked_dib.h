// A caller's page block, locked while the holder lives, with its packed-DIB
// header checked against the block's real size before anything is read.
#pragma once

#include <cstddef>

#include "platform/gdi/bitmap_header.h"
#include "platform/sys/global_memory.h"

namespace lexiq {

class LockedDib {
 public:
  explicit LockedDib(VxGlobalHandle block);
  ~LockedDib();
  LockedDib(const LockedDib&) = delete;
  LockedDib& operator=(const LockedDib&) = delete;

  bool locked() const { return bytes_ != nullptr; }
  // The header, when the block holds at least a whole header.
  orvilo::gdi::BitmapInfoHeader* header() const;
  // True when the block holds a whole uncompressed 8-bit DIB.
  bool HoldsGreyPage() const;
  void* bytes() const { return bytes_; }
  std::size_t size() const { return size_; }

 private:
  VxGlobalHandle block_;
  void* bytes_;
  std::size_t size_;
};

}  // namespace lexiq
