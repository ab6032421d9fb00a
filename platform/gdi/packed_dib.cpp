#include "platform/gdi/packed_dib.h"

#include <cstring>
#include <new>

namespace orvilo::gdi {
namespace {

DibError Fail(DibError* error, DibError reason) {
  if (error != nullptr) *error = reason;
  return reason;
}

struct Layout {
  std::uint32_t colours = 0;
  std::size_t stride = 0;
  std::size_t rows = 0;  // |biHeight|
  std::size_t pixelBytes = 0;
};

// Checks every field of a header that is to become a canonical PackedDib.
DibError CheckHeader(const BitmapInfoHeader& header, Layout& layout) {
  if (header.biSize != sizeof(BitmapInfoHeader)) return DibError::BadHeader;
  if (header.biPlanes != 1) return DibError::BadHeader;
  if (header.biBitCount != 8 && header.biBitCount != 24 && header.biBitCount != 32) return DibError::Unsupported;
  if (header.biCompression != kBiRgb) return DibError::Unsupported;
  if (header.biWidth <= 0 || header.biHeight == 0 || header.biHeight == INT32_MIN) return DibError::BadHeader;
  const std::int64_t rows = header.biHeight < 0 ? -std::int64_t{header.biHeight} : header.biHeight;
  if (header.biWidth > kMaxDibSide || rows > kMaxDibSide) return DibError::TooLarge;
  if (header.biClrUsed > 256) return DibError::BadHeader;
  layout.colours = DibColourCount(header);
  layout.stride = DibStride(header.biWidth, header.biBitCount);
  layout.rows = static_cast<std::size_t>(rows);
  layout.pixelBytes = layout.stride * layout.rows;
  if (layout.pixelBytes > kMaxDibPixelBytes) return DibError::TooLarge;
  return DibError::None;
}

}  // namespace

PackedDib PackedDib::Allocate(const BitmapInfoHeader& header, std::uint32_t colours, std::size_t pixelBytes,
                              const RgbQuad* table) {
  PackedDib dib;
  const std::size_t size = sizeof(BitmapInfoHeader) + colours * sizeof(RgbQuad) + pixelBytes;
  dib.block_.reset(new (std::nothrow) std::uint8_t[size]);
  if (dib.block_ == nullptr) return dib;
  dib.size_ = size;
  BitmapInfoHeader canonical = header;
  canonical.biHeight = header.biHeight < 0 ? -header.biHeight : header.biHeight;
  canonical.biClrUsed = colours;
  if (canonical.biClrImportant > colours) canonical.biClrImportant = 0;
  canonical.biSizeImage = static_cast<std::uint32_t>(pixelBytes);
  std::memcpy(dib.block_.get(), &canonical, sizeof canonical);
  if (colours > 0) std::memcpy(dib.colourTable(), table, colours * sizeof(RgbQuad));
  return dib;
}

PackedDib::PackedDib(PackedDib&& other) noexcept : block_(std::move(other.block_)), size_(other.size_) {
  other.size_ = 0;
}

PackedDib& PackedDib::operator=(PackedDib&& other) noexcept {
  block_ = std::move(other.block_);
  size_ = other.size_;
  other.size_ = 0;
  return *this;
}

PackedDib PackedDib::FromParts(const BitmapInfoHeader& header, const RgbQuad* table, const void* pixels,
                               std::size_t pixelBytes, DibError* error) {
  PackedDib dib;
  Layout layout;
  if (const DibError reason = CheckHeader(header, layout); reason != DibError::None) {
    Fail(error, reason);
    return dib;
  }
  if (layout.colours > 0 && table == nullptr) {
    Fail(error, DibError::BadHeader);
    return dib;
  }
  if (pixels == nullptr || pixelBytes < layout.pixelBytes) {
    Fail(error, DibError::Truncated);
    return dib;
  }
  dib = Allocate(header, layout.colours, layout.pixelBytes, table);
  if (dib.IsEmpty()) {
    Fail(error, DibError::TooLarge);
    return dib;
  }
  const auto* source = static_cast<const std::uint8_t*>(pixels);
  if (header.biHeight > 0) {
    std::memcpy(dib.pixels(), source, layout.pixelBytes);
  } else {
    // Top-down rows: the first source row is the top of the picture.
    for (std::size_t y = 0; y < layout.rows; ++y) {
      std::memcpy(dib.Row(static_cast<int>(y)), source + y * layout.stride, layout.stride);
    }
  }
  Fail(error, DibError::None);
  return dib;
}

PackedDib PackedDib::FromBytes(const void* data, std::size_t size, DibError* error) {
  BitmapInfoHeader header;
  if (data == nullptr || size < sizeof header) {
    Fail(error, DibError::Truncated);
    return {};
  }
  std::memcpy(&header, data, sizeof header);
  if (header.biSize != sizeof header || header.biClrUsed > 256) {
    Fail(error, DibError::BadHeader);
    return {};
  }
  const std::size_t tableBytes = DibColourCount(header) * sizeof(RgbQuad);
  if (size < sizeof header + tableBytes) {
    Fail(error, DibError::Truncated);
    return {};
  }
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  const std::size_t pixelOffset = sizeof header + tableBytes;
  // The table is copied out so that it is read aligned.
  RgbQuad table[256];
  std::memcpy(table, bytes + sizeof header, tableBytes);
  return FromParts(header, table, bytes + pixelOffset, size - pixelOffset, error);
}

PackedDib PackedDib::Create(const BitmapInfoHeader& header, const RgbQuad* table, DibError* error) {
  Layout layout;
  if (const DibError reason = CheckHeader(header, layout); reason != DibError::None) {
    Fail(error, reason);
    return {};
  }
  if (layout.colours > 0 && table == nullptr) {
    Fail(error, DibError::BadHeader);
    return {};
  }
  PackedDib dib = Allocate(header, layout.colours, layout.pixelBytes, table);
  if (dib.IsEmpty()) {
    Fail(error, DibError::TooLarge);
    return dib;
  }
  std::memset(dib.pixels(), 0, layout.pixelBytes);
  Fail(error, DibError::None);
  return dib;
}

PackedDib PackedDib::Create(int width, int height, int bitCount, DibError* error) {
  if (bitCount < 0 || bitCount > 0xFFFF || height <= 0) {
    Fail(error, DibError::BadHeader);
    return {};
  }
  BitmapInfoHeader header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = static_cast<std::uint16_t>(bitCount);
  header.biCompression = kBiRgb;
  RgbQuad grey[256];
  for (int i = 0; i < 256; ++i) {
    const auto level = static_cast<std::uint8_t>(i);
    grey[i] = RgbQuad{level, level, level, 0};
  }
  return Create(header, grey, error);
}

PackedDib PackedDib::Clone() const {
  PackedDib copy;
  if (IsEmpty()) return copy;
  copy.block_.reset(new (std::nothrow) std::uint8_t[size_]);
  if (copy.block_ == nullptr) return copy;
  std::memcpy(copy.block_.get(), block_.get(), size_);
  copy.size_ = size_;
  return copy;
}

}  // namespace orvilo::gdi
