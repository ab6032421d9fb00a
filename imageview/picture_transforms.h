// The colour transforms of the image tools, on a picture's own pixels.
// Each rebuild starts again from the untouched source, so transforms never
// accumulate rounding.
#pragma once

#include "platform/gdi/packed_dib.h"

namespace orvilo::imageview {

// Black and white first (grey = 0.299 R + 0.587 G + 0.114 B, truncated, into
// all three bytes), then negative (255 - value for each colour byte). The
// fourth byte of 32-bit pixels is left alone; 8-bit pictures change their
// colour table instead of their pixels.
void ApplyColourTransforms(gdi::PackedDib& picture, bool blackWhite, bool negative);

}  // namespace orvilo::imageview
