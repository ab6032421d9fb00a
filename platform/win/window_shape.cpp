#include "platform/win/window_shape.h"

namespace orvilo::win {

QRegion RegionFromKeyColour(const QImage& picture, QRgb key) {
  const QImage image = picture.convertToFormat(QImage::Format_RGB32);
  QRegion region;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    int x = 0;
    while (x < image.width()) {
      while (x < image.width() && gdi::IsKeyColour(row[x], key)) ++x;
      const int start = x;
      while (x < image.width() && !gdi::IsKeyColour(row[x], key)) ++x;
      if (x > start) region += QRect(start, y, x - start, 1);
    }
  }
  return region;
}

}  // namespace orvilo::win
