// Finding and straightening the tilt of a page's text lines.
#pragma once

#include "engines/palen/PalenPublicAPI.h"

namespace palen {

// Measures the tilt of the text in `dib` (within `region` when given) and
// turns the picture back in place. Returns the tilt found in degrees
// (positive: the page lies turned clockwise), 0 when nothing was turned.
float StraightenInPlace(VxGlobalHandle dib, const PalenRect* region, const PalenProgress* progress);

}  // namespace palen
