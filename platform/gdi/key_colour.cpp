#include "platform/gdi/key_colour.h"

namespace orvilo::gdi {

QImage KeyColourToTransparent(const QImage& picture, QRgb key) {
  if (picture.isNull()) return {};
  QImage keyed = picture.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < keyed.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(keyed.scanLine(y));
    for (int x = 0; x < keyed.width(); ++x) {
      if (IsKeyColour(row[x], key)) row[x] = 0;
    }
  }
  return keyed.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace orvilo::gdi
