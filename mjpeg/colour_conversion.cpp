#include "mjpeg/colour_conversion.h"

#include <algorithm>

#include "mjpeg/decoder.h"

namespace orvilo::mjpeg {
namespace {

inline int Saturate16(int v) { return std::clamp(v, -32768, 32767); }
inline uint8_t ToByte(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }

inline void ConvertPixel(int luma, int cb, int cr, uint8_t* out) {
  const int y = (luma - 16) * 74;
  const int u = cb - 128;
  const int v = cr - 128;
  out[0] = ToByte(Saturate16(y + u * 129) >> 6);
  out[1] = ToByte(Saturate16(y - Saturate16(u * 25 + v * 52)) >> 6);
  out[2] = ToByte(Saturate16(y + v * 102) >> 6);
  out[3] = 0;
}

ConvertRows RowsFor(SimdLevel level) {
  switch (level) {
    case SimdLevel::Avx2: return ConvertRowsAvx2;
    case SimdLevel::Sse2: return ConvertRowsSse2;
    case SimdLevel::None: break;
  }
  return ConvertRowsPortable;
}

}  // namespace

void ConvertRowsPortable(const uint8_t* luma0, const uint8_t* luma1, const uint8_t* cb, const uint8_t* cr,
                         uint8_t* out0, uint8_t* out1, int width) {
  for (int x = 0; x < width; ++x) {
    const int u = cb ? cb[x / 2] : kGreyChroma;
    const int v = cr ? cr[x / 2] : kGreyChroma;
    ConvertPixel(luma0[x], u, v, out0 + 4 * x);
    if (luma1 != nullptr) ConvertPixel(luma1[x], u, v, out1 + 4 * x);
  }
}

void ConvertRowFullChroma(const uint8_t* luma, const uint8_t* cb, const uint8_t* cr, uint8_t* out, int width) {
  for (int x = 0; x < width; ++x) ConvertPixel(luma[x], cb[x], cr[x], out + 4 * x);
}

int ConvertToBgrx(SimdLevel level, uint8_t* destination, ptrdiff_t destinationStride, const PlaneSet& planes,
                  bool bottomUp, bool blackWhite) {
  if (destination == nullptr || planes.y == nullptr || planes.cb == nullptr || planes.cr == nullptr ||
      planes.width <= 0 || planes.height <= 0 || planes.yStride < planes.width ||
      planes.cbStride < (planes.width + 1) / 2 || planes.crStride != planes.cbStride) {
    return -1;
  }
  const ConvertRows rows = RowsFor(SupportedSimdLevel(level));
  const size_t paddedHeight = (static_cast<size_t>(planes.height) + 15) & ~size_t{15};
  const size_t lumaArea = static_cast<size_t>(planes.yStride) * paddedHeight;
  const size_t cbSize = static_cast<size_t>(planes.cr - planes.cb);
  const bool chromaPerRow = cbSize * 2 == lumaArea;  // 4:2:2; otherwise 4:2:0
  const bool chromaPerPixel = cbSize == lumaArea;    // 4:4:4
  if (chromaPerPixel && !blackWhite) {
    if (planes.cbStride < planes.width) return -1;
    for (int row = 0; row < planes.height; ++row) {
      const ptrdiff_t offset = static_cast<ptrdiff_t>(row) * planes.cbStride;
      uint8_t* out = bottomUp ? destination + (planes.height - 1 - row) * destinationStride
                              : destination + row * destinationStride;
      ConvertRowFullChroma(planes.y + static_cast<ptrdiff_t>(row) * planes.yStride, planes.cb + offset,
                           planes.cr + offset, out, planes.width);
    }
    return 0;
  }

  const ptrdiff_t step = bottomUp ? -destinationStride : destinationStride;
  uint8_t* const first = bottomUp ? destination + (planes.height - 1) * destinationStride : destination;
  for (int row = 0; row < planes.height;) {
    const int chromaRow = chromaPerRow || chromaPerPixel ? row : row / 2;
    const uint8_t* cb = blackWhite ? nullptr : planes.cb + static_cast<ptrdiff_t>(chromaRow) * planes.cbStride;
    const uint8_t* cr = blackWhite ? nullptr : planes.cr + static_cast<ptrdiff_t>(chromaRow) * planes.crStride;
    const uint8_t* luma0 = planes.y + static_cast<ptrdiff_t>(row) * planes.yStride;
    uint8_t* out0 = first + row * step;
    if (!chromaPerRow && !chromaPerPixel && row + 1 < planes.height) {
      rows(luma0, luma0 + planes.yStride, cb, cr, out0, out0 + step, planes.width);
      row += 2;
    } else {
      rows(luma0, nullptr, cb, cr, out0, nullptr, planes.width);
      row += 1;
    }
  }
  return 0;
}

int ConvertToBgrx(uint8_t* destination, ptrdiff_t destinationStride, const PlaneSet& planes, bool bottomUp,
                  bool blackWhite) {
  static const SimdLevel level = BestSimdLevel();
  return ConvertToBgrx(level, destination, destinationStride, planes, bottomUp, blackWhite);
}

}  // namespace orvilo::mjpeg
