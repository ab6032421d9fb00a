// PackedDib <-> QImage, for the widgets that paint pictures. Kept out of the
// core gdi library so that the picture logic stays free of the toolkit.
#pragma once

#include <QImage>

#include "platform/gdi/packed_dib.h"

namespace orvilo::gdi {

// A deep copy of the picture: 8-bit pictures become Format_Indexed8 with
// their colour table, 24-bit ones Format_BGR888 (the same byte order), 32-bit
// ones Format_RGB32 (the unused fourth byte set to 0xFF, as Qt requires).
// A null image for an empty picture.
QImage ToQImage(const PackedDib& dib);

// The image as a 24- or 32-bit PackedDib (alpha is dropped; a 32-bit
// picture's fourth byte is 0xFF). Empty for a null image or another bit count.
PackedDib FromQImage(const QImage& image, int bitCount = 32);

}  // namespace orvilo::gdi
