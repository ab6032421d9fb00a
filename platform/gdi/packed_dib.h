// PackedDib: one device-independent bitmap in one heap block, the way
// pictures cross between the camera view, the movie view, learning files and
// the image view: a 40-byte BitmapInfoHeader, its colour table, then the
// pixel rows bottom-up, each padded to 4 bytes. The object owns the block;
// moving it hands the picture over.
//
// Every PackedDib is in one canonical form, whatever it was made from:
// 8, 24 or 32 bits per pixel, BI_RGB, positive (bottom-up) height,
// biClrUsed = the real number of table entries (256 for an 8-bit picture
// that left it 0), biSizeImage = stride × height. Bytes from elsewhere are
// checked field by field before anything is allocated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/gdi/bitmap_header.h"

namespace orvilo::gdi {

// Largest width or height, and largest pixel block, a PackedDib accepts.
constexpr std::int32_t kMaxDibSide = 32767;
constexpr std::size_t kMaxDibPixelBytes = std::size_t{512} << 20;

enum class DibError {
  None,
  Io,           // the file could not be read or written
  Truncated,    // fewer bytes than the headers announce
  NotBitmap,    // no "BM" signature
  BadHeader,    // a field out of range or inconsistent
  Unsupported,  // valid, but a bit count or compression we do not handle
  TooLarge,     // beyond kMaxDibSide or kMaxDibPixelBytes
};

class PackedDib {
 public:
  PackedDib() = default;
  PackedDib(PackedDib&& other) noexcept;
  PackedDib& operator=(PackedDib&& other) noexcept;
  PackedDib(const PackedDib&) = delete;
  PackedDib& operator=(const PackedDib&) = delete;

  // A picture with every pixel 0; an 8-bit one gets a grey-scale table.
  // Empty when the size or bit count is not acceptable.
  static PackedDib Create(int width, int height, int bitCount, DibError* error = nullptr);

  // A picture of the header's size, format and resolution with the colour
  // entries of `table` (may be null when the header has none); every pixel 0.
  static PackedDib Create(const BitmapInfoHeader& header, const RgbQuad* table, DibError* error = nullptr);

  // A copy of a packed DIB in memory (header, table, rows). Top-down
  // pictures (negative height) are turned bottom-up.
  static PackedDib FromBytes(const void* data, std::size_t size, DibError* error = nullptr);

  // A copy of a picture whose header and pixels lie apart, as a camera frame
  // and its header do. `table` holds the header's colour entries (may be null
  // when it has none); `pixels` must hold the rows the header describes.
  static PackedDib FromParts(const BitmapInfoHeader& header, const RgbQuad* table, const void* pixels,
                             std::size_t pixelBytes, DibError* error = nullptr);

  PackedDib Clone() const;

  bool IsEmpty() const { return block_ == nullptr; }

  const BitmapInfoHeader& header() const { return *reinterpret_cast<const BitmapInfoHeader*>(block_.get()); }
  int width() const { return header().biWidth; }
  int height() const { return header().biHeight; }
  int bitCount() const { return header().biBitCount; }
  int bytesPerPixel() const { return header().biBitCount / 8; }
  std::size_t stride() const { return DibStride(width(), bitCount()); }

  std::uint32_t colourCount() const { return header().biClrUsed; }
  const RgbQuad* colourTable() const { return reinterpret_cast<const RgbQuad*>(block_.get() + sizeof(BitmapInfoHeader)); }
  RgbQuad* colourTable() { return reinterpret_cast<RgbQuad*>(block_.get() + sizeof(BitmapInfoHeader)); }

  // The rows, bottom row first.
  const std::uint8_t* pixels() const { return block_.get() + pixelOffset(); }
  std::uint8_t* pixels() { return block_.get() + pixelOffset(); }
  std::size_t pixelBytes() const { return header().biSizeImage; }

  // Row `y` counted from the top of the picture, as it is displayed.
  const std::uint8_t* Row(int y) const { return pixels() + static_cast<std::size_t>(height() - 1 - y) * stride(); }
  std::uint8_t* Row(int y) { return pixels() + static_cast<std::size_t>(height() - 1 - y) * stride(); }

  // The whole block: header, table, rows.
  const std::uint8_t* data() const { return block_.get(); }
  std::size_t size() const { return size_; }

 private:
  // A block with the canonical form of `header` and the table; rows unset.
  // Empty when memory runs out.
  static PackedDib Allocate(const BitmapInfoHeader& header, std::uint32_t colours, std::size_t pixelBytes,
                            const RgbQuad* table);
  std::size_t pixelOffset() const { return sizeof(BitmapInfoHeader) + header().biClrUsed * sizeof(RgbQuad); }

  std::unique_ptr<std::uint8_t[]> block_;
  std::size_t size_ = 0;
};

}  // namespace orvilo::gdi
