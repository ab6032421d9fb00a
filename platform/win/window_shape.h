// Window shapes from skin pictures: every pixel that is not the key colour
// (magenta) belongs to the window, gathered row by row as runs.
#pragma once

#include <QImage>
#include <QRegion>

#include "platform/gdi/key_colour.h"

namespace orvilo::win {

QRegion RegionFromKeyColour(const QImage& picture, QRgb key = gdi::kKeyColour);

}  // namespace orvilo::win
