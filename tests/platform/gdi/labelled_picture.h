// Small pictures whose pixels say where they came from, for checking pixel
// layouts: the pixel at (x, y), counted from the top left, carries the label
// 10·y + x + 1 in its first byte and distinct values in the others.
#pragma once

#include <vector>

#include "platform/gdi/packed_dib.h"

namespace orvilo::testing {

inline std::uint8_t LabelByte(int label, int channel) {
  static constexpr std::uint8_t kMasks[4] = {0x00, 0x55, 0xAA, 0xFF};
  return static_cast<std::uint8_t>(label ^ kMasks[channel]);
}

inline gdi::PackedDib LabelledPicture(int width, int height, int bitCount) {
  gdi::PackedDib dib = gdi::PackedDib::Create(width, height, bitCount);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < dib.bytesPerPixel(); ++c) dib.Row(y)[x * dib.bytesPerPixel() + c] = LabelByte(10 * y + x + 1, c);
    }
  }
  return dib;
}

// The labels row by row from the top; -1 for a pixel whose other bytes do not
// belong to its label.
inline std::vector<std::vector<int>> Labels(const gdi::PackedDib& dib) {
  std::vector<std::vector<int>> rows;
  for (int y = 0; y < dib.height(); ++y) {
    std::vector<int> row;
    for (int x = 0; x < dib.width(); ++x) {
      const std::uint8_t* pixel = dib.Row(y) + x * dib.bytesPerPixel();
      int label = pixel[0];
      for (int c = 1; c < dib.bytesPerPixel(); ++c) {
        if (pixel[c] != LabelByte(pixel[0], c)) label = -1;
      }
      row.push_back(label);
    }
    rows.push_back(row);
  }
  return rows;
}

}  // namespace orvilo::testing
