#include "imageview/picture_transforms.h"

#include <cstdint>

namespace orvilo::imageview {

namespace {

void Transform(std::uint8_t* bgr, bool blackWhite, bool negative) {
  if (blackWhite) {
    const auto grey = static_cast<std::uint8_t>(0.299 * bgr[2] + 0.587 * bgr[1] + 0.114 * bgr[0]);
    bgr[0] = bgr[1] = bgr[2] = grey;
  }
  if (negative) {
    for (int i = 0; i < 3; ++i) bgr[i] = static_cast<std::uint8_t>(255 - bgr[i]);
  }
}

}  // namespace

void ApplyColourTransforms(gdi::PackedDib& picture, bool blackWhite, bool negative) {
  if (picture.IsEmpty() || (!blackWhite && !negative)) return;
  if (picture.bitCount() == 8) {
    gdi::RgbQuad* table = picture.colourTable();
    for (std::uint32_t i = 0; i < picture.colourCount(); ++i) {
      Transform(reinterpret_cast<std::uint8_t*>(&table[i]), blackWhite, negative);
    }
    return;
  }
  const int bytes = picture.bytesPerPixel();
  for (int y = 0; y < picture.height(); ++y) {
    std::uint8_t* row = picture.Row(y);
    for (int x = 0; x < picture.width(); ++x) Transform(row + x * bytes, blackWhite, negative);
  }
}

}  // namespace orvilo::imageview
