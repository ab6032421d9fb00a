#include "platform/media/demo_camera_frames.h"

#include <turbojpeg.h>

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvilo::media {

QImage DemoFrameAt(const QImage& page, double seconds) {
  QImage frame = page.convertToFormat(QImage::Format_RGB32);
  const double w = frame.width();
  const double h = frame.height();
  // Once round an ellipse every 40 seconds: slow enough to read under, fast
  // enough that two seconds never look alike.
  const double angle = 2.0 * std::numbers::pi * seconds / 40.0;
  const QPointF tip(w * (0.5 + 0.3 * std::cos(angle)), h * (0.5 + 0.3 * std::sin(angle)));
  const QPointF handle = tip + QPointF(w * 0.22, h * 0.3);
  QPainter painter(&frame);
  painter.setRenderHint(QPainter::Antialiasing);
  const double thickness = std::max(3.0, h / 90.0);
  painter.setPen(QPen(QColor(120, 70, 30), thickness * 1.6, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(tip + (handle - tip) * 0.12, handle);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(220, 30, 30));
  painter.drawEllipse(tip, thickness * 1.8, thickness * 1.8);
  return frame;
}

std::vector<std::uint8_t> EncodeCameraJpeg(const QImage& picture, int quality) {
  const QImage source = picture.format() == QImage::Format_RGB32 ? picture : picture.convertToFormat(QImage::Format_RGB32);
  if (source.isNull()) return {};
  tjhandle encoder = tjInitCompress();
  if (encoder == nullptr) return {};
  unsigned char* jpeg = nullptr;
  unsigned long size = 0;
  const int result = tjCompress2(encoder, source.constBits(), source.width(), static_cast<int>(source.bytesPerLine()),
                                 source.height(), TJPF_BGRX, &jpeg, &size, TJSAMP_422, quality, TJFLAG_FASTDCT);
  std::vector<std::uint8_t> frame;
  if (result == 0 && jpeg != nullptr) frame = WithoutHuffmanTables(jpeg, size);
  tjFree(jpeg);
  tjDestroy(encoder);
  return frame;
}

std::vector<std::uint8_t> WithoutHuffmanTables(const std::uint8_t* jpeg, std::size_t size) {
  std::vector<std::uint8_t> out;
  if (size < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8) return std::vector<std::uint8_t>(jpeg, jpeg + size);
  out.reserve(size);
  out.insert(out.end(), jpeg, jpeg + 2);
  std::size_t at = 2;
  while (at + 4 <= size && jpeg[at] == 0xFF) {
    const std::uint8_t marker = jpeg[at + 1];
    if (marker == 0xDA) break;  // the scan and everything after it stay
    const std::size_t length = (std::size_t{jpeg[at + 2]} << 8) | jpeg[at + 3];
    if (length < 2 || at + 2 + length > size) break;
    if (marker != 0xC4) out.insert(out.end(), jpeg + at, jpeg + at + 2 + length);
    at += 2 + length;
  }
  out.insert(out.end(), jpeg + at, jpeg + size);
  return out;
}

std::vector<std::uint8_t> ToYuy2(const QImage& picture) {
  const QImage source = picture.convertToFormat(QImage::Format_RGB32);
  const int width = source.width() & ~1;
  const int height = source.height();
  std::vector<std::uint8_t> out(static_cast<std::size_t>(width) * 2 * height);
  auto luma = [](int r, int g, int b) { return static_cast<std::uint8_t>(((66 * r + 129 * g + 25 * b + 128) >> 8) + 16); };
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
    std::uint8_t* to = out.data() + static_cast<std::size_t>(y) * width * 2;
    for (int x = 0; x < width; x += 2, to += 4) {
      const QRgb a = row[x], b = row[x + 1];
      const int r = (qRed(a) + qRed(b)) / 2, g = (qGreen(a) + qGreen(b)) / 2, bl = (qBlue(a) + qBlue(b)) / 2;
      to[0] = luma(qRed(a), qGreen(a), qBlue(a));
      to[1] = static_cast<std::uint8_t>(((-38 * r - 74 * g + 112 * bl + 128) >> 8) + 128);
      to[2] = luma(qRed(b), qGreen(b), qBlue(b));
      to[3] = static_cast<std::uint8_t>(((112 * r - 94 * g - 18 * bl + 128) >> 8) + 128);
    }
  }
  return out;
}

}  // namespace orvilo::media
