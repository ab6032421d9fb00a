#include "platform/gdi/rotate_flip.h"

#include <cstddef>
#include <cstring>

namespace orvilo::gdi {
namespace {

// Where destination pixel (x, y) comes from, both counted from the top left:
// source x = xx·x + xy·y + x0, source y = yx·x + yy·y + y0, where x0, y0 are
// 0 or the source's last column or row.
struct Mapping {
  int xx, xy, yx, yy;
  bool xFromRight, yFromBottom;
};

constexpr Mapping kMappings[8] = {
    {1, 0, 0, 1, false, false},    // 0: (x, y)
    {0, 1, -1, 0, false, true},    // 1: (y, H-1-x)
    {-1, 0, 0, -1, true, true},    // 2: (W-1-x, H-1-y)
    {0, -1, 1, 0, true, false},    // 3: (W-1-y, x)
    {-1, 0, 0, 1, true, false},    // 4: (W-1-x, y)
    {0, 1, 1, 0, false, false},    // 5: (y, x), the transpose
    {1, 0, 0, -1, false, true},    // 6: (x, H-1-y)
    {0, -1, -1, 0, true, true},    // 7: (W-1-y, H-1-x)
};

// Copies one destination row span [x0, x1) of row y, walking the source with
// a constant byte step.
template <int kBytes>
void CopySpan(const PackedDib& source, const Mapping& m, std::uint8_t* destinationRow, int y, int x0, int x1) {
  const std::ptrdiff_t sourceStride = static_cast<std::ptrdiff_t>(source.stride());
  const int right = source.width() - 1;
  const int bottom = source.height() - 1;
  const int sx = m.xx * x0 + m.xy * y + (m.xFromRight ? right : 0);
  const int sy = m.yx * x0 + m.yy * y + (m.yFromBottom ? bottom : 0);
  // Rows are stored bottom-up: moving down the picture moves back in memory.
  const std::uint8_t* from = source.Row(sy) + static_cast<std::ptrdiff_t>(sx) * kBytes;
  const std::ptrdiff_t step = m.xx * kBytes - m.yx * sourceStride;
  std::uint8_t* to = destinationRow + static_cast<std::ptrdiff_t>(x0) * kBytes;
  if (step == kBytes) {  // a source row read forwards (codes 0 and 6)
    std::memcpy(to, from, static_cast<std::size_t>(x1 - x0) * kBytes);
    return;
  }
  for (int x = x0; x < x1; ++x, from += step, to += kBytes) std::memcpy(to, from, kBytes);
}

template <int kBytes>
void Transform(const PackedDib& source, const Mapping& m, PackedDib& destination) {
  const int width = destination.width();
  const int height = destination.height();
  if (m.yx == 0) {
    // Each destination row reads one source row: row by row is cache friendly.
    for (int y = 0; y < height; ++y) CopySpan<kBytes>(source, m, destination.Row(y), y, 0, width);
    return;
  }
  // Rows of the destination run down columns of the source: work in tiles so
  // the source rows a tile touches stay in cache.
  constexpr int kTile = 64;
  for (int top = 0; top < height; top += kTile) {
    const int tileBottom = top + kTile < height ? top + kTile : height;
    for (int left = 0; left < width; left += kTile) {
      const int tileRight = left + kTile < width ? left + kTile : width;
      for (int y = top; y < tileBottom; ++y) CopySpan<kBytes>(source, m, destination.Row(y), y, left, tileRight);
    }
  }
}

}  // namespace

int RotateFlipCode(int rotation, bool mirror, bool flip) {
  const int r = ((rotation % 4) + 4) % 4;
  if (!mirror && !flip) return r;
  if (mirror && !flip) return 4 + r;
  if (!mirror && flip) return (6 + r) % 4 + 4;  // 6, 7, 4, 5
  return (2 + r) % 4;                          // 2, 3, 0, 1
}

PackedDib RotateFlip(const PackedDib& source, int code) {
  if (source.IsEmpty() || code < 0 || code > 7) return {};
  const bool swap = RotateFlipSwapsSides(code);
  BitmapInfoHeader header = source.header();
  if (swap) {
    header.biWidth = source.height();
    header.biHeight = source.width();
    header.biXPelsPerMeter = source.header().biYPelsPerMeter;
    header.biYPelsPerMeter = source.header().biXPelsPerMeter;
  }
  PackedDib destination = PackedDib::Create(header, source.colourTable());
  if (destination.IsEmpty()) return destination;
  const Mapping& mapping = kMappings[code];
  switch (source.bytesPerPixel()) {
    case 1: Transform<1>(source, mapping, destination); break;
    case 3: Transform<3>(source, mapping, destination); break;
    case 4: Transform<4>(source, mapping, destination); break;
  }
  return destination;
}

}  // namespace orvilo::gdi
