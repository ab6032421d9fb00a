#include "ocr/locked_dib.h"

#include <cstdint>

namespace lexiq {

using orvilo::gdi::BitmapInfoHeader;

BitmapInfoHeader* LockedDib::header() const {
  if (size() < sizeof(BitmapInfoHeader)) return nullptr;
  return static_cast<BitmapInfoHeader*>(bytes());
}

bool LockedDib::HoldsGreyPage() const {
  const BitmapInfoHeader* info = header();
  if (info == nullptr || info->biSize < sizeof(BitmapInfoHeader) || info->biSize > size()) return false;
  if (info->biBitCount != 8 || info->biCompression != orvilo::gdi::kBiRgb || info->biWidth <= 0) return false;
  const std::int64_t height = info->biHeight < 0 ? -static_cast<std::int64_t>(info->biHeight) : info->biHeight;
  const std::uint32_t colours = orvilo::gdi::DibColourCount(*info);
  if (height == 0 || colours > 256) return false;
  const std::uint64_t needed = std::uint64_t{info->biSize} + std::uint64_t{colours} * 4 +
                               std::uint64_t{orvilo::gdi::DibStride(info->biWidth, 8)} * static_cast<std::uint64_t>(height);
  return needed <= size();
}

}  // namespace lexiq
