// YCbCr to BGRX conversion, defined by its portable form: in 16-bit arithmetic with
// signed saturation on every addition and subtraction,
//   y = (Y - 16) * 74,  u = Cb - 128,  v = Cr - 128
//   blue  = (y + u * 129) >> 6
//   green = (y - (u * 25 + v * 52)) >> 6
//   red   = (y + v * 102) >> 6
// each clamped to 0..255 and written as the bytes blue, green, red, 0. Each chroma
// sample serves two neighbouring pixels of a row (and two rows in 4:2:0); there is no
// interpolation. Black-and-white output uses the chroma value 127 for every pixel.
#pragma once

#include <cstddef>
#include <cstdint>

#include "mjpeg/simd_level.h"

namespace orvilo::mjpeg {

struct PlaneSet;

inline constexpr uint8_t kGreyChroma = 127;

// Converts one luma row (or two rows sharing `cb`/`cr` when `luma1`/`out1` are set) of
// `width` pixels; `cb`/`cr` null means black and white.
using ConvertRows = void (*)(const uint8_t* luma0, const uint8_t* luma1, const uint8_t* cb, const uint8_t* cr,
                             uint8_t* out0, uint8_t* out1, int width);

// One row with a chroma sample per pixel (4:4:4); colour only.
void ConvertRowFullChroma(const uint8_t* luma, const uint8_t* cb, const uint8_t* cr, uint8_t* out, int width);

void ConvertRowsPortable(const uint8_t* luma0, const uint8_t* luma1, const uint8_t* cb, const uint8_t* cr,
                         uint8_t* out0, uint8_t* out1, int width);
void ConvertRowsSse2(const uint8_t* luma0, const uint8_t* luma1, const uint8_t* cb, const uint8_t* cr,
                     uint8_t* out0, uint8_t* out1, int width);
void ConvertRowsAvx2(const uint8_t* luma0, const uint8_t* luma1, const uint8_t* cb, const uint8_t* cr,
                     uint8_t* out0, uint8_t* out1, int width);

// Writes the picture of `planes` as BGRX rows of exactly width pixels, height rows:
// top-down from `destination`, or with the first picture row in the last destination
// row when `bottomUp` is set. The layout is told by the Cb plane's size: half the padded
// luma area means 4:2:2, the whole luma area 4:4:4 (one chroma sample per pixel),
// anything else 4:2:0. Returns 0, or -1 for an empty plane set.
int ConvertToBgrx(uint8_t* destination, ptrdiff_t destinationStride, const PlaneSet& planes, bool bottomUp,
                  bool blackWhite);
// The same with a chosen instruction set (capped at what the processor offers).
int ConvertToBgrx(SimdLevel level, uint8_t* destination, ptrdiff_t destinationStride, const PlaneSet& planes,
                  bool bottomUp, bool blackWhite);

}  // namespace orvilo::mjpeg
