#include "ocr/locked_dib.h"

#include <cstdint>

namespace lexiq {

using orvilo::gdi::BitmapInfoHeader;

LockedDib::LockedDib(VxGlobalHandle block)
    : block_(block), bytes_(VxGlobalLock(block)), size_(bytes_ != nullptr ? VxGlobalSize(block) : 0) {}

LockedDib::~LockedDib() {
  if (bytes_ != nullptr) VxGlobalUnlock(block_);
}

BitmapInfoHeader* LockedDib::header() const {
  if (bytes_ == nullptr || size_ < sizeof(BitmapInfoHeader)) return nullptr;
  return static_cast<BitmapInfoHeader*>(bytes_);
}

bool LockedDib::HoldsGreyPage() const {
  const BitmapInfoHeader* info = header();
  if (info == nullptr || info->biSize < sizeof(BitmapInfoHeader) || info->biSize > size_) return false;
  if (info->biBitCount != 8 || info->biCompression != orvilo::gdi::kBiRgb || info->biWidth <= 0) return false;
  const std::int64_t height = info->biHeight < 0 ? -static_cast<std::int64_t>(info->biHeight) : info->biHeight;
  const std::uint32_t colours = orvilo::gdi::DibColourCount(*info);
  if (height == 0 || colours > 256) return false;
  const std::uint64_t needed = std::uint64_t{info->biSize} + std::uint64_t{colours} * 4 +
                               std::uint64_t{orvilo::gdi::DibStride(info->biWidth, 8)} * static_cast<std::uint64_t>(height);
  return needed <= size_;
}

}  // namespace lexiq
