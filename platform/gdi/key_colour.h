// The key colour of skin pictures: magenta, RGB(255, 0, 255), marks the
// pixels a picture does not paint (drawn with it left out, as a transparent
// blit does) and, in the pictures that shape windows, the pixels outside the
// window (platform/win/window_shape.h).
#pragma once

#include <QImage>

namespace orvilo::gdi {

inline constexpr QRgb kKeyColour = 0xFFFF00FF;

// True when `pixel` has the colour of `key`; alpha takes no part.
constexpr bool IsKeyColour(QRgb pixel, QRgb key = kKeyColour) { return ((pixel ^ key) & 0x00FFFFFFu) == 0; }

// A copy of `picture` with every pixel of the key colour made transparent,
// for drawing it with the key colour left out (ARGB, premultiplied). A null
// picture gives a null picture.
QImage KeyColourToTransparent(const QImage& picture, QRgb key = kKeyColour);

}  // namespace orvilo::gdi
