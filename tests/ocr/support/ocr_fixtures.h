// Pictures and page DIBs for the OCR tests: text drawn with Debian's fonts
// into pictures saved as files, and hand-made packed DIBs in global memory.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/sys/global_memory.h"
#include "platform/sys/system_string.h"

namespace ocrtest {

// Fonts need a GUI application; tests call this before drawing text.
void EnsureGuiApplication();

struct TextPicture {
  QStringList lines;
  QString family = QStringLiteral("Liberation Serif");
  int pixelSize = 40;
  QSize size{1400, 220};
  double turnDegrees = 0;      // clockwise
  double darkestLight = 1.0;   // 1: even light; less: darker towards the right
};

// Black text on white paper, lines one under another from the top left.
QImage DrawText(const TextPicture& picture);

// Saves by the path's extension (JPEG at `quality` when given).
bool SavePicture(const QImage& image, const QString& path, int quality = -1);

// An 8-bit grey packed DIB (bottom-up, grey palette) with pixel (x, y)
// (y = 0 at the top) from `level`.
VxGlobalHandle MakeGreyDib(int width, int height, const std::function<std::uint8_t(int, int)>& level,
                           std::int32_t pelsPerMeter = 3780);

// A 24-bit packed DIB of the picture.
VxGlobalHandle MakeColourDib(const QImage& image);

struct DibFacts {
  bool valid = false;
  int width = 0, height = 0, bitCount = 0;
  std::int32_t xPelsPerMeter = 0, yPelsPerMeter = 0;
  std::vector<std::uint8_t> rows;  // all row bytes as stored, padding included
};
DibFacts ReadDib(VxGlobalHandle dib);

// UTF-8 of a wide string, which it frees; "<null>" for a null string.
std::string Take(VxSysString text);

}  // namespace ocrtest
