#include "camera/frame_transforms.h"

#include <QTransform>
#include <algorithm>

namespace orvilo::camera {
namespace {

std::uint8_t Clamp(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); }

void WritePixel(std::uint8_t* out, int y, int u, int v) {
  out[0] = Clamp((y + u * 132252 - 18148800) >> 16);
  out[1] = Clamp((y - u * 25625 - v * 53281 + 8879424) >> 16);
  out[2] = Clamp((y + v * 104595 - 14608704) >> 16);
}

}  // namespace

void ConvertYuy2ToBgr24(const std::uint8_t* yuy2, std::size_t sourceStride, int width, int height,
                        std::uint8_t* out, std::size_t outStride, bool bottomUp) {
  for (int row = 0; row < height; ++row) {
    const std::uint8_t* from = yuy2 + static_cast<std::size_t>(row) * sourceStride;
    std::uint8_t* to = out + static_cast<std::size_t>(bottomUp ? height - 1 - row : row) * outStride;
    for (int x = 0; x + 1 < width; x += 2, from += 4, to += 6) {
      const int u = from[1], v = from[3];
      WritePixel(to, from[0] * 76284, u, v);
      WritePixel(to + 3, from[2] * 76284, u, v);
    }
  }
}

void InvertColourBytes(std::uint8_t* data, std::size_t length, std::size_t pixelCount) {
  if (data == nullptr || pixelCount == 0) return;
  const std::size_t step = length / pixelCount;
  if (step == 0) return;
  const std::size_t colourBytes = std::min<std::size_t>(step, 3);
  for (std::size_t at = 0; at < length; at += step) {
    for (std::size_t b = 0; b < colourBytes && at + b < length; ++b) data[at + b] = static_cast<std::uint8_t>(255 - data[at + b]);
  }
}

QImage RotateFlipImage(const QImage& picture, int code) {
  if (code <= 0 || code > 7) return picture;
  // Codes 4..7 are codes 0..3 followed by a horizontal flip; 6 is 2 and a
  // flip (a vertical flip), which the table lists on its own.
  const int turns = code & 3;
  QImage turned = turns == 0 ? picture : picture.transformed(QTransform().rotate(90.0 * turns));
  if (code >= 4) turned = turned.mirrored(true, false);
  return turned;
}

}  // namespace orvilo::camera
