// The two headers of Windows device-independent bitmaps, in their on-disk
// and in-memory little-endian layout (packed: 14 and 40 bytes). A packed DIB
// is a BitmapInfoHeader, its colour table and the bottom-up pixel rows, each
// row padded to 4 bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace orvilo::gdi {

#pragma pack(push, 1)
struct BitmapFileHeader {
  std::uint16_t bfType;  // 0x4D42, "BM"
  std::uint32_t bfSize;
  std::uint16_t bfReserved1;
  std::uint16_t bfReserved2;
  std::uint32_t bfOffBits;
};

struct BitmapInfoHeader {
  std::uint32_t biSize;  // 40
  std::int32_t biWidth;
  std::int32_t biHeight;  // positive: bottom-up rows
  std::uint16_t biPlanes;
  std::uint16_t biBitCount;
  std::uint32_t biCompression;  // 0 = BI_RGB
  std::uint32_t biSizeImage;
  std::int32_t biXPelsPerMeter;
  std::int32_t biYPelsPerMeter;
  std::uint32_t biClrUsed;
  std::uint32_t biClrImportant;
};

struct RgbQuad {
  std::uint8_t rgbBlue;
  std::uint8_t rgbGreen;
  std::uint8_t rgbRed;
  std::uint8_t rgbReserved;
};
#pragma pack(pop)

static_assert(sizeof(BitmapFileHeader) == 14);
static_assert(sizeof(BitmapInfoHeader) == 40);

constexpr std::uint16_t kBitmapFileType = 0x4D42;
constexpr std::uint32_t kBiRgb = 0;

// Bytes per pixel row, padded to 4: ((width * bits + 31) / 32) * 4.
constexpr std::size_t DibStride(std::int64_t width, int bitCount) {
  return static_cast<std::size_t>(((width * bitCount + 31) / 32) * 4);
}

// Number of colour-table entries that follow the header (biClrUsed, or the
// full table for 1-, 4- and 8-bit pictures when biClrUsed is 0).
constexpr std::uint32_t DibColourCount(const BitmapInfoHeader& header) {
  if (header.biClrUsed != 0) return header.biClrUsed;
  return header.biBitCount <= 8 ? (1u << header.biBitCount) : 0u;
}

}  // namespace orvilo::gdi
