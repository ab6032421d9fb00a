// Window shapes from skin pictures: every pixel that is not the key colour
// (magenta) belongs to the window, gathered row by row as runs.
#pragma once

#include <QColor>
#include <QImage>
#include <QRegion>

namespace orvilo::win {

inline constexpr QRgb kKeyColour = 0xFFFF00FF;  // RGB(255, 0, 255)

QRegion RegionFromKeyColour(const QImage& picture, QRgb key = kKeyColour);

}  // namespace orvilo::win
