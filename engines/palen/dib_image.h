// Packed DIBs (in global-memory blocks or plain memory) to and from
// Leptonica pictures. Every DIB that reaches the engine is validated here
// against the bytes that really hold it before a pixel is touched.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "engines/palen/leptonica_holders.h"
#include "platform/gdi/bitmap_header.h"
#include "platform/sys/global_memory.h"

namespace palen {

// Largest pictures the engine takes: camera and scanner pages stay far below.
constexpr std::int64_t kMaximumSide = 65535;
constexpr std::int64_t kMaximumPixels = 100'000'000;

// A validated packed DIB: where its parts are and how to walk its rows.
struct PackedDibView {
  const orvilo::gdi::BitmapInfoHeader* header = nullptr;
  const orvilo::gdi::RgbQuad* palette = nullptr;
  std::uint32_t colourCount = 0;
  const std::uint8_t* rows = nullptr;  // first row in memory
  std::size_t stride = 0;
  int width = 0;
  int height = 0;  // always positive
  int bitCount = 0;
  bool topDown = false;

  // Start of the picture row y (0 = top of the picture).
  const std::uint8_t* Row(int y) const { return rows + stride * static_cast<std::size_t>(topDown ? y : height - 1 - y); }
};

// Bytes a packed DIB with this header needs (header, colour table, rows);
// empty for headers the engine does not take (compressed, odd depths,
// absurd sizes).
std::optional<std::size_t> PackedDibBytes(const orvilo::gdi::BitmapInfoHeader& header);

// View of `size` bytes as a packed DIB; empty when they do not hold one.
std::optional<PackedDibView> ViewPackedDib(const void* bytes, std::size_t size);

// A picture with the exact resolution of its DIB (Leptonica keeps whole dpi).
struct DibPicture {
  PixPtr pix;  // 8-bit grey for 1-, 4- and 8-bit DIBs, 32-bit RGB otherwise
  std::int32_t xPelsPerMeter = 0;
  std::int32_t yPelsPerMeter = 0;
};

DibPicture PictureFromView(const PackedDibView& view);

// Picture of a DIB in a global block; no pix when the block holds none.
DibPicture PictureFromDib(VxGlobalHandle dib);

// New block with an 8-bit grey DIB (grey palette) for an 8-bit pix or a
// 24-bit DIB for a 32-bit one; null on failure.
VxGlobalHandle DibFromPix(Pix* pix, std::int32_t xPelsPerMeter, std::int32_t yPelsPerMeter);

// Overwrites the pixels of the DIB in `dib` with `pix` (same size); an 8-bit
// DIB gets grey values and a grey palette. False when they do not match.
bool WritePixIntoDib(VxGlobalHandle dib, Pix* pix);

// Grey version of a picture (a copy for 8-bit ones).
PixPtr GreyOf(Pix* pix);

// A file may claim any resolution: what a DIB header cannot hold is cut to
// its limit, and a negative one reads as 0 (unknown).
constexpr std::int32_t PelsPerMeterFromDpi(int dpi) {
  const double pels = dpi / 0.0254 + 0.5;
  if (pels <= 0) return 0;
  if (pels >= 2147483647.0) return 2147483647;
  return static_cast<std::int32_t>(pels);
}
constexpr int DpiFromPelsPerMeter(std::int32_t pelsPerMeter) { return static_cast<int>(pelsPerMeter * 0.0254 + 0.5); }

}  // namespace palen
