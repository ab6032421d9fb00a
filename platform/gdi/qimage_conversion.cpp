#include "platform/gdi/qimage_conversion.h"

#include <cstring>

namespace orvilo::gdi {

QImage ToQImage(const PackedDib& dib) {
  if (dib.IsEmpty()) return {};
  QImage::Format format = QImage::Format_RGB32;
  if (dib.bitCount() == 8) format = QImage::Format_Indexed8;
  if (dib.bitCount() == 24) format = QImage::Format_BGR888;
  QImage image(dib.width(), dib.height(), format);
  if (image.isNull()) return image;
  const std::size_t rowBytes = static_cast<std::size_t>(dib.width()) * dib.bytesPerPixel();
  for (int y = 0; y < dib.height(); ++y) {
    std::uint8_t* line = image.scanLine(y);
    std::memcpy(line, dib.Row(y), rowBytes);
    if (dib.bitCount() == 32) {
      for (std::size_t x = 3; x < rowBytes; x += 4) line[x] = 0xFF;
    }
  }
  if (dib.bitCount() == 8) {
    QList<QRgb> colours(static_cast<qsizetype>(dib.colourCount()));
    for (std::uint32_t i = 0; i < dib.colourCount(); ++i) {
      const RgbQuad& c = dib.colourTable()[i];
      colours[static_cast<qsizetype>(i)] = qRgb(c.rgbRed, c.rgbGreen, c.rgbBlue);
    }
    image.setColorTable(colours);
  }
  return image;
}

PackedDib FromQImage(const QImage& image, int bitCount) {
  if (image.isNull() || (bitCount != 24 && bitCount != 32)) return {};
  const QImage converted = image.convertToFormat(bitCount == 24 ? QImage::Format_BGR888 : QImage::Format_RGB32);
  PackedDib dib = PackedDib::Create(converted.width(), converted.height(), bitCount);
  if (dib.IsEmpty()) return dib;
  const std::size_t rowBytes = static_cast<std::size_t>(dib.width()) * dib.bytesPerPixel();
  for (int y = 0; y < dib.height(); ++y) {
    std::uint8_t* row = dib.Row(y);
    std::memcpy(row, converted.constScanLine(y), rowBytes);
    // An RGB32 picture made over outside pixels (a camera's BGRx frame)
    // keeps their fourth byte, often 0, which some readers take for alpha.
    if (bitCount == 32) {
      for (std::size_t x = 3; x < rowBytes; x += 4) row[x] = 0xFF;
    }
  }
  return dib;
}

}  // namespace orvilo::gdi
