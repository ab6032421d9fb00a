#include "ocr_fixtures.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QTransform>
#include <cstring>

#include "platform/gdi/bitmap_header.h"

namespace ocrtest {

using orvilo::gdi::BitmapInfoHeader;
using orvilo::gdi::RgbQuad;

void EnsureGuiApplication() {
  if (QGuiApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "ocr-test";
  static char* argv[] = {name, nullptr};
  new QGuiApplication(argc, argv);  // lives for the test program
}

QImage DrawText(const TextPicture& picture) {
  EnsureGuiApplication();
  QImage flat(picture.size, QImage::Format_RGB32);
  flat.fill(Qt::white);
  {
    QPainter painter(&flat);
    QFont font(picture.family);
    font.setPixelSize(picture.pixelSize);
    painter.setFont(font);
    painter.setPen(QColor(20, 20, 20));
    const QFontMetrics metrics(font);
    int y = picture.pixelSize;
    for (const QString& line : picture.lines) {
      painter.drawText(picture.pixelSize, y + metrics.ascent(), line);
      y += picture.pixelSize * 3 / 2;
    }
  }
  QImage result(picture.size, QImage::Format_RGB32);
  result.fill(Qt::white);
  {
    QPainter painter(&result);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QTransform turn;
    turn.translate(picture.size.width() / 2.0, picture.size.height() / 2.0);
    turn.rotate(picture.turnDegrees);
    turn.translate(-picture.size.width() / 2.0, -picture.size.height() / 2.0);
    painter.setTransform(turn);
    painter.drawImage(0, 0, flat);
  }
  if (picture.darkestLight < 1.0) {
    for (int y = 0; y < result.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
      for (int x = 0; x < result.width(); ++x) {
        const double gain = 1.0 - (1.0 - picture.darkestLight) * x / result.width();
        line[x] = qRgb(static_cast<int>(qRed(line[x]) * gain), static_cast<int>(qGreen(line[x]) * gain),
                       static_cast<int>(qBlue(line[x]) * gain));
      }
    }
  }
  return result;
}

bool SavePicture(const QImage& image, const QString& path, int quality) { return image.save(path, nullptr, quality); }

namespace {

VxGlobalHandle AllocateDib(int width, int height, int bitCount, std::int32_t pelsPerMeter, std::uint8_t** rows) {
  const std::size_t stride = orvilo::gdi::DibStride(width, bitCount);
  const std::uint32_t colours = bitCount == 8 ? 256 : 0;
  BitmapInfoHeader header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = static_cast<std::uint16_t>(bitCount);
  header.biSizeImage = static_cast<std::uint32_t>(stride * height);
  header.biXPelsPerMeter = pelsPerMeter;
  header.biYPelsPerMeter = pelsPerMeter;
  header.biClrUsed = colours;
  VxGlobalHandle dib = VxGlobalAlloc(VX_GHND, sizeof header + colours * sizeof(RgbQuad) + header.biSizeImage);
  auto* bytes = static_cast<std::uint8_t*>(VxGlobalLock(dib));
  std::memcpy(bytes, &header, sizeof header);
  auto* palette = reinterpret_cast<RgbQuad*>(bytes + sizeof header);
  for (std::uint32_t i = 0; i < colours; ++i) {
    const auto level = static_cast<std::uint8_t>(i);
    palette[i] = RgbQuad{level, level, level, 0};
  }
  *rows = bytes + sizeof header + colours * sizeof(RgbQuad);
  return dib;
}

}  // namespace

VxGlobalHandle MakeGreyDib(int width, int height, const std::function<std::uint8_t(int, int)>& level,
                           std::int32_t pelsPerMeter) {
  std::uint8_t* rows = nullptr;
  VxGlobalHandle dib = AllocateDib(width, height, 8, pelsPerMeter, &rows);
  const std::size_t stride = orvilo::gdi::DibStride(width, 8);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = rows + stride * (height - 1 - y);
    for (int x = 0; x < width; ++x) row[x] = level(x, y);
  }
  VxGlobalUnlock(dib);
  return dib;
}

VxGlobalHandle MakeColourDib(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  std::uint8_t* rows = nullptr;
  VxGlobalHandle dib = AllocateDib(rgb.width(), rgb.height(), 24, 3780, &rows);
  const std::size_t stride = orvilo::gdi::DibStride(rgb.width(), 24);
  for (int y = 0; y < rgb.height(); ++y) {
    std::uint8_t* row = rows + stride * (rgb.height() - 1 - y);
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x) {
      row[3 * x] = static_cast<std::uint8_t>(qBlue(line[x]));
      row[3 * x + 1] = static_cast<std::uint8_t>(qGreen(line[x]));
      row[3 * x + 2] = static_cast<std::uint8_t>(qRed(line[x]));
    }
  }
  VxGlobalUnlock(dib);
  return dib;
}

DibFacts ReadDib(VxGlobalHandle dib) {
  DibFacts facts;
  const auto* bytes = static_cast<const std::uint8_t*>(VxGlobalLock(dib));
  if (bytes == nullptr) return facts;
  BitmapInfoHeader header{};
  std::memcpy(&header, bytes, sizeof header);
  facts.width = header.biWidth;
  facts.height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
  facts.bitCount = header.biBitCount;
  facts.xPelsPerMeter = header.biXPelsPerMeter;
  facts.yPelsPerMeter = header.biYPelsPerMeter;
  const std::size_t offset = header.biSize + orvilo::gdi::DibColourCount(header) * sizeof(RgbQuad);
  const std::size_t size = orvilo::gdi::DibStride(facts.width, facts.bitCount) * facts.height;
  if (offset + size <= VxGlobalSize(dib)) {
    facts.rows.assign(bytes + offset, bytes + offset + size);
    facts.valid = true;
  }
  VxGlobalUnlock(dib);
  return facts;
}

std::string Take(VxSysString text) {
  if (text == nullptr) return "<null>";
  std::string utf8 = orvilo::sys::SysStringToUtf8(text);
  VxSysFreeString(text);
  return utf8;
}

}  // namespace ocrtest
