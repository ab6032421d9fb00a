// Rotate/flip codes 0..7, numbered as GDI+'s RotateFlipType; rotations are
// clockwise and the flip follows the rotation:
//   0 none                       4 flip horizontally (mirror)
//   1 rotate 90°                 5 rotate 90°, then flip horizontally
//   2 rotate 180°                6 flip vertically
//   3 rotate 270°                7 rotate 270°, then flip horizontally
#pragma once

#include "platform/gdi/packed_dib.h"

namespace orvilo::gdi {

// The code of a live-picture transform: `rotation` quarter turns clockwise
// (taken modulo 4, negative counts turning back), then the horizontal mirror
// and the vertical flip.
int RotateFlipCode(int rotation, bool mirror, bool flip);

// True for the codes that exchange width and height (the odd ones).
constexpr bool RotateFlipSwapsSides(int code) { return (code & 1) != 0; }

// A new picture: `source` transformed by `code`, same bit count and colour
// table. Empty when `source` is empty, `code` is outside 0..7 or memory runs
// out.
PackedDib RotateFlip(const PackedDib& source, int code);

}  // namespace orvilo::gdi
