// Windows bitmap files (.bmp) holding one PackedDib: the 14-byte file header,
// then the packed DIB exactly as it is in memory.
//
//   bfType     "BM"
//   bfSize     14 + biSize + 4 × biClrUsed + biSizeImage
//   bfOffBits  14 + biSize + 4 × biClrUsed
//
// Reading accepts what other programs write as well, as long as it is safe
// and simple: 40-, 52-, 56-, 108- and 124-byte info headers, top-down rows,
// 8-, 24- and 32-bit BI_RGB pictures and 32-bit BI_BITFIELDS with the plain
// BGRX masks. Every field is checked against the file's real length before
// anything is allocated; bfSize and the reserved fields are not trusted.
#pragma once

#include <string>
#include <string_view>

#include "platform/gdi/packed_dib.h"

namespace orvilo::gdi {

// Largest file ReadBitmapFile reads.
constexpr std::size_t kMaxBitmapFileBytes = kMaxDibPixelBytes + 4096;

// The file header that goes in front of `dib`.
BitmapFileHeader BitmapFileHeaderFor(const PackedDib& dib);

// The whole file as bytes; empty for an empty picture.
std::string EncodeBitmapFile(const PackedDib& dib);

// The picture of a bitmap file in memory; empty (and `error` set) when the
// bytes are not a bitmap we accept.
PackedDib DecodeBitmapFile(std::string_view bytes, DibError* error = nullptr);

// Writes the file safely (temporary file, then rename over an existing one).
// False, with any old file untouched, when it cannot be written.
bool WriteBitmapFile(const std::string& path, const PackedDib& dib);

PackedDib ReadBitmapFile(const std::string& path, DibError* error = nullptr);

}  // namespace orvilo::gdi
